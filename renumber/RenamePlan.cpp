#include "renumber/RenamePlan.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string_view>

#include "renumber/OwnFiles.h"

namespace {

// A name of the file's own kind for a cycle's file while the cycle goes
// round: visible, so a kill mid-cycle leaves nothing hidden, and a picture
// is renumbered by a later run like any other entry, while a companion
// (whose kind is the ending of its name) is not taken for a picture.
//   1, "00002.jpg", "jpg"     => "renum-swap-1.jpg"
//   2, "00002.jpg.xmp", "jpg" => "renum-swap-2.xmp"
//   3, "00002", "jpg"         => "renum-swap-3.jpg"
constexpr const char* kTemporaryStart = kTemporaryNameStart;
std::string TemporaryName(unsigned long number, const char* name, const char* extension) {
  const char* dot = std::strrchr(name, '.');
  const bool ownEnding = dot && dot[1] != '\0' && std::strlen(dot + 1) <= 16;
  return kTemporaryStart + std::to_string(number) + "." + (ownEnding ? dot + 1 : extension);
}

}  // namespace

RenamePlan RenamePlan::Between(std::unique_ptr<DirectoryPicture> picture, const char* extension) {
  RenamePlan plan;
  const DirectoryPicture& names = *picture;
  constexpr uint32_t kNoEntry = UINT32_MAX;
  // The entries whose names change, in the order they got their names
  // last, the order of their numbers: so a plan reads like the numbering.
  std::vector<uint32_t> moving(names.Renames() + 1, kNoEntry);
  for (uint32_t entry = 0; entry < names.EntryCount(); ++entry) {
    if (names.Renamed(entry) && std::strcmp(names.OriginalName(entry), names.CurrentName(entry)) != 0) {
      moving[names.RenameTurn(entry)] = entry;
    }
  }
  moving.erase(std::remove(moving.begin(), moving.end(), kNoEntry), moving.end());
  // For each moving entry, the one that bears, as read, the name it is to
  // take, and so must move first; kNoEntry when that name is free. The entry
  // to take a name is found by the name it bears now.
  std::vector<uint32_t> blocker(names.EntryCount(), kNoEntry);
  std::set<std::string_view> firstNamesLikeTemporaries;
  for (const uint32_t entry : moving) {
    const char* firstName = names.OriginalName(entry);
    const size_t taker = names.Find(firstName);
    if (taker != DirectoryPicture::kNone) blocker[taker] = entry;
    if (std::strncmp(firstName, kTemporaryStart, std::strlen(kTemporaryStart)) == 0) {
      firstNamesLikeTemporaries.insert(firstName);
    }
  }

  std::vector<char> done(names.EntryCount(), 0);
  plan.steps_.reserve(moving.size());
  unsigned long lastTemporary = 0;
  std::vector<uint32_t> path;
  for (const uint32_t start : moving) {
    if (done[start]) continue;
    // Follow the moves each needs until one needs a free name (a chain) or
    // the first one's (a cycle). No entry needs two names and no name is
    // needed twice, so the walk meets no other entry of its own path.
    path.assign(1, start);
    uint32_t next;
    while ((next = blocker[path.back()]) != kNoEntry && !done[next] && next != start && path.size() <= moving.size()) {
      path.push_back(next);
    }
    const bool cycle = next == start;
    if (cycle) {
      std::string temporary;
      do {
        temporary = TemporaryName(++lastTemporary, names.CurrentName(start), extension);
      } while (names.Exists(temporary) || firstNamesLikeTemporaries.count(temporary));
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
