#pragma once
// File services that behave as the real ones except where a test asks for a
// fault: a listing in a chosen order, a rename that fails at the k-th call,
// a file that cannot be opened.

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

#include "platform/PosixFileServices.h"

class FaultyFileServices : public PosixFileServices {
 public:
  std::vector<DirEntry> Search(const char* searchText) override {
    std::vector<DirEntry> entries = PosixFileServices::Search(searchText);
    if (listingOrder.empty()) return entries;
    std::vector<DirEntry> ordered;
    for (const std::string& name : listingOrder) {
      for (const DirEntry& entry : entries) {
        if (entry.name == name) ordered.push_back(entry);
      }
    }
    return ordered;
  }

  int Rename(const char* from, const char* to) override {
    ++renameCalls;
    if (renameCalls == failRenameAt) return failRenameWith;
    return PosixFileServices::Rename(from, to);
  }

  FILE* Open(const char* path, const char* mode) override {
    if (failOpen) {
      errno = EACCES;
      return nullptr;
    }
    return PosixFileServices::Open(path, mode);
  }

  int Replace(const char* from, const char* to) override {
    if (failReplace) return EACCES;
    return PosixFileServices::Replace(from, to);
  }

  // The names the listing delivers, in this order (names not on disk are
  // skipped); empty: the real order.
  std::vector<std::string> listingOrder;
  int failRenameAt = 0;  // 1-based rename call that fails; 0: none
  int failRenameWith = EACCES;
  bool failOpen = false;
  bool failReplace = false;
  int renameCalls = 0;
};
