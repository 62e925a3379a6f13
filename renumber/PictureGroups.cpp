#include "renumber/PictureGroups.h"

#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "renumber/NameRules.h"
#include "renumber/OwnFiles.h"

namespace {

constexpr uint32_t kNoKind = UINT32_MAX;

// The first listed kind a name is of, or kNoKind.
uint32_t KindOf(const char* name, const std::vector<std::string>& kinds) {
  for (uint32_t kind = 0; kind < kinds.size(); ++kind) {
    if (HasExtension(name, kinds[kind].c_str())) return kind;
  }
  return kNoKind;
}

}  // namespace

bool IsAppleDouble(const char* name) { return name[0] == '.' && name[1] == '_' && name[2] != '\0'; }

std::vector<PictureGroup> GroupPictures(const std::vector<const char*>& names, const std::vector<std::string>& kinds,
                                        bool withCompanions) {
  std::vector<PictureGroup> groups;
  std::vector<uint64_t> kindsHeld;                         // per group: a bit for each listed kind it holds
  std::unordered_map<std::string_view, size_t> byStem;     // the first picture of each stem
  std::vector<const char*> others;
  std::vector<uint32_t> kindOf(names.size());
  for (size_t i = 0; i < names.size(); ++i) {
    kindOf[i] = IsAppleDouble(names[i]) ? kNoKind : KindOf(names[i], kinds);
    if (kindOf[i] == kNoKind && withCompanions && !IsRunOwnFile(names[i])) others.push_back(names[i]);
  }
  // Of one kind, only the stems some other entry begins with can have
  // companions: a directory of pictures alone keeps no table of stems.
  std::unordered_set<std::string_view> claimable;
  const bool oneKind = kinds.size() == 1;
  if (oneKind) {
    for (const char* name : others) {
      const char* base = IsAppleDouble(name) ? name + 2 : name;
      for (size_t at = std::strlen(base); at-- > 1;) {
        if (base[at] == '.') claimable.emplace(base, at);
      }
    }
  }
  for (size_t i = 0; i < names.size(); ++i) {
    const char* name = names[i];
    const uint32_t kind = kindOf[i];
    if (kind == kNoKind) continue;
    const std::string_view stem(name, std::strlen(name) - 1 - kinds[kind].size());
    if (withCompanions && !stem.empty() && (!oneKind || claimable.count(stem))) {
      const auto found = byStem.find(stem);
      const uint64_t bit = uint64_t{1} << (kind % 64);
      if (found != byStem.end() && !(kindsHeld[found->second] & bit)) {
        PictureGroup& group = groups[found->second];
        kindsHeld[found->second] |= bit;
        const char* companion = name;
        if (kind < group.kind) {  // an earlier listed kind is the picture
          companion = group.picture;
          group.picture = name;
          group.kind = kind;
        }
        group.companions.push_back({companion, static_cast<uint32_t>(stem.size()), false, false});
        continue;
      }
      byStem.emplace(stem, groups.size());
    }
    groups.push_back({name, kind, {}});
    kindsHeld.push_back(uint64_t{1} << (kind % 64));
  }

  if (byStem.empty()) return groups;
  for (const char* name : others) {
    const bool appleDouble = IsAppleDouble(name);
    const char* base = appleDouble ? name + 2 : name;
    // The longest stem wins: the dots are tried from the right.
    for (size_t at = std::strlen(base); at-- > 1;) {
      if (base[at] != '.') continue;
      const auto found = byStem.find(std::string_view(base, at));
      if (found == byStem.end()) continue;
      PictureGroup& group = groups[found->second];
      const size_t pictureBytes = std::strlen(group.picture);
      const bool whole = std::strncmp(base, group.picture, pictureBytes) == 0 &&
                         (base[pictureBytes] == '.' || base[pictureBytes] == '\0');
      const size_t offset = appleDouble ? 2 : 0;
      group.companions.push_back({name, static_cast<uint32_t>(offset + (whole ? pictureBytes : at)), appleDouble, whole});
      break;
    }
  }
  return groups;
}

std::string CompanionName(const Companion& companion, std::string_view newPicture, size_t newStemBytes) {
  std::string name = companion.appleDouble ? "._" : "";
  name += companion.afterWholeName ? newPicture : newPicture.substr(0, newStemBytes);
  name += companion.name + companion.keptFrom;
  return name;
}
