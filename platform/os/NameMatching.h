#pragma once
// How this system tells whether two names in a directory are one name: so
// that a picture of a directory finds a name taken where the system would.

// False on POSIX, where names match byte for byte; true on Windows, where a
// name matches in any case of letters (ASCII letters here, as the wildcard
// match of the directory search takes them).
//   "a.jpg", "A.JPG" => one name on Windows, two on POSIX
bool NamesMatchIgnoringCase();
