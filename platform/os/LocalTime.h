#pragma once
// Calendar time in the user's time zone.

#include <cstdint>
#include <ctime>

// The local date and time of a moment given as seconds since
// 1970-01-01 00:00 UTC; false when the system cannot tell it (a moment
// before 1970 on Windows, or beyond its calendar).
bool LocalTimeOf(int64_t secondsSince1970, std::tm& local);
