#pragma once
// One directory as it would be after the renames made in this picture: its
// names are read once from file services, and every rename after that is
// made here alone, in memory. A run works out on a picture what its passes
// would do before it renames anything on disk, and a dry run shows a run's
// renames on one. Each entry keeps the name it was read with, so what a run
// would do comes out as each entry's name before and after.
//
// A million entries take some 50 MB: the names in two packed buffers (as
// read, and as renamed) and an index of 8 bytes a slot.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/DirEntry.h"
#include "platform/os/NameMatching.h"
#include "platform/os/PackedNames.h"

class FileServices;

// Invariant: every entry has one current name, no two entries have the same
// one, and the index finds each entry by its current name.
class DirectoryPicture {
 public:
  static constexpr size_t kNone = SIZE_MAX;
  // The longest name a rename in a picture takes.
  static constexpr size_t kLongestName = 4095;

  // The entries of `directory` ("pics/", or "." for the current one) as
  // `services` list them (SearchNames), "." and ".." included.
  DirectoryPicture(FileServices& services, std::string directory);
  // A picture of entries with these names, in this order, read from no
  // directory.
  explicit DirectoryPicture(PackedNames names);
  ~DirectoryPicture();
  DirectoryPicture(const DirectoryPicture&) = delete;
  DirectoryPicture& operator=(const DirectoryPicture&) = delete;

  // Whether the directory could be read: a readable one lists "." at least.
  bool Readable() const { return entryCount_ > 0; }

  size_t EntryCount() const { return entryCount_; }
  const char* OriginalName(size_t entry) const { return original_[entry]; }
  const char* CurrentName(size_t entry) const;
  bool Renamed(size_t entry) const { return current_[entry] != kAsRead; }
  // When the entry was last renamed: 1 for the picture's first rename, and
  // on; 0 for an entry never renamed.
  uint32_t RenameTurn(size_t entry) const { return turns_.empty() ? 0 : turns_[entry]; }
  // How many renames were made in the picture.
  uint32_t Renames() const { return renames_; }

  // The entry that now bears `name` (in any case of letters where the
  // system's names match so: NamesMatchIgnoringCase), or kNone.
  size_t Find(std::string_view name) const;
  bool Exists(std::string_view name) const { return Find(name) != kNone; }

  // Renames an entry in the picture, never replacing a name: 0, or ENOENT
  // (no entry bears `from`), EEXIST (`to` is taken) or ENAMETOOLONG.
  int Rename(const char* from, const char* to);

  // The current names that match a wildcard pattern: in the order the
  // services listed them while nothing is renamed, and in natural order
  // (CompareNatural) once anything is, as a fresh listing would give them.
  PackedNames List(const char* pattern) const;

  // The same with each entry's record as the services read it under its
  // first name (the services are asked once, on the first call).
  std::vector<DirEntry> ListRecords(const char* pattern);

  // Whether the entry bearing `name` is a directory, as its record says.
  bool IsDirectory(std::string_view name);

 private:
  static constexpr uint32_t kAsRead = UINT32_MAX;  // in current_: the name as read

  void BuildIndex();
  // The hash of a name, the same for names the system takes for one.
  uint64_t HashOf(std::string_view name) const;
  size_t FindHashed(std::string_view name, uint64_t hash) const;
  void Insert(uint32_t entry, uint64_t hash);
  void Erase(uint32_t entry, uint64_t hash);
  const DirEntry* RecordOf(size_t entry);

  FileServices* services_ = nullptr;  // null for a picture read from no directory
  const bool ignoringCase_ = NamesMatchIgnoringCase();
  std::string directory_;
  PackedNames original_;
  size_t entryCount_ = 0;
  // Per entry: where its new name is in renamedText_, or kAsRead.
  std::vector<uint32_t> current_;
  std::vector<uint32_t> turns_;  // per entry, from the first rename on: RenameTurn
  uint32_t renames_ = 0;
  // The names given by renames, packed in blocks that never move.
  std::vector<std::unique_ptr<char[]>> renamedText_;
  size_t renamedTextUsed_ = 0;  // bytes of the last block in use
  // Open addressing by the hash of each current name, probing on to the
  // next slot: a slot holds the entry + 1 in its low half (0: empty) and
  // the low half of the name's hash.
  std::vector<uint64_t> index_;
  bool anyRenamed_ = false;
  std::unique_ptr<std::vector<DirEntry>> records_;  // by entry, read when first asked for
};
