#pragma once
// The order in which a file manager shows names.

// Compares two names in natural order; returns -1, 0 or +1.
// Both names are walked together: where both stand at a digit, the two whole
// digit runs are compared by numeric value (leading zeros ignored) and the
// walk goes on after them when they are equal; otherwise one byte of each is
// compared, with ASCII letters folded to lower case. A name that ends first
// sorts first. Names still equal are ordered by their bytes, so the order is
// total: 0 only for identical names.
//   "IMG_2.jpg",  "IMG_10.jpg" => -1   (2 < 10)
//   "a.jpg",      "a1.jpg"     => -1   ("." before "1")
//   "a.jpg",      "B.jpg"      => -1   (letters folded)
//   "IMG_1.jpg",  "IMGA.jpg"   => -1   ("_" before "a")
//   "007.jpg",    "7.jpg"      => -1   (equal value; bytes decide)
//   "A.jpg",      "a.jpg"      => -1   (equal folded; bytes decide)
//   "",           "a"          => -1
int CompareNatural(const char* a, const char* b);
