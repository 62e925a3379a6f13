#pragma once
// The characters that separate the parts of a path on this system, so that
// code above the platform splits and joins paths without knowing which
// system it runs on.

// Whether `c` ends a directory in a path: "/" on POSIX; "\" and "/" on
// Windows.
//   '/'  => true
//   '\\' => true on Windows, false on POSIX (an ordinary byte of a name)
//   ':'  => false
bool IsPathSeparator(char c);

// The separator the program writes between a directory and a name:
// "/" on POSIX, "\" on Windows.
char PreferredSeparator();

// The position of the last separator in `text`, or -1 when it has none.
//   "/pics/a.jpg"   => 5
//   "C:\pics\a.jpg" => 7 on Windows, -1 on POSIX
//   "a.jpg"         => -1
long LastSeparatorAt(const char* text);
