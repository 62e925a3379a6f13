#pragma once
// How the slideshow script gives a picture number the leading zeros that the
// renumbering pass gave it with "%0*ld" and the width read from the digits
// text. The script's DisplayIt runs a chain of threshold blocks: the last one
// whose threshold is not above the picture number sets the zeros.

#include <vector>

#include "fsystem/PathHelpers.h"

// True only for the exact text "0", which selects the DisplayIt without
// zeros; any other text selects the chain of blocks.
//   "0"                         => true
//   "00", " 0", "0 ", "5", "-2" => false
bool WritesPlainDisplayIt(const char* digitsText);

// From picture 10^power on, DisplayIt puts zeroCount zeros before the number.
struct ThresholdBlock {
  int power;
  int zeroCount;
};

// The widest digits value the blocks follow: the pass refuses a wider one,
// so no picture can bear such a name.
constexpr int kWidestPadding = kMaxPathText;

// The blocks for a digits text read as atol reads it (d), in the order the
// script runs them: one for each power from 10^0 to 10^(d-1), holding
// d - power - 1 zeros, so picture n gets max(d - digits of n, 0) zeros, as
// the pass gave it. A value of 0 or less gives the one block for 1 with no
// zeros, as the pass puts no zeros then (a negative width makes it put blanks
// after the number, which the page does not ask for); a value beyond
// kWidestPadding counts as kWidestPadding.
//   "1"                => 1:0
//   "3"                => 1:2  10:1  100:0
//   "5", "5x", " 5"    => 1:4  10:3  100:2  1000:1  10000:0
//   "7"                => 1:6  10:5 ... 100000:1  1000000:0
//   "8"                => 1:7  10:6 ... 1000000:1  10000000:0
//   "00", "-2", "x"    => 1:0
std::vector<ThresholdBlock> ThresholdBlocks(const char* digitsText);
