#pragma once
// The system's device that takes every write and keeps none: where a
// simulation's files go.

// "/dev/null" on POSIX, "NUL" on Windows.
const char* NullDevicePath();
