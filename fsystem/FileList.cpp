#include "fsystem/FileList.h"

#include <cstring>

#include "fsystem/FileCompare.h"
#include "fsystem/FileItem.h"
#include "platform/os/FileServices.h"

FileList::~FileList() { delete[] searchPath_; }

const char* FileList::ClassName() const { return "FileList"; }

void FileList::SetSearchPath(const char* directory, const char* pattern) {
  delete[] searchPath_;
  const size_t directoryLength = std::strlen(directory);
  searchPath_ = new char[directoryLength + std::strlen(pattern) + 1];
  std::strcpy(searchPath_, directory);
  std::strcpy(searchPath_ + directoryLength, pattern);
}

void FileList::Load(const char* directory, const char* pattern, int userValue, int sortType) {
  userValue_ = userValue;
  SetSearchPath(directory, pattern);
  detail_ = EntryDetail::kFullRecords;

  switch (sortType) {
    case kSortByName: SetCompare(CompareNames); break;
    case kSortByExtension: SetCompare(CompareExtensions); break;
    case kSortByTime: SetCompare(CompareTimes); break;
    default: SetDefaultCompare(); break;
  }
  Scan();
}

void FileList::LoadNames(const char* directory, const char* pattern) {
  userValue_ = 0;
  SetSearchPath(directory, pattern);
  detail_ = EntryDetail::kNamesOnly;
  SetDefaultCompare();
  Scan();
}

void FileList::Scan() {
  RemoveAll();
  if (!searchPath_) return;
  if (detail_ == EntryDetail::kNamesOnly) {
    names_ = Files().SearchNames(searchPath_);
    recordsPending_ = true;
    return;
  }
  // Every node gets the same key, so with the default comparison the list
  // keeps the search's delivery order.
  for (const DirEntry& entry : Files().Search(searchPath_, detail_)) {
    Add(new ListNode("FCB", new FileItem(entry)));
  }
}

void FileList::MakeRecords() {
  if (!recordsPending_) return;
  recordsPending_ = false;
  DirEntry entry;
  for (const char* name : names_) {
    entry.name = name;
    SortLLst::Add(new ListNode("FCB", new FileItem(entry)));
  }
}

int FileList::Add(ListNode* node) {
  MakeRecords();
  return SortLLst::Add(node);
}

int FileList::RemoveCurrent() {
  MakeRecords();
  return SortLLst::RemoveCurrent();
}

int FileList::RemoveAll() {
  names_ = PackedNames();
  recordsPending_ = false;
  return SortLLst::RemoveAll();
}

ListNode* FileList::Next() {
  MakeRecords();
  return SortLLst::Next();
}

ListNode* FileList::Previous() {
  MakeRecords();
  return SortLLst::Previous();
}

ListNode* FileList::First() {
  MakeRecords();
  return SortLLst::First();
}

ListNode* FileList::Last() {
  MakeRecords();
  return SortLLst::Last();
}

ListNode* FileList::Current() {
  MakeRecords();
  return SortLLst::Current();
}

ListNode* FileList::GoTo(int n) {
  MakeRecords();
  return SortLLst::GoTo(n);
}

int FileList::Position() {
  MakeRecords();
  return SortLLst::Position();
}

ListNode* FileList::Find(const char* key) {
  MakeRecords();
  return SortLLst::Find(key);
}

int FileList::InsertBefore(ListNode* node) {
  MakeRecords();
  return SortLLst::InsertBefore(node);
}

const char* FileList::CurrentName() {
  ListNode* node = Current();
  return node ? static_cast<FileItem*>(node->Item())->name : nullptr;
}
