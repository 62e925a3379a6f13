#pragma once
// What a renumbering pass reports while it renames, as numbers: the window
// turns them into its count line, the command line into a progress display.

// Invariant: a pass calls Started once, then Renaming once per entry it
// takes up, then Finished once, also after a failure. A run that carries
// out the renames its passes planned does the same with pass 0, counting
// the renames it makes; it calls Started again, counting on, when the
// directory changed under it and it planned anew.
class PassProgress {
 public:
  virtual ~PassProgress() = default;
  // Renaming begins: which pass of the run (1, or 2 for a directory numbered
  // before; 0 for a run's planned renames) and how many entries it will
  // take up.
  virtual void Started(int pass, long total) = 0;
  // The next entry is taken up; `renamed` entries are renamed so far.
  virtual void Renaming(long renamed) = 0;
  // The pass ends with `renamed` entries renamed.
  virtual void Finished(long renamed) = 0;
};
