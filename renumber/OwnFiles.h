#pragma once
// The files a run makes for itself in the directory it renumbers: they are
// never anyone's companions, whatever a picture is called.

// Whether `name` is one of the run's own files: the log, its identity file,
// the two viewer pages (each in any case of ASCII letters), or a temporary
// name a run gives a file while a cycle of renames goes round.
//   "renum.log", "RENUM.LOG", "renum.ids"  => true
//   "KavoViewer.html", "folder.htt"        => true
//   "renum-swap-1.xmp"                     => true
//   "renum.jpg", "renum.log.xmp", "Folder" => false
bool IsRunOwnFile(const char* name);

// The start of the temporary names a run gives the files of a cycle.
constexpr char kTemporaryNameStart[] = "renum-swap-";
