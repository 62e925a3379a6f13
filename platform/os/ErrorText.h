#pragma once
// Error messages that say what happened and why: the message's own sentence
// first, unchanged, then on a line of its own what a user needs to act on it.

#include <string>

// The system's words for an errno value.
//   ENOENT => "No such file or directory"
//   EACCES => "Permission denied"
std::string SystemReason(int error);

// The sentence, then the detail on the next line; the sentence alone when
// there is no detail.
//   "File does not exist.", "/pics/a.jpg: No such file or directory"
//       => "File does not exist.\n/pics/a.jpg: No such file or directory"
//   "Done.", "" => "Done."
std::string Explained(const std::string& sentence, const std::string& detail);
