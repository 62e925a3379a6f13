#include "platform/os/DirectoryPicture.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "platform/os/FileServices.h"
#include "platform/os/WildcardMatch.h"

namespace {

// Renamed names are packed into blocks of this size, addressed by the block
// in the high half of a 32-bit handle and the place in it in the low half.
constexpr size_t kBlockBytes = 1 << 16;
constexpr size_t kMostBlocks = 0xFFFF;  // so no handle is DirectoryPicture's kAsRead

constexpr uint32_t kErased = UINT32_MAX;  // in a slot's low half: an entry that was there

uint64_t HashOf(std::string_view name) { return std::hash<std::string_view>()(name); }
uint32_t EntryOf(uint64_t slot) { return static_cast<uint32_t>(slot); }
uint64_t SlotOf(uint32_t entry, uint64_t hash) { return (hash & 0xFFFFFFFF00000000ull) | (entry + 1ull); }

}  // namespace

DirectoryPicture::DirectoryPicture(FileServices& services, std::string directory)
    : services_(&services), directory_(std::move(directory)) {
  // "*" alone searches the current directory, as a bare name does.
  const std::string everything = (directory_ == "." ? std::string() : directory_) + "*";
  original_ = services.SearchNames(everything.c_str());
  BuildIndex();
}

DirectoryPicture::DirectoryPicture(PackedNames names) : original_(std::move(names)) { BuildIndex(); }

DirectoryPicture::~DirectoryPicture() = default;

void DirectoryPicture::BuildIndex() {
  entryCount_ = original_.Count();
  current_.assign(entryCount_, kAsRead);
  size_t capacity = 16;
  while (capacity < 2 * entryCount_ + 2) capacity *= 2;
  index_.assign(capacity, 0);
  indexUsed_ = 0;
  for (uint32_t entry = 0; entry < entryCount_; ++entry) {
    // A listing holds each name once; a second one would be a fault of the
    // services, and only the first is found.
    const uint64_t hash = HashOf(original_[entry]);
    if (FindHashed(original_[entry], hash) == kNone) Insert(entry, hash);
  }
}

const char* DirectoryPicture::CurrentName(size_t entry) const {
  const uint32_t at = current_[entry];
  if (at == kAsRead) return original_[entry];
  return renamedText_[at >> 16].get() + (at & 0xFFFF);
}

size_t DirectoryPicture::Find(std::string_view name) const { return FindHashed(name, HashOf(name)); }

size_t DirectoryPicture::FindHashed(std::string_view name, uint64_t hash) const {
  const size_t mask = index_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const uint64_t slot = index_[at];
    if (slot == 0) return kNone;
    const uint32_t held = EntryOf(slot);
    if (held == kErased || (slot ^ hash) >> 32 != 0) continue;
    if (name == CurrentName(held - 1)) return held - 1;
  }
}

void DirectoryPicture::Insert(uint32_t entry, uint64_t hash) {
  const size_t mask = index_.size() - 1;
  size_t at = hash & mask;
  while (index_[at] != 0 && EntryOf(index_[at]) != kErased) at = (at + 1) & mask;
  if (index_[at] == 0) ++indexUsed_;
  index_[at] = SlotOf(entry, hash);
}

void DirectoryPicture::Erase(uint32_t entry, uint64_t hash) {
  const size_t mask = index_.size() - 1;
  for (size_t at = hash & mask; index_[at] != 0; at = (at + 1) & mask) {
    if (EntryOf(index_[at]) == entry + 1) {
      index_[at] = (index_[at] & 0xFFFFFFFF00000000ull) | kErased;
      return;
    }
  }
}

void DirectoryPicture::GrowIndexIfFull() {
  // Erased slots count as used, so the probes always meet an empty slot.
  if (4 * (indexUsed_ + 1) <= 3 * index_.size()) return;
  size_t capacity = index_.size();
  while (capacity < 2 * entryCount_ + 2) capacity *= 2;
  std::vector<uint64_t> old(capacity, 0);
  old.swap(index_);
  indexUsed_ = 0;
  for (const uint64_t slot : old) {
    if (slot != 0 && EntryOf(slot) != kErased) {
      const uint32_t entry = EntryOf(slot) - 1;
      Insert(entry, HashOf(CurrentName(entry)));
    }
  }
}

int DirectoryPicture::Rename(const char* from, const char* to) {
  const uint64_t fromHash = HashOf(from);
  const size_t entry = FindHashed(from, fromHash);
  if (entry == kNone) return ENOENT;
  const std::string_view toName(to);
  if (toName.size() > kLongestName) return ENAMETOOLONG;
  const uint64_t toHash = HashOf(toName);
  if (FindHashed(toName, toHash) != kNone) return EEXIST;
  const size_t length = toName.size();

  if (renamedText_.empty() || renamedTextUsed_ + length + 1 > kBlockBytes) {
    if (renamedText_.size() == kMostBlocks) return ENOSPC;
    renamedText_.push_back(std::make_unique<char[]>(kBlockBytes));
    renamedTextUsed_ = 0;
  }
  const uint32_t handle = static_cast<uint32_t>((renamedText_.size() - 1) << 16 | renamedTextUsed_);
  std::memcpy(renamedText_.back().get() + renamedTextUsed_, to, length + 1);
  renamedTextUsed_ += length + 1;

  Erase(static_cast<uint32_t>(entry), fromHash);
  current_[entry] = handle;
  GrowIndexIfFull();
  Insert(static_cast<uint32_t>(entry), toHash);
  anyRenamed_ = true;
  return 0;
}

PackedNames DirectoryPicture::List(const char* pattern) const {
  PackedNames names;
  for (size_t entry = 0; entry < entryCount_; ++entry) {
    const char* name = CurrentName(entry);
    if (MatchesWildcard(pattern, name)) names.Add(name);  // no more than was read and renamed
  }
  if (anyRenamed_) names.SortInNaturalOrder();
  return names;
}

const DirEntry* DirectoryPicture::RecordOf(size_t entry) {
  if (!records_) {
    records_ = std::make_unique<std::vector<DirEntry>>(entryCount_);
    if (services_) {
      std::unordered_map<std::string_view, size_t> byFirstName;
      for (size_t i = 0; i < entryCount_; ++i) byFirstName.emplace(original_[i], i);
      const std::string everything = (directory_ == "." ? std::string() : directory_) + "*";
      for (DirEntry& record : services_->Search(everything.c_str(), EntryDetail::kFullRecords)) {
        const auto found = byFirstName.find(record.name);
        if (found != byFirstName.end()) (*records_)[found->second] = std::move(record);
      }
    }
  }
  return &(*records_)[entry];
}

std::vector<DirEntry> DirectoryPicture::ListRecords(const char* pattern) {
  std::vector<DirEntry> found;
  for (const char* name : List(pattern)) {
    DirEntry record = *RecordOf(Find(name));
    record.name = name;
    found.push_back(std::move(record));
  }
  return found;
}

bool DirectoryPicture::IsDirectory(std::string_view name) {
  const size_t entry = Find(name);
  return entry != kNone && (RecordOf(entry)->attributes & FileAttribute::kDirectory) != 0;
}
