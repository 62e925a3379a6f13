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

// What a video records (ReadVideoRecord of the system's reader), read by a
// reader loaded at the first video met, so a run without videos never loads
// it; empty for a file that is no such video, or when the reader is missing.
// Safe to call from many threads at once.
VideoRecord ReadVideoRecordOnce(PictureBytes& file);
