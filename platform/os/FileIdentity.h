#pragma once
// What tells one file from another whatever its name: a rename keeps it, so
// undo can prove that the file under a logged new name is the file that was
// renamed to it.

#include <cstdint>

// Invariant: `index` is 0 unless the file system keeps the number of a file
// for as long as the file lives (an ext4 or btrfs inode, an NTFS file
// index); on those it tells the file, elsewhere (the FAT and exFAT of
// camera cards, whose numbers are made up at each mount) size and
// modification time tell it.
struct FileIdentity {
  uint64_t size = 0;
  int64_t modified = 0;  // nanoseconds since 1970 (Windows: in its 100 ns steps)
  uint64_t index = 0;

  // Whether `now` may be the file this identity was taken of: the same
  // index where one was kept, else the same size and modification time.
  bool Matches(const FileIdentity& now) const {
    if (index != 0) return index == now.index;
    return size == now.size && modified == now.modified;
  }
};
