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
  // Every node gets the same key, so with the default comparison the list
  // keeps the search's delivery order.
  for (const DirEntry& entry : Files().Search(searchPath_, detail_)) {
    Add(new ListNode("FCB", new FileItem(entry)));
  }
}

const char* FileList::CurrentName() {
  ListNode* node = Current();
  return node ? static_cast<FileItem*>(node->Item())->name : nullptr;
}
