#pragma once
// The main dialog's fields, copied from its controls at the start of each
// run. Initial values are the ones a fresh dialog shows.

#include <string>
#include <vector>

#include "renumber/NumberingOrder.h"

struct RunOptions {
  std::string pathText;            // one file of the kind to renumber
  std::string digitsText = "5";    // width of the number; empty or "0": no padding
  std::string prefixText;          // text before the number
  std::string suffixText;          // text after the number
  std::string secondsText = "4";   // the slideshow's Auto Sequence delay
  std::string statusText = "Ready";
  int keepLog = 0;          // 1: write renum.log
  int applyViewer = 0;      // 1: write Folder.htt on picture runs
  int includeFileList = 0;  // 1: Folder.htt carries the folder's file list
  int viewAfterRun = 1;     // 1: write KavoViewer.html and open it
  // The first pass numbers in this order; the window's menu or the command
  // line chooses it.
  NumberingOrder order = NumberingOrder::kName;
  // Ordered by taken: how videos' creation times are read, and the cameras
  // whose clocks are moved for the run.
  VideoClock videoClock = VideoClock::kUtc;
  std::vector<ClockShift> clockShifts;
  // 1: each picture's companions (its raw, sidecars, ...) take its number.
  int companions = 1;
  // The extensions numbered in one sequence, in the order that says which
  // of a group is its picture; empty: the named file's alone.
  std::vector<std::string> kinds;
};
