// Which files of a directory go with which picture, and the names they take.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "renumber/PictureGroups.h"

namespace {

using Names = std::vector<std::string>;

// The groups as text: "picture{companion companion}", one a group, in order.
Names Grouped(const Names& names, const Names& kinds, bool withCompanions = true) {
  PackedNames listed;
  for (const auto& name : names) listed.Add(name);
  Names text;
  const PictureGroups grouped = GroupPictures(listed, kinds, withCompanions);
  auto group = grouped.withCompanions.begin();
  for (const char* picture : grouped.pictures) {
    std::string line = std::string(picture) + "{";
    if (group != grouped.withCompanions.end() && group->picture == picture) {
      for (const Companion& companion : group->Companions()) {
        line += (line.back() == '{' ? "" : " ") + std::string(companion.name);
      }
      ++group;
    }
    text.push_back(line + "}");
  }
  EXPECT_EQ(group, grouped.withCompanions.end()) << "every group's picture is among the pictures";
  return text;
}

TEST(PictureGroupsTest, CompanionsAreTheOtherEntriesThatBeginWithThePicturesStemAndADot) {
  const struct {
    Names names;
    Names kinds;
    Names groups;
  } rows[] = {
      {{"IMG_1.JPG", "IMG_1.CR2", "IMG_1.xmp", "IMG_1.JPG.xmp", "IMG_1.CR2.pp3", "IMG_1.MOV", "IMG_1.AAE"},
       {"jpg"},
       {"IMG_1.JPG{IMG_1.CR2 IMG_1.xmp IMG_1.JPG.xmp IMG_1.CR2.pp3 IMG_1.MOV IMG_1.AAE}"}},
      {{"a.jpg", "a.jpg.supplemental-metadata.json", "b.txt", "IMG_E1.jpg", "IMG_O1.AAE"},
       {"jpg"},
       {"a.jpg{a.jpg.supplemental-metadata.json}", "IMG_E1.jpg{}"}},
      // The longest stem wins; an entry of the kind is no companion.
      {{"a.jpg", "a.b.jpg", "a.b.png", "a.png"}, {"jpg"}, {"a.jpg{a.png}", "a.b.jpg{a.b.png}"}},
      {{"a.jpg", "a.JPG", "a.xmp"}, {"jpg"}, {"a.jpg{a.xmp}", "a.JPG{}"}},
      // The Finder's data follows its file and is never a picture.
      {{"._IMG_1.JPG", "IMG_1.JPG", "._IMG_1.CR2", "IMG_1.CR2", "._x.jpg"},
       {"jpg"},
       {"IMG_1.JPG{._IMG_1.JPG ._IMG_1.CR2 IMG_1.CR2}"}},
      // Several kinds: the first listed kind a group has is its picture.
      {{"a.cr2", "a.jpg", "a.cr2.xmp", "b.MOV", "b.heic", "c.mp4"},
       {"jpg", "heic", "cr2", "mov", "mp4"},
       {"a.jpg{a.cr2 a.cr2.xmp}", "b.heic{b.MOV}", "c.mp4{}"}},
      {{"a.jpg", "a.png"}, {"png", "jpg"}, {"a.png{a.jpg}"}},
      // Alone: no companions, every entry of a kind a picture.
      {{"a.jpg", "a.png", "a.xmp", "._a.jpg"}, {"jpg", "png"}, {"a.jpg{}", "a.png{}"}},
      // Hostile: the run's own files, an empty stem, names with wildcards,
      // line breaks and bytes of no character set.
      {{"renum.jpg", "renum.log", "RENUM.LOG", "renum.ids", "KavoViewer.jpg", "KavoViewer.html", "Folder.jpg",
        "folder.HTT", "renum-swap-1.xmp"},
       {"jpg"},
       {"renum.jpg{}", "KavoViewer.jpg{}", "Folder.jpg{}"}},
      {{".jpg", ".hidden", "..", ".", ".DS_Store"}, {"jpg"}, {".jpg{}"}},
      {{"*.jpg", "*.xmp", "?.CR2", "a\nb.jpg", "a\nb.jpg.xmp", "\xff.jpg", "\xff.\xfe"},
       {"jpg"},
       {"*.jpg{*.xmp}", "a\nb.jpg{a\nb.jpg.xmp}", "\xff.jpg{\xff.\xfe}"}},
  };
  for (const auto& row : rows) {
    const bool alone = row.names.size() == 4 && row.names[3] == "._a.jpg";
    EXPECT_EQ(Grouped(row.names, row.kinds, !alone), row.groups) << row.names[0];
  }
}

TEST(PictureGroupsTest, ACompanionKeepsTheRestOfItsNameAfterThePicturesNewStemOrName) {
  const struct {
    Names names;
    std::string newPicture;
    size_t newStem;
    Names companionNames;
  } rows[] = {
      {{"IMG_1.JPG", "IMG_1.CR2", "IMG_1.JPG.xmp", "._IMG_1.JPG", "IMG_1.", "IMG_1.jpg.xmp"},
       "00001.jpg",
       5,
       {"00001.CR2", "00001.jpg.xmp", "._00001.jpg", "00001.", "00001.jpg.xmp"}},
      {{"a.b.jpg", "a.b.c.d"}, "p7s.jpg", 3, {"p7s.c.d"}},
  };
  for (const auto& row : rows) {
    PackedNames listed;
    for (const auto& name : row.names) listed.Add(name);
    const PictureGroups grouped = GroupPictures(listed, {"jpg"}, true);
    const auto& groups = grouped.withCompanions;
    ASSERT_EQ(groups.size(), 1u);
    Names made;
    for (const Companion& companion : groups[0].Companions()) {
      made.push_back(CompanionName(companion, row.newPicture, row.newStem));
    }
    EXPECT_EQ(made, row.companionNames) << row.names[0];
  }
}

}  // namespace
