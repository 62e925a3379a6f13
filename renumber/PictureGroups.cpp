#include "renumber/PictureGroups.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <span>
#include <string_view>
#include <utility>

#include "renumber/NameRules.h"
#include "renumber/OwnFiles.h"

namespace {

constexpr uint32_t kNoKind = UINT32_MAX;
constexpr uint32_t kNoPicture = UINT32_MAX;

// The first listed kind a name is of, or kNoKind; a Finder's data file is of
// none.
uint32_t KindOf(const char* name, const std::vector<std::string>& kinds) {
  if (IsAppleDouble(name)) return kNoKind;
  for (uint32_t kind = 0; kind < kinds.size(); ++kind) {
    if (HasExtension(name, kinds[kind].c_str())) return kind;
  }
  return kNoKind;
}

// The pictures' stems, each to the first picture that has it: an open
// table of 8 bytes a slot (the high half of the stem's hash and the
// picture's place + 1), at most half full.
// Invariant: a stem is in the table once, at or after the slot its hash
// starts at, and no empty slot lies between.
class StemTable {
 public:
  StemTable(size_t pictures, const std::vector<const char*>& names, const std::vector<uint32_t>& stemBytes)
      : names_(names), stemBytes_(stemBytes) {
    size_t capacity = 16;
    while (capacity < 2 * pictures + 2) capacity *= 2;
    slots_.assign(capacity, 0);
  }

  // The picture whose stem `stem` is, or kNoPicture.
  uint32_t Find(std::string_view stem) const {
    const uint64_t hash = std::hash<std::string_view>()(stem);
    for (size_t at = hash & Mask();; at = (at + 1) & Mask()) {
      const uint64_t slot = slots_[at];
      if (slot == 0) return kNoPicture;
      const uint32_t picture = static_cast<uint32_t>(slot) - 1;
      if ((slot >> 32) == (hash >> 32) && Stem(picture) == stem) return picture;
    }
  }

  // Enters a picture whose stem is not in the table yet.
  void Add(uint32_t picture, std::string_view stem) {
    const uint64_t hash = std::hash<std::string_view>()(stem);
    size_t at = hash & Mask();
    while (slots_[at] != 0) at = (at + 1) & Mask();
    slots_[at] = (hash >> 32) << 32 | (picture + 1ull);
  }

 private:
  size_t Mask() const { return slots_.size() - 1; }
  std::string_view Stem(uint32_t picture) const { return {names_[picture], stemBytes_[picture]}; }

  const std::vector<const char*>& names_;   // the pictures so far
  const std::vector<uint32_t>& stemBytes_;  // of each picture
  std::vector<uint64_t> slots_;
};

}  // namespace

bool IsAppleDouble(const char* name) { return name[0] == '.' && name[1] == '_' && name[2] != '\0'; }

