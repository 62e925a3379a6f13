#pragma once
// The capture time a picture file records, read with Exiv2 from the file's
// metadata alone: the metadata segments at the start of a JPEG file, the
// first part of a TIFF-structured file (TIFF and the camera raw formats
// built on it, ORF and RW2 included), the boxes of a BMFF file (HEIC, HEIF,
// AVIF, CR3, JPEG XL), the chunks of a PNG or WebP file, a RAF file's
// header. Other kinds of file record none here.

#include <string>

#include "platform/os/CaptureTimes.h"
#include "platform/os/PictureBytes.h"

// The capture time by the preference of TimeSource: Exif DateTimeOriginal
// (with its sub-seconds), Exif DateTimeDigitized (with its own), XMP
// exif:DateTimeOriginal, XMP photoshop:DateCreated; with Exif
// OffsetTimeOriginal as a recorded offset beside DateTimeOriginal. `camera`,
// when given, receives the Exif model (Exif.Image.Model, trimmed), or "".
// Source kNone when the file records none of them, or is no picture, or is
// damaged: any content gives an answer, in bounded time and reading a
// bounded number of bytes.
// Safe to call from many threads at once.
FileTime CaptureTimeInPicture(PictureBytes& file, std::string* camera = nullptr);

// Whether a box-structured file (HEIC, AVIF, CR3) may hold an XMP packet,
// which Exiv2 hands to the XMP toolkit, one file at a time: it holds none
// when each of its top-level boxes but the media data ("mdat", "free",
// "skip") lies within its first 64 KiB and names no XMP (its content type
// "rdf+xml", its packet "xmpmeta" or its box's UUID). Anything else, a
// damaged chain of boxes included, may.
//   ftyp, meta (a phone's HEIC), mdat             => false
//   ftyp, meta naming "application/rdf+xml", mdat => true
//   ftyp, moov larger than 64 KiB (CR3)           => true
bool MayHoldXmp(PictureBytes& file);
