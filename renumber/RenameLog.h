#pragma once
// Reading renum.log, whose lines record renames as "<old>\t\t-> <new>".

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// The log's name, in the directory it records.
constexpr char kLogFileName[] = "renum.log";

// What stands between the two names of a line.
constexpr std::string_view kLogArrow = "\t\t-> ";

// Whether a name can stand on a log line and be read back exactly: it holds
// no line break and not the arrow.
//   "a b.jpg"        => true
//   "a\tb.jpg"       => true
//   "new\nline.jpg"  => false
//   "a\rb.jpg"       => false
//   "a\t\t-> b.jpg"  => false
bool FitsOnLogLine(std::string_view name);

// Writes the line of one rename, "<old>\t\t-> <new>\n", each name with the
// directory text in front, as the log and the dry run show it. The result of
// fprintf: negative when it failed.
//   "/pics/", "a.jpg", "001.jpg" => "/pics/a.jpg\t\t-> /pics/001.jpg\n"
//   "", "/pics/a.jpg", "/pics/1.jpg" => "/pics/a.jpg\t\t-> /pics/1.jpg\n"
int WriteLogLine(FILE* stream, const char* directory, const char* oldName, const char* newName);

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
