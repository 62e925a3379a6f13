#pragma once
// renum.ids, beside renum.log: a first line (its header) with the new-name
// rule of the run that started the log and how many names of that rule the
// directory held then, and after it, line for line, what identified the
// file each line of the log renamed, so undo can prove, before it renames anything,
// that the file under each new name is the one the log moved there. The log
// keeps its own format; an older log without this file is undone on its
// names alone.

#include <optional>
#include <string>
#include <string_view>

#include "platform/os/FileIdentity.h"
#include "renumber/NameRules.h"

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

// The header: the rule of the run that started the log, and how many of
// the directory's entries bore names of that rule then. Every later change
// of names is logged (runs add to the log), so the names of the rule the
// directory shows beyond that count and the log's lines in effect were
// renamed by no line undo can read.
// Invariant: prefix and suffix hold no line break.
struct IdsHeader {
  long ruleNamesBefore = 0;
  int width = 0;
  std::string prefix;
  std::string suffix;
  std::string extension;

  // Whether a name is one the rule makes: prefix, at least one ASCII digit
  // (as many as the width at least, or followed by spaces for a negative
  // width), suffix, "." and the extension in any case of ASCII letters.
  //   width 2, "", "", "jpg": "01.jpg" => true, "123.JPG" => true,
  //                           "1.jpg" => false, "a1.jpg" => false
  //   width 0, "trip-", "", "jpg": "trip-7.jpg" => true, "trip-.jpg" => false
  //   width -3, "", "", "jpg": "1  .jpg" => true
  bool Names(std::string_view name) const;
};

// The header's line, without its line end: "#", the count, the width, then
// prefix, suffix and extension each as its length in bytes, ":" and itself.
//   {3, 2, "", "", "jpg"}          => "# 3 2 0: 0: 3:jpg"
//   {0, 5, "a b", ":", "JPG"}      => "# 0 5 3:a b 1:: 3:JPG"
std::string HeaderLine(const IdsHeader& header);

// A header line read back, without its line end; nothing for any other line
// (an identity line, or one cut short).
//   "# 3 2 0: 0: 3:jpg"     => {3, 2, "", "", "jpg"}
//   "# 0 5 3:a b 1:: 3:JPG" => {0, 5, "a b", ":", "JPG"}
//   "2048 17 131", "# 3 2 4:ab" => nothing
std::optional<IdsHeader> ParseHeaderLine(std::string_view line);

// The header of a log a run starts with `rule` in the directory
// `directoryText` (with its separator, or ""): the rule's parts, and how
// many of the directory's entries bear names of it now.
IdsHeader HeaderOfRule(const NewNameRule& rule, const char* directoryText);

// How many entries of the directory `directoryText` bear names of the
// header's rule now.
long NamesOfRule(const IdsHeader& header, const std::string& directoryText);
