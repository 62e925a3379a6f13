#pragma once
// The renames that carry a directory from the names its entries have to the
// names the passes gave them in a picture of it, with as few renames as
// there can be: an entry whose name stays is not touched, a chain of moves
// (each onto the name the next one leaves) runs from its free end, and a
// cycle of moves takes one temporary name and one rename more.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/os/DirectoryPicture.h"

struct PlannedRename {
  const char* from;
  const char* to;
};

// Invariant: made one after another, on a directory whose names are the
// picture's names as read, every rename finds its old name there and its
// new name free, and after the last each entry bears its name in the
// picture; no rename's new name is a name the directory had, unless the
// rename before it freed that name.
class RenamePlan {
 public:
  // The plan for the entries of `picture` from the names they were read
  // with to the names they bear now. A cycle's temporary name is
  // "renum-swap-<n>.<extension>" with n = 1, 2, ..., each free both as
  // read and as renamed, and each used by one cycle only: no state of the
  // directory during the plan repeats a state with the files elsewhere,
  // except where a whole cycle ends.
  static RenamePlan Between(std::unique_ptr<DirectoryPicture> picture, const char* extension);

  size_t Size() const { return steps_.size(); }
  PlannedRename operator[](size_t i) const;
  // How many cycles needed a temporary name.
  size_t Cycles() const { return temporaries_.size(); }

 private:
  enum Kind : uint32_t {
    kMove = 0,           // the entry's name as read -> its name now
    kToTemporary = 1,    // the entry's name as read -> its cycle's temporary name
    kFromTemporary = 2,  // the temporary name -> the entry's name now
  };
  static constexpr int kKindShift = 30;
  static uint32_t Step(uint32_t entry, Kind kind) { return entry | static_cast<uint32_t>(kind) << kKindShift; }

  std::unique_ptr<DirectoryPicture> picture_;  // the names the steps stand for
  std::vector<uint32_t> steps_;                // entry | kind << kKindShift
  std::vector<std::string> temporaries_;
  std::unordered_map<uint32_t, size_t> temporaryOf_;  // entry that opens a cycle -> its temporary name
};
