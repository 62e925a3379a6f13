#pragma once
// What the operating system knows of the user's own directories beyond the
// environment: the account's home directory, and making private
// directories for the program's own files (its settings).

#include <string>

// The home directory of the user the program runs as, from the password
// database; empty when the account has no entry or no home there.
std::string AccountHomeDirectory();

// Makes `directory` and each missing directory above it, each one made with
// mode 0700 (only the user may list or enter it; the umask may take more
// away). 0 when the directory exists afterwards, else the errno value of
// the step that failed (ENOTDIR: a file stands in the way).
int MakePrivateDirectories(const std::string& directory);
