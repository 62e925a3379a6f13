#pragma once
// The texts a run shows when its renaming stops part-way, whether a pass
// renames on disk or a run carries out the renames its passes planned.

#include <string>

#include "renumber/RenumberDialog.h"

extern const char kCannotWriteLog[];
extern const char kCannotRename[];

// Why the log cannot be opened, in the user's words, from the errno value
// of RenameLogFile::Open.
//   ELOOP  => "it is a symbolic link, which is never written through"
//   EMLINK => "it is a second name of another file, which is never written to"
//   EINVAL, ENXIO => "it is not a regular file"
//   ENOENT => "No such file or directory" (the system's own words)
std::string LogOpenReason(int error);

// What the user needs after renaming stopped part-way: how many files were
// renamed, and how to take them back.
//   0, first, log   => "No file was renamed before it."
//   1, first, log, "/p/" => "1 file was renamed before it; renum.log records
//                     every rename: tarvine-renumber --undo /p/ takes them back."
//   3, first, no log => "3 files were renamed before it."
//   0, second, log, "" => "The first pass had renamed every file, and no file
//                     again before it; renum.log records every rename:
//                     tarvine-renumber --undo . takes them back."
std::string RenamedSoFar(long renamed, PassKind pass, bool logKept, const char* directory);
