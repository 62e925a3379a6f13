#include "platform/os/FileServices.h"

namespace {

FileServices* inForce = nullptr;

}  // namespace

PackedNames FileServices::SearchNames(const char* searchText) {
  PackedNames names;
  for (const DirEntry& entry : Search(searchText, EntryDetail::kNamesOnly)) {
    if (!names.Add(entry.name)) return {};
  }
  return names;
}

FileServices& Files() { return inForce ? *inForce : SystemFileServices(); }

ScopedFileServices::ScopedFileServices(FileServices& replacement) : previous_(inForce) {
  inForce = &replacement;
}

ScopedFileServices::~ScopedFileServices() { inForce = previous_; }
