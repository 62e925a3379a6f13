#pragma once
// A file stream whose writes fail part-way, as on a full disk.

#include <cstdio>

// A stream onto the file `path`, opened as fopen's "w" or "a" would, whose
// writes fail with ENOSPC once `budget` bytes are written. Null where the C
// library makes no stream with writes of the caller's own (Windows': it has
// no fopencookie, and Wine keeps no byte-range lock from a write).
FILE* StreamFailingAfter(const char* path, const char* mode, long budget);

// Whether StreamFailingAfter gives streams here; the tests of a failing log
// are skipped where it does not.
bool StreamsCanFailPartWay();
