#pragma once
// Which files are videos of the ISO base media and QuickTime formats (MP4,
// MOV, M4V, 3GP), told by their first bytes, and the reading of what they
// record of when they were made.

#include "platform/os/PictureBytes.h"
#include "platform/os/VideoClock.h"

// True when the file's first bytes are those of an ISO base media or
// QuickTime file: a box of a type those files begin with ("ftyp", "moov",
// "mdat", "wide", "free", "skip", "pnot") at its start, unless "ftyp" names
// a still picture's brand (HEIC, HEIF, AVIF, CR3, JPEG XL).
//   "\0\0\0\x18" "ftypmp42..." => true;  "\0\0\0\x18" "ftypheic..." => false
//   "\xFF\xD8\xFF\xE1..." => false;  "" => false
bool LooksLikeVideo(PictureBytes& file);

// Whether a file is a box file of a still picture: "ftyp" first, with a
// brand of HEIC, HEIF, AVIF, CR3 or JPEG XL.
//   "....ftypheic", "....ftypcrx " => true;  "....ftypqt  ", "\xFF\xD8..." => false
bool IsStillBoxFile(PictureBytes& file);

// What a video records (ReadVideoRecord of the system's reader), read by a
// reader loaded at the first video met, so a run without videos never loads
// it; empty for a file that is no such video, or when the reader is missing.
// Safe to call from many threads at once.
VideoRecord ReadVideoRecordOnce(PictureBytes& file);

// Whether a name ends in the extension of such a video (in any case of
// letters): a hint that the reader will be wanted, never a test of the file.
//   "IMG_1.MOV", "a.mp4", "b.3gp" => true;  "a.heic", "mov", "a.mov.xmp" => false
bool NamedLikeVideo(const char* name);

// Starts loading the reader of videos beside the reading of other files,
// for a run whose names say videos are among them; ReadVideoRecordOnce then
// waits for it only where it is not ready yet.
void LoadVideoReaderAhead();
// Whether the reader has been loaded (or found missing), so that
// ReadVideoRecordOnce will not wait; false while it loads, or before.
bool VideoReaderReady();
