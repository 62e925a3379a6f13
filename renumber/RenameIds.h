#pragma once
// renum.ids, beside renum.log: line for line, what identified the file each
// line of the log renamed, so undo can prove, before it renames anything,
// that the file under each new name is the one the log moved there. The log
// keeps its own format; an older log without this file is undone on its
// names alone.

#include <optional>
#include <string>
#include <string_view>

#include "platform/os/FileIdentity.h"

// The file's name, in the directory of the log.
constexpr char kIdsFileName[] = "renum.ids";

// The line of one identity, without its line end: size, modification time
// and index in decimal; "-" when the file could not be identified.
//   {2048, 1700000000123456789, 131} => "2048 1700000000123456789 131"
//   {0, -5, 0}                       => "0 -5 0"
//   nothing                          => "-"
std::string IdentityLine(const FileIdentity* identity);

// An identity line read back, without its line end; nothing for "-" and for
// any line that is not three decimal numbers.
//   "2048 1700000000123456789 131" => {2048, 1700000000123456789, 131}
//   "0 -5 0"                       => {0, -5, 0}
//   "-"                            => nothing
//   "12 x 3", "1 2", "1 2 3 4", "" => nothing
std::optional<FileIdentity> ParseIdentityLine(std::string_view line);
