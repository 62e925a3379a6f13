#pragma once
// What the tests need to know of the system they run on.

// Whether the tests run under Wine on a build machine rather than on
// Windows itself: Wine makes files far more slowly, and its symbolic links
// are the build machine's own.
bool RunningUnderWine();

// Why the tests of capture times are skipped under Wine: its imaging
// component reads no metadata from the tests' pictures (headers with a
// minimal image), so only the last-write times are seen there.
constexpr char kNoCaptureTimesUnderWine[] = "Wine's imaging component reads no capture time from these pictures";
