#include "platform/os/DirectoryPicture.h"

#include <cerrno>
#include <cstring>
#include <functional>
#include <unordered_map>

#include "platform/os/FileServices.h"
#include "platform/os/NaturalOrder.h"
#include "platform/os/WildcardMatch.h"

namespace {

// Renamed names are packed into blocks of this size, addressed by the block
// in the high half of a 32-bit handle and the place in it in the low half.
constexpr size_t kBlockBytes = 1 << 16;
constexpr size_t kMostBlocks = 0xFFFF;  // so no handle is DirectoryPicture's kAsRead

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether `held` (zero-terminated) is `name`, as the system matches names.
bool SameName(const char* held, std::string_view name, bool ignoringCase) {
  if (!ignoringCase) return std::strncmp(held, name.data(), name.size()) == 0 && held[name.size()] == '\0';
  for (const char c : name) {
    if (*held == '\0' || AsciiLower(*held++) != AsciiLower(c)) return false;
  }
  return *held == '\0';
}
uint32_t EntryOf(uint64_t slot) { return static_cast<uint32_t>(slot); }
// A slot keeps the low half of its name's hash, which also says where the
// name's probing starts.
uint64_t SlotOf(uint32_t entry, uint64_t hash) { return hash << 32 | (entry + 1ull); }
size_t HomeOf(uint64_t slot, size_t mask) { return (slot >> 32) & mask; }

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
  // A picture's entries are only renamed, never added: the index keeps its
  // size, at most three quarters full (a search that finds nothing then
  // looks at a few slots of one or two cache lines).
  size_t capacity = 16;
  while (3 * capacity < 4 * (entryCount_ + 1)) capacity *= 2;
  index_.assign(capacity, 0);
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

uint64_t DirectoryPicture::HashOf(std::string_view name) const {
  if (!ignoringCase_) return std::hash<std::string_view>()(name);
  uint64_t hash = 14695981039346656037ull;  // FNV-1a over the folded bytes
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(AsciiLower(c))) * 1099511628211ull;
  return hash ^ hash >> 29;
}

size_t DirectoryPicture::Find(std::string_view name) const { return FindHashed(name, HashOf(name)); }

size_t DirectoryPicture::FindHashed(std::string_view name, uint64_t hash) const {
  const size_t mask = index_.size() - 1;
  for (size_t at = hash & mask;; at = (at + 1) & mask) {
    const uint64_t slot = index_[at];
    if (slot == 0) return kNone;
    if ((slot >> 32) != (hash & 0xFFFFFFFF)) continue;
    const char* held = CurrentName(EntryOf(slot) - 1);
    if (SameName(held, name, ignoringCase_)) return EntryOf(slot) - 1;
  }
}

void DirectoryPicture::Insert(uint32_t entry, uint64_t hash) {
  const size_t mask = index_.size() - 1;
  size_t at = hash & mask;
  while (index_[at] != 0) at = (at + 1) & mask;
  index_[at] = SlotOf(entry, hash);
}

void DirectoryPicture::Erase(uint32_t entry, uint64_t hash) {
  const size_t mask = index_.size() - 1;
  size_t hole = hash & mask;
  while (EntryOf(index_[hole]) != entry + 1) hole = (hole + 1) & mask;
  // The slots after the hole move back into it where their probing starts
  // at or before it, so that every probe still meets its name before an
  // empty slot, and no slot is ever marked as erased.
  index_[hole] = 0;
  for (size_t at = (hole + 1) & mask; index_[at] != 0; at = (at + 1) & mask) {
    const size_t home = HomeOf(index_[at], mask);
    const bool homeAfterHole = hole <= at ? (home > hole && home <= at) : (home > hole || home <= at);
    if (homeAfterHole) continue;
    index_[hole] = index_[at];
    index_[at] = 0;
    hole = at;
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
  Insert(static_cast<uint32_t>(entry), toHash);
  anyRenamed_ = true;
  if (turns_.empty()) turns_.assign(entryCount_, 0);
  turns_[entry] = ++renames_;
  return 0;
}

PackedNames DirectoryPicture::List(const char* pattern) const {
  const auto matches = [pattern](const char* name) { return MatchesWildcard(pattern, name); };
  // Nothing renamed: the names as read, in their order, without a copy.
  if (!anyRenamed_) return original_.Selected(matches);

  // Measured first, so that a million names take their room and no more.
  size_t count = 0, bytes = 0;
  for (size_t entry = 0; entry < entryCount_; ++entry) {
    const char* name = CurrentName(entry);
    if (matches(name)) {
      ++count;
      bytes += std::strlen(name) + 1;
    }
  }
  PackedNames names;
  names.Reserve(count, bytes);
  for (size_t entry = 0; entry < entryCount_; ++entry) {
    const char* name = CurrentName(entry);
    if (matches(name)) names.Add(name);  // no more than was read and renamed
  }
  SortInNaturalOrder(names);
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
