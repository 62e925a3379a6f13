#pragma once
// The cameras whose pictures and videos a directory holds, as the window's
// "Camera clocks..." dialog lists them.

#include <string>
#include <vector>

#include "platform/os/CaptureTimes.h"

// One camera model of a directory: how many of its files record it, and the
// first and last of their capture times as recorded (before any shift).
struct CameraSummary {
  std::string model;
  int files = 0;
  WallClockTime first;
  WallClockTime last;
};

// The cameras of the files of `directory` that end in "." and `extension`
// (as a run of that kind takes them), in the order of their first capture
// times; files that record no model or no capture time are left out.
std::vector<CameraSummary> CamerasIn(const std::string& directory, const char* extension, VideoClock videoClock);
