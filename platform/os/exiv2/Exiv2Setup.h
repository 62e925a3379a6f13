#pragma once
// What every reader of Exiv2 shares: its one-time set-up and the turn in
// which files with XMP are parsed.

#include <mutex>

// Exiv2's one-time set-up: no warnings on the terminal about damaged files
// (they are expected, and read as having nothing), its reader of BMFF files
// (HEIC, AVIF, CR3) switched on, and the XMP toolkit ready before any thread
// uses it. Call before any use of Exiv2; safe from many threads at once.
void PrepareExiv2();

// The XMP toolkit inside Exiv2 is not safe on many threads at once: packets
// (and whole files' metadata, which includes their packets) are parsed
// holding this lock.
std::mutex& XmpTurn();
