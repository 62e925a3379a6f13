#include "renumber/RenamePlan.h"

#include <cstring>
#include <functional>
#include <string_view>

namespace {

// The entries that change names, found by the name they were read with:
// whose name a move needs, and so which move must go first.
// Invariant: every slot is 0 or the entry + 1 of a moving entry whose first
// name hashes there or (probing on) after.
class FirstNames {
 public:
  FirstNames(const DirectoryPicture& picture, const std::vector<uint32_t>& moving) : picture_(picture) {
    size_t capacity = 16;
    while (capacity < 2 * moving.size() + 2) capacity *= 2;
    slots_.assign(capacity, 0);
    for (const uint32_t entry : moving) {
      const uint64_t hash = Hash(picture.OriginalName(entry));
      size_t at = hash & (slots_.size() - 1);
      while (slots_[at] != 0) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = (hash & 0xFFFFFFFF00000000ull) | (entry + 1ull);
    }
  }

  // The moving entry that was read with `name`, or DirectoryPicture::kNone.
  size_t Holder(std::string_view name) const {
    const uint64_t hash = Hash(name);
    for (size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
      const uint64_t slot = slots_[at];
      if (slot == 0) return DirectoryPicture::kNone;
      const uint32_t entry = static_cast<uint32_t>(slot) - 1;
      if ((slot ^ hash) >> 32 == 0 && name == picture_.OriginalName(entry)) return entry;
    }
  }

 private:
  static uint64_t Hash(std::string_view name) { return std::hash<std::string_view>()(name); }

  const DirectoryPicture& picture_;
  std::vector<uint64_t> slots_;
};

// A name of the run's kind for a cycle's file while the cycle goes round:
// visible, so a kill mid-cycle leaves nothing hidden, and renumbered by a
// later run like any other entry.
//   1, "jpg" => "renum-swap-1.jpg"
std::string TemporaryName(unsigned long number, const char* extension) {
  return "renum-swap-" + std::to_string(number) + "." + extension;
}

}  // namespace

RenamePlan RenamePlan::Between(std::unique_ptr<DirectoryPicture> picture, const char* extension) {
  RenamePlan plan;
  const DirectoryPicture& names = *picture;
  std::vector<uint32_t> moving;
  for (uint32_t entry = 0; entry < names.EntryCount(); ++entry) {
    if (names.Renamed(entry) && std::strcmp(names.OriginalName(entry), names.CurrentName(entry)) != 0) {
      moving.push_back(entry);
    }
  }
  const FirstNames firstNames(names, moving);

  std::vector<char> done(names.EntryCount(), 0);
  // The moving entry, not yet moved, whose first name `entry` needs.
  const auto blocker = [&](uint32_t entry) {
    const size_t holder = firstNames.Holder(names.CurrentName(entry));
    return holder == DirectoryPicture::kNone || done[holder] ? DirectoryPicture::kNone : holder;
  };
  plan.steps_.reserve(moving.size());
  unsigned long lastTemporary = 0;
  std::vector<uint32_t> path;
  for (const uint32_t start : moving) {
    if (done[start]) continue;
    // Follow the moves each needs until one needs a free name (a chain) or
    // the first one's (a cycle). No entry needs two names and no name is
    // needed twice, so the walk meets no other entry of its own path.
    path.assign(1, start);
    size_t next;
    while ((next = blocker(path.back())) != DirectoryPicture::kNone && next != start && path.size() <= moving.size()) {
      path.push_back(static_cast<uint32_t>(next));
    }
    const bool cycle = next == start;
    if (cycle) {
      std::string temporary;
      do {
        temporary = TemporaryName(++lastTemporary, extension);
      } while (names.Exists(temporary) || firstNames.Holder(temporary) != DirectoryPicture::kNone);
      plan.temporaryOf_.emplace(start, plan.temporaries_.size());
      plan.temporaries_.push_back(std::move(temporary));
      plan.steps_.push_back(Step(start, kToTemporary));
    }
    for (size_t i = path.size(); i-- > (cycle ? 1 : 0);) plan.steps_.push_back(Step(path[i], kMove));
    if (cycle) plan.steps_.push_back(Step(start, kFromTemporary));
    for (const uint32_t entry : path) done[entry] = 1;
  }
  plan.picture_ = std::move(picture);
  return plan;
}

PlannedRename RenamePlan::operator[](size_t i) const {
  const uint32_t step = steps_[i];
  const uint32_t entry = step & ((1u << kKindShift) - 1);
  switch (static_cast<Kind>(step >> kKindShift)) {
    case kToTemporary:
      return {picture_->OriginalName(entry), temporaries_[temporaryOf_.at(entry)].c_str()};
    case kFromTemporary:
      return {temporaries_[temporaryOf_.at(entry)].c_str(), picture_->CurrentName(entry)};
    case kMove: break;
  }
  return {picture_->OriginalName(entry), picture_->CurrentName(entry)};
}
