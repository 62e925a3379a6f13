#pragma once
// A directory listing: one node per entry that matches a wildcard pattern,
// each owning the entry's FileItem, sorted by name, extension or time of
// day, or kept in the order the directory search delivers the entries.

#include <cstdint>

#include "fsystem/SortLLst.h"
#include "platform/os/DirEntry.h"
#include "platform/os/PackedNames.h"

// Sort types for FileList::Load.
constexpr int kSortAsListed = 0;  // the search's own order (any value but 1 to 3)
constexpr int kSortByName = 1;
constexpr int kSortByExtension = 2;
constexpr int kSortByTime = 3;

class FileList : public SortLLst {
 public:
  FileList() = default;
  ~FileList() override;

  const char* ClassName() const override;

  // Sets the search path (directory immediately followed by pattern), the
  // user value and the comparison, then scans. The outcome shows in First().
  void Load(const char* directory, const char* pattern, int userValue, int sortType);
  // Load(directory, pattern, 0, kSortAsListed) for a walker that reads
  // nothing but names, such as the renumbering pass: each record holds its
  // name, and its time key, size and attributes stay 0, unread, so that the
  // listing costs no system call per entry. Later Scans read names alone
  // too, until the next Load.
  //
  // The names are held packed (Names()), and the records are made from them
  // only when the list is first walked or changed: a walker of Names() alone
  // costs a few bytes per entry rather than a record and a node.
  void LoadNames(const char* directory, const char* pattern);
  // The names of the latest LoadNames or its Scan, in list order; empty
  // after a Load.
  const PackedNames& Names() const { return names_; }
  // Rebuilds the list from the search path with the current comparison.
  // Without a search path, or when the search fails, the list is left empty.
  void Scan();
  // The current entry's name without its directory; null without a current node.
  const char* CurrentName();

  const char* SearchPath() const { return searchPath_; }
  int32_t UserValue() const { return userValue_; }

  // The list's operations, each after the records of a names-only load are made.
  int Add(ListNode* node) override;
  int RemoveCurrent() override;
  int RemoveAll() override;
  ListNode* Next() override;
  ListNode* Previous() override;
  ListNode* First() override;
  ListNode* Last() override;
  ListNode* Current() override;
  ListNode* GoTo(int n) override;
  int Position() override;
  ListNode* Find(const char* key) override;
  int InsertBefore(ListNode* node) override;

 private:
  void SetSearchPath(const char* directory, const char* pattern);
  // Makes the nodes and records of names not yet made into records.
  void MakeRecords();

  char* searchPath_ = nullptr;
  int32_t userValue_ = 0;
  EntryDetail detail_ = EntryDetail::kFullRecords;
  PackedNames names_;
  bool recordsPending_ = false;  // names_ are listed but have no nodes yet
};
