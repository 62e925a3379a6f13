#pragma once
// Reading renum.log, whose lines record renames as "<old>\t\t-> <new>".

#include <optional>
#include <string>
#include <string_view>

struct LoggedRename {
  std::string from;
  std::string to;
};

// One line of the log, without its line end; the first "\t\t-> " separates
// the names.
//   "/p/a.jpg\t\t-> /p/001.jpg" => {"/p/a.jpg", "/p/001.jpg"}
//   "a b.jpg\t\t-> 1.jpg"       => {"a b.jpg", "1.jpg"}
//   "a\t\t-> b\t\t-> c"          => {"a", "b\t\t-> c"}
//   "\t\t-> 1.jpg"              => nothing (no old name)
//   "a.jpg\t\t-> "              => nothing (no new name)
//   "a.jpg -> 1.jpg"            => nothing
std::optional<LoggedRename> ParseLogLine(std::string_view line);
