#pragma once
// Helpers on path texts. JoinPath, NextToken and DirectoryOf return their
// result in a buffer of their own that the next call of the same helper
// overwrites: copy a result before calling the same helper again.

// The longest path text the program works with: the 300-byte path field and
// room to spare. Counted in bytes, as every length here.
constexpr int kMaxPathText = 303;

// Room of JoinPath's result, terminator included: a directory of
// kMaxPathText bytes and any of the program's fixed file names fit.
constexpr int kJoinPathRoom = 512;

// `first` immediately followed by `second`, cut at kJoinPathRoom - 1 bytes:
//   "*.", "jpg"          => "*.jpg"
//   "/pics/", "renum.log" => "/pics/renum.log"
//   "", ""               => ""
char* JoinPath(const char* first, const char* second);

// 1 when `path` names anything (file, directory, symbolic link, dangling or
// not), 0 on any failure. Wildcards are not expanded.
int FileExists(const char* path);

// Splits a text at a one-byte delimiter, one token per call: pass the text to
// start a split (its first 255 bytes are copied) and null to continue it,
// when `delimiter` is ignored. Empty tokens are returned; null follows the
// last token. A token over 100 bytes is cut to its first 100, and the split
// goes on after the whole token.
//   "C:\pics\holiday.jpg", '.' => "C:\pics\holiday", "jpg", null
//   "a..b", '.'                => "a", "", "b", null
//   "", '.'                    => "", null
//   "abc", '.'                 => "abc", null
//   "x.", '.'                  => "x", "", null
char* NextToken(const char* text, char delimiter);

// The drive and directory part of a path, separator included. A drive is the
// first two bytes when the second is ":"; the directory part runs up to the
// last "\" or "/". Cut at kMaxPathText bytes.
//   "C:\pics\holiday.jpg" => "C:\pics\"
//   "C:holiday.jpg"       => "C:"
//   "pics/a.jpg"          => "pics/"
//   "/home/me/a.b/x.jpg"  => "/home/me/a.b/"
//   "holiday.jpg"         => ""
//   "/x.jpg"              => "/"
char* DirectoryOf(const char* path);
