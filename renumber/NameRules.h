#pragma once
// How a run reads the extension from the named file and makes new names.

#include <cstddef>
#include <string>

// The extension of the file a path names: the text after the last dot of the
// file name (the text after the last "/" or "\"); null when the file name
// has no dot or ends in its dot. A dot in a directory never counts.
//   "/pics/holiday.jpg"       => "jpg"
//   "/pics/holiday.2001.jpg"  => "jpg"
//   "/my.pics/holiday.jpg"    => "jpg"
//   "C:\pics\a.GIF"           => "GIF"
//   "/pics/.jpg"              => "jpg"
//   "/pics/holiday"           => null
//   "/pics/holiday."          => null
//   "/my.pics/holiday"        => null
const char* ExtensionOfFileName(const char* path);

// Whether an entry's name is of the run's kind: it ends in "." and the
// extension, compared as literal text ("*" and "?" are no wildcards) without
// regard to the case of ASCII letters, as cameras write .JPG and phones .jpg.
//   "a.jpg", "jpg"   => true
//   "b.JPG", "jpg"   => true
//   ".jpg", "jpg"    => true
//   "a.jpeg", "jpg"  => false
//   "ajpg", "jpg"    => false
//   "a.png", "*g"    => false
//   "x.*g", "*g"     => true
bool HasExtension(const char* name, const char* extension);

// Whether two names are the same but for the case of ASCII letters.
//   "renum.log", "RENUM.LOG" => true
//   "renum.log", "renum.lo"  => false
//   "\xc3\xa9", "\xc3\x89"    => false (only ASCII letters fold)
bool EqualIgnoringAsciiCase(const char* a, const char* b);

// The most bytes of one name in a directory, as the file systems the program
// works on allow.
constexpr size_t kMaxNameBytes = 255;

// The most bytes of a prefix or a suffix.
constexpr size_t kMaxAffix = 199;

// Why a prefix or suffix cannot go into a file name, or null when it can. It
// is part of one file's name: a separator ("/", and on Windows "\") would
// move the files into another directory, and a line break or NUL has no
// place in a name.
//   "trip-", "prefix"   => null
//   "../up/", "prefix"  => "The prefix may not contain /."
//   "up\", "suffix"     => "The suffix may not contain \." on Windows
//   "a\nb", "suffix"    => "The suffix may not contain a line break."
//   200 bytes, "prefix" => "The prefix is too long: at most 199 bytes."
const char* AffixProblem(const std::string& text, const char* which);

// The new-name rule shared by the pass and the run: directory, prefix, the
// number zero-padded to the width, suffix, "." and extension, formatted as
// "%s%s%0*ld%s.%s". A width of 0 or 1 pads nothing; a negative width
// left-justifies with trailing spaces; a wider number is written whole.
//   width 3, number 1    => "<dir><prefix>001<suffix>.<ext>"
//   width 3, number 1000 => "...1000..."
//   width 0, number 7    => "...7..."
//   width -3, number 1   => "...1  ..."
struct NewNameRule {
  const char* directory;
  const char* prefix;
  int width;
  const char* suffix;
  const char* extension;

  // Writes the name for `number` into `out` (room bytes, terminator
  // included) and returns its full length: a length of `room` or more means
  // the name did not fit and `out` holds it cut short.
  int Format(long number, char* out, size_t room) const;
};

// Whether a run on this extension is a picture run, one that gets the
// slideshow pages: "jpg", "jpeg" (as many cameras and phones write JPG) or
// "gif" in any case of letters, the whole text.
//   "jpg", "JPG", "Gif", "jpeg", "JPEG" => true
//   "png", "jpe", ""                     => false
bool IsPictureExtension(const char* extension);

// The note a run ends with when it gave more numbers than the width holds:
// the longer names are made whole, but a program that sorts names as plain
// text puts them out of order. Empty when every number fits, or when no
// width was asked for (0 or less).
//   width 3, count 1200 => "Note: the numbers from 1000 on are one digit longer than 3 digits, which some
//                           programs sort before 101; 4 digits would keep every name in order."
//   width 1, count 12   => "Note: the numbers from 10 on are one digit longer than 1 digit, which some
//                           programs sort before 2; 2 digits would keep every name in order."
//   width 3, count 999  => ""
//   width 0, count 5000 => ""
std::string LongerNumbersNote(int width, long count);
