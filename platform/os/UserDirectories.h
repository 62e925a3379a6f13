#pragma once
// What the operating system knows of the user's own directories beyond the
// environment: the account's home directory, the folder the system names
// for programs' settings, where browsing starts, and making private
// directories for the program's own files (its settings).

#include <string>

// The home directory of the user the program runs as: on POSIX from the
// password database, on Windows the user's profile folder; empty when the
// account has none.
std::string AccountHomeDirectory();

// The folder the system itself names for the settings of this user's
// programs, when it names one: on Windows the roaming application data
// folder (%APPDATA% when it is an absolute path, else the system's known
// folder); empty on POSIX, where the environment's rule applies
// (XDG_CONFIG_HOME, then ~/.config).
std::string SystemSettingsDirectory();

// Where Browse opens before the user chose a directory, with its
// separator at the end: on POSIX the home directory (HOME), else "/"; on
// Windows "C:\".
std::string DefaultBrowseDirectory();

// Where Choose Viewer opens: the system's folder of programs, with its
// separator at the end: "/usr/bin/" on POSIX, "C:\\" on Windows.
std::string ProgramsDirectory();

// Makes `directory` and each missing directory above it, for the user
// alone: on POSIX each one made with mode 0700 (only the user may list or
// enter it; the umask may take more away); on Windows each one inherits the
// access list of the user's own folder it is made in. 0 when the directory
// exists afterwards, else the errno value of the step that failed (ENOTDIR:
// a file stands in the way).
int MakePrivateDirectories(const std::string& directory);
