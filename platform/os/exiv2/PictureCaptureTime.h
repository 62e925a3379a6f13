#pragma once
// The capture time a picture file records, read with Exiv2 from the file's
// header alone: the metadata segments at the start of a JPEG file, or the
// first part of a TIFF-structured file (TIFF and the camera raw formats
// built on it). Other kinds of file record none here.

#include <cstddef>
#include <cstdint>

#include "platform/os/CaptureTimes.h"

// The bytes of one file, read where asked: the reader asks for the few
// pieces it needs and never for the whole file.
class PictureBytes {
 public:
  virtual ~PictureBytes() = default;
  // Copies up to `count` bytes from `offset` into `into`; returns how many
  // there were (fewer at the end of the file or on a read error).
  virtual size_t ReadAt(uint64_t offset, unsigned char* into, size_t count) = 0;
};

// The capture time by the preference of TimeSource: Exif DateTimeOriginal
// (with its sub-seconds), Exif DateTimeDigitized (with its own), XMP
// exif:DateTimeOriginal, XMP photoshop:DateCreated. Source kNone when the
// file records none of them, or is no picture, or is damaged: any content
// gives an answer, in bounded time and reading a bounded number of bytes.
// Safe to call from many threads at once.
FileTime CaptureTimeInPicture(PictureBytes& file);
