#pragma once
// A camera whose clock was wrong, corrected for a run: its pictures' times
// are moved by an offset in memory before they are ordered; the files are
// never written.

#include <cstdint>
#include <string>
#include <vector>

// The offset is at most ten years either way.
struct ClockShift {
  std::string model;    // the camera's model as its files record it; compared without regard to case
  int64_t seconds = 0;  // added to the camera's times
};

// An offset in days, hours, minutes and seconds: an optional sign, then one
// or more of a number followed by d, h, m or s, each unit once and in that
// order. False for anything else or beyond ten years; `seconds` is then
// unchanged.
//   "+1h02m" => 3720;  "-30s" => -30;  "2d" => 172800;  "1h" => 3600
//   "0s" => 0;  "" => false;  "+" => false;  "1x" => false;  "1m1h" => false;  "1h 2m" => false
bool ParseClockOffset(const std::string& text, int64_t& seconds);

// The text of an offset, the inverse of ParseClockOffset: a sign, then the
// units that are not zero (minutes and seconds with two digits after a
// larger unit).
//   3720 => "+1h02m";  -30 => "-30s";  172800 => "+2d";  0 => "+0s";  90061 => "+1d1h01m01s"
std::string ClockOffsetText(int64_t seconds);

// A shift as the command line gives it, "MODEL=OFFSET": the model is
// everything before the last "=", which must not be empty.
//   "Canon EOS R5=+1h02m" => {"Canon EOS R5", 3720}
//   "A=B=-1m"             => {"A=B", -60}
//   "=+1h", "EOS", "EOS=" , "EOS=1 h" => false
bool ParseClockShift(const std::string& text, ClockShift& shift);

// The offset `shifts` give the camera `model` (the last one naming it, in
// any case of letters); 0 when none does.
//   {"canon eos r5", 60}, model "Canon EOS R5" => 60
int64_t ClockShiftOf(const std::vector<ClockShift>& shifts, const std::string& model);
