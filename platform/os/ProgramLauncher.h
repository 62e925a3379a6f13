#pragma once
// Starting another program, such as the viewer of the slideshow page.

class ProgramLauncher {
 public:
  virtual ~ProgramLauncher() = default;
  // Starts `program` (looked up on PATH when it has no "/") with exactly one
  // argument and does not wait for it to end. 0 once it runs; else the
  // errno value of why it could not be started (ENOENT: no such program).
  virtual int Start(const char* program, const char* argument) = 0;
};

// Starts programs as their own session, without a shell, with /dev/null for
// the standard streams; the started program is never left a zombie.
class PosixProgramLauncher : public ProgramLauncher {
 public:
  int Start(const char* program, const char* argument) override;
};

// The launcher the program uses unless told otherwise.
ProgramLauncher& SystemLauncher();
