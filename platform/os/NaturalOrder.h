#pragma once
// The order in which a file manager shows names.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os/DirEntry.h"
#include "platform/os/PackedNames.h"

// Compares two names in natural order; returns -1, 0 or +1.
// Names of ASCII alone are walked together: where both stand at a digit, the two whole
// digit runs are compared by numeric value (leading zeros ignored) and the
// walk goes on after them when they are equal; otherwise one byte of each is
// compared, with ASCII letters folded to lower case. A name that ends first
// sorts first. Names still equal are ordered by their bytes, so the order is
// total: 0 only for identical names. Where either name holds a character
// beyond ASCII, their NaturalSortKeys decide, then their bytes: the same
// order, with each such character in its place in the user's language.
//   "IMG_2.jpg",  "IMG_10.jpg" => -1   (2 < 10)
//   "a.jpg",      "a1.jpg"     => -1   ("." before "1")
//   "a.jpg",      "B.jpg"      => -1   (letters folded)
//   "IMG_1.jpg",  "IMGA.jpg"   => -1   ("_" before "a")
//   "007.jpg",    "7.jpg"      => -1   (equal value; bytes decide)
//   "A.jpg",      "a.jpg"      => -1   (equal folded; bytes decide)
//   "",           "a"          => -1
//   "Ärger",      "Zeta"       => -1   (Ä sorts as a, in German and English)
//   "Ärger",      "Zeta"       => +1   (Ä sorts after z, in Swedish)
//   "arger",      "Ärger"      => -1   (equal keys; bytes decide)
int CompareNatural(const char* a, const char* b);

// A byte text whose byte order is the natural order of the names it is made
// from: for any names a and b whose keys differ, the keys compare (bytes as
// unsigned, a text that ends first sorting first, as std::string compares)
// as CompareNatural(a, b) does. Names with equal keys differ only in leading
// zeros, letter case or accents, and CompareNatural orders them by their
// bytes.
// Sorting many names by keys made once saves walking their digit runs again
// in every comparison. Each byte of the name becomes its lower-case fold, and
// each digit run becomes a length code for its significant digits followed
// by those digits: "0" + n for n up to 8, else "9" and n - 9 in four bytes,
// most significant first. A code starts with a byte of "0" to "9", so a run
// still sorts against any other byte as a digit does. A character beyond
// ASCII (UTF-8) takes its place in the user's language (PlaceOfCharacter):
// the ASCII letters it sorts as, or the letter it follows, the byte 0x7F
// (above any byte that follows a letter in a key), its rank and 0x01; a
// combining mark adds nothing. A byte that is no UTF-8 becomes
// "z" 7F FF FF and the byte. Names of ASCII alone keep the keys above.
//   "IMG_2.jpg"    => "img_" "12" ".jpg"
//   "IMG_0010.JPG" => "img_" "210" ".jpg"
//   "a000"         => "a" "0"               (only zeros: no digits)
//   "x1234567890"  => "x" "9" "\0\0\0\1" "1234567890"
//   ""             => ""
//   "Über 2"       => "uber " "12"          (German: Ü sorts as u)
//   "ñu"           => "n" 7F rank(ñ) 01 "u" (Spanish: ñ follows n)
std::string NaturalSortKey(const char* name);

// The entries with a name, sorted by CompareNatural; entries whose name is
// empty (vanished while they were read) are left out. The entries are moved.
std::vector<DirEntry> SortInNaturalOrder(std::vector<DirEntry>& entries);

// Puts packed names in the order a file manager shows them (CompareNatural).
void SortInNaturalOrder(PackedNames& names);

// The positions 0 to count - 1 of names that nameAt(context, position) gives,
// in the order CompareNatural puts the names in; positions of empty names
// are left out.
//   "b", "IMG_10", "IMG_2" => 0, 2, 1
std::vector<uint32_t> NaturalOrderOf(uint32_t count, const char* (*nameAt)(const void* context, uint32_t position),
                                     const void* context);
