#include "renumber/PictureGroups.h"

#include <algorithm>
#include <cstring>
#include <utility>
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

PictureGroups GroupPictures(const std::vector<const char*>& names, const std::vector<std::string>& kinds,
                            bool withCompanions) {
  PictureGroups grouped;
  std::vector<const char*>& pictures = grouped.pictures;
  std::vector<uint32_t> pictureKind;
  // Each companion found, after its picture's place among the pictures.
  std::vector<std::pair<uint32_t, Companion>> found;
  struct Stem {
    uint32_t picture;
    uint64_t kindsHeld;  // a bit for each listed kind the group holds
  };
  std::unordered_map<std::string_view, Stem> byStem;  // the first picture of each stem
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
      const auto same = byStem.find(stem);
      const uint64_t bit = uint64_t{1} << (kind % 64);
      if (same != byStem.end() && !(same->second.kindsHeld & bit)) {
        const uint32_t picture = same->second.picture;
        same->second.kindsHeld |= bit;
        const char* companion = name;
        if (kind < pictureKind[picture]) {  // an earlier listed kind is the picture
          companion = pictures[picture];
          pictures[picture] = name;
          pictureKind[picture] = kind;
        }
        found.push_back({picture, {companion, static_cast<uint32_t>(stem.size()), false, false}});
        continue;
      }
      byStem.emplace(stem, Stem{static_cast<uint32_t>(pictures.size()), bit});
    }
    pictures.push_back(name);
    pictureKind.push_back(kind);
  }
  std::vector<uint32_t>().swap(kindOf);

  if (byStem.empty()) others.clear();
  for (const char* name : others) {
    const bool appleDouble = IsAppleDouble(name);
    const char* base = appleDouble ? name + 2 : name;
    // The longest stem wins: the dots are tried from the right.
    for (size_t at = std::strlen(base); at-- > 1;) {
      if (base[at] != '.') continue;
      const auto same = byStem.find(std::string_view(base, at));
      if (same == byStem.end()) continue;
      const char* picture = pictures[same->second.picture];
      const size_t pictureBytes = std::strlen(picture);
      const bool whole = std::strncmp(base, picture, pictureBytes) == 0 &&
                         (base[pictureBytes] == '.' || base[pictureBytes] == '\0');
      const size_t offset = appleDouble ? 2 : 0;
      found.push_back({same->second.picture,
                       {name, static_cast<uint32_t>(offset + (whole ? pictureBytes : at)), appleDouble, whole}});
      break;
    }
  }

  // The companions by their pictures, each picture's in the order found.
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < found.size(); ++i) {
    const uint32_t picture = found[i].first;
    if (i == 0 || found[i - 1].first != picture) {
      grouped.withCompanions.push_back({pictures[picture], pictureKind[picture], {}});
    }
    grouped.withCompanions.back().companions.push_back(found[i].second);
  }
  return grouped;
}

std::string CompanionName(const Companion& companion, std::string_view newPicture, size_t newStemBytes) {
  std::string name = companion.appleDouble ? "._" : "";
  name += companion.afterWholeName ? newPicture : newPicture.substr(0, newStemBytes);
  name += companion.name + companion.keptFrom;
  return name;
}
