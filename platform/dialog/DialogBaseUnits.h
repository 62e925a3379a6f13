#pragma once
// A dialog font's average character width, the horizontal base of dialog
// units, found the way the window system finds it: the width of the 52
// letters below, divided by 52 and rounded.
//   alphabet 312 pixels wide => 6;  338 => 7 (6.5 rounds up);  353 => 7;  337 => 6

constexpr char kDialogUnitAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// (width / 26 + 1) / 2 in integers: the width of two letters, halved upwards.
inline int AverageCharWidthOfAlphabet(int alphabetWidth) { return (alphabetWidth / 26 + 1) / 2; }
