#pragma once
// Starting another program, such as the viewer of the slideshow page.

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts `program` (looked up on PATH when it has no separator) with
  // exactly one argument and does not wait for it to end. 0 once it runs;
  // else the errno value of why it could not be started (ENOENT: no such
  // program).
  virtual int Start(const char* program, const char* argument) = 0;
};

// The viewer the program starts unless the user chose one: on POSIX
// "xdg-open", which opens the page with the user's preferred browser; on
// Windows "open", which the Windows launcher takes as the shell's own
// "open" of the page: the user's default browser.
extern const char kDefaultViewer[];

// Starts programs as their own session, without a shell, with /dev/null for
// the standard streams; the started program is never left a zombie.
class PosixProgramLauncher : public ProgramLauncher {
 public:
  int Start(const char* program, const char* argument) override;
};

// Starts the default viewer with the shell (ShellExecuteW "open" of the
// page), any other program with CreateProcessW: found on PATH when it has
// no separator (never in the working directory), its one argument quoted,
// maximized, inheriting no handle of the caller's.
class Win32ProgramLauncher : public ProgramLauncher {
 public:
  int Start(const char* program, const char* argument) override;
};

// The launcher the program uses unless told otherwise.
ProgramLauncher& SystemLauncher();