PictureGroups GroupPictures(const PackedNames& names, const std::vector<std::string>& kinds,
                            bool withCompanions) {
  PictureGroups grouped;
  std::vector<const char*>& pictures = grouped.pictures;
  size_t ofKinds = 0, others = 0;
  for (const char* name : names) {
    if (KindOf(name, kinds) != kNoKind) {
      ++ofKinds;
    } else if (withCompanions && !IsRunOwnFile(name)) {
      ++others;
    }
  }
  pictures.reserve(ofKinds);
  // Of one kind alone, with nothing else in the directory, no picture has a
  // companion: a directory of pictures alone keeps no table of stems.
  const bool oneKind = kinds.size() == 1;
  const bool grouping = withCompanions && (!oneKind || others > 0);
  std::vector<uint32_t> pictureKind, stemBytes;
  std::vector<uint64_t> kindsHeld;  // of each picture, a bit for each listed kind its group holds
  std::vector<Companion> found;     // each companion with its picture's place, in the order found
  StemTable byStem(grouping ? ofKinds : 0, pictures, stemBytes);
  if (grouping) {
    pictureKind.reserve(ofKinds);
    stemBytes.reserve(ofKinds);
    if (!oneKind) kindsHeld.reserve(ofKinds);
    found.reserve(others);
  }
  for (const char* name : names) {
    const uint32_t kind = KindOf(name, kinds);
    if (kind == kNoKind) continue;
    if (grouping) {
      const std::string_view stem(name, std::strlen(name) - 1 - kinds[kind].size());
      const uint32_t same = stem.empty() ? kNoPicture : byStem.Find(stem);
      const uint64_t bit = uint64_t{1} << (kind % 64);
      if (same != kNoPicture && !oneKind && !(kindsHeld[same] & bit)) {
        kindsHeld[same] |= bit;
        const char* companion = name;
        if (kind < pictureKind[same]) {  // an earlier listed kind is the picture
          companion = pictures[same];
          pictures[same] = name;
          pictureKind[same] = kind;
        }
        found.push_back({companion, same, static_cast<uint16_t>(stem.size()), false, false});
        continue;
      }
      if (same == kNoPicture && !stem.empty()) byStem.Add(static_cast<uint32_t>(pictures.size()), stem);
      pictureKind.push_back(kind);
      stemBytes.push_back(static_cast<uint32_t>(stem.size()));
      if (!oneKind) kindsHeld.push_back(bit);
    }
    pictures.push_back(name);
  }
  if (!grouping) return grouped;

  for (const char* name : names) {
    if (KindOf(name, kinds) != kNoKind || IsRunOwnFile(name)) continue;
    const bool appleDouble = IsAppleDouble(name);
    const char* base = appleDouble ? name + 2 : name;
    // The longest stem wins: the dots are tried from the right.
    for (size_t at = std::strlen(base); at-- > 1;) {
      if (base[at] != '.') continue;
      const uint32_t picture = byStem.Find(std::string_view(base, at));
      if (picture == kNoPicture) continue;
      const size_t pictureBytes = std::strlen(pictures[picture]);
      const bool whole = std::strncmp(base, pictures[picture], pictureBytes) == 0 &&
                         (base[pictureBytes] == '.' || base[pictureBytes] == '\0');
      const size_t offset = appleDouble ? 2 : 0;
      found.push_back({name, picture, static_cast<uint16_t>(offset + (whole ? pictureBytes : at)), appleDouble, whole});
      break;
    }
  }

  // The companions by their pictures, each picture's in the order found.
  // They are found in that order where names sort as their stems do;
  // otherwise a counting sort puts them so.
  std::vector<uint32_t> start(pictures.size() + 1, 0);
  for (const Companion& companion : found) ++start[companion.picture + 1];
  size_t groups = 0;
  for (size_t picture = 0; picture < pictures.size(); ++picture) {
    groups += start[picture + 1] > 0;
    start[picture + 1] += start[picture];
  }
  const auto byPicture = [](const Companion& a, const Companion& b) { return a.picture < b.picture; };
  if (std::is_sorted(found.begin(), found.end(), byPicture)) {
    grouped.companions = std::move(found);
  } else {
    grouped.companions.resize(found.size());
    std::vector<uint32_t> next(start.begin(), start.end() - 1);
    for (const Companion& companion : found) grouped.companions[next[companion.picture]++] = companion;
    std::vector<Companion>().swap(found);
  }
  grouped.withCompanions.reserve(groups);
  for (uint32_t picture = 0; picture < pictures.size(); ++picture) {
    if (start[picture + 1] == start[picture]) continue;
    grouped.withCompanions.push_back({pictures[picture], grouped.companions.data() + start[picture],
                                      start[picture + 1] - start[picture], pictureKind[picture]});
  }
  return grouped;
}

std::string CompanionName(const Companion& companion, std::string_view newPicture, size_t newStemBytes) {
  std::string name = companion.appleDouble ? "._" : "";
  name += companion.afterWholeName ? newPicture : newPicture.substr(0, newStemBytes);
  name += companion.name + companion.keptFrom;
  return name;
}
