#pragma once
// A picture is more than one file: its raw, its editors' sidecars, the
// moving half of a live photo, the Finder's data. A group is one numbered
// entry and the companions that take its number with it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/PackedNames.h"

// How a companion's new name is made from its picture's: its name's bytes
// from `keptFrom` on stay as they are, and what stands before them becomes
// the picture's new stem, or its whole new name.
struct Companion {
  const char* name;
  // Which picture (its place in the list of pictures) the companion goes
  // with, while the companions are being gathered.
  uint32_t picture;
  uint16_t keptFrom;    // a name has at most some hundreds of bytes
  bool appleDouble;     // "._" in front: the Finder's data of the rest
  bool afterWholeName;  // the name began with the picture's whole name
};

// Invariant: `picture` is an entry of the numbered kind `kind`, no companion
// is of a numbered kind but the picture's siblings of other listed kinds,
// and every companion's name (without a leading "._") begins with the
// picture's stem and a dot.
struct PictureGroup {
  const char* picture;
  const Companion* firstCompanion;  // held by the groups' PictureGroups
  uint32_t companionCount;
  uint32_t kind;  // index into the run's kinds

  std::span<const Companion> Companions() const { return {firstCompanion, companionCount}; }
};

// A directory's pictures, and the groups of those that have companions. A
// directory of 100,000 pictures with a raw and a sidecar each takes some
// 6 MB here: 16 bytes a companion, 24 a group and 8 a picture.
// Invariant: every group's companions lie in `companions`, whose storage
// moves with it and is never copied.
struct PictureGroups {
  PictureGroups() = default;
  PictureGroups(PictureGroups&&) = default;
  PictureGroups& operator=(PictureGroups&&) = default;
  PictureGroups(const PictureGroups&) = delete;
  PictureGroups& operator=(const PictureGroups&) = delete;

  std::vector<const char*> pictures;         // every picture, in list order
  std::vector<Companion> companions;         // by their pictures in list order
  std::vector<PictureGroup> withCompanions;  // in list order of their pictures
};

// Groups the names of a directory, in list order, for a run that numbers
// the extensions `kinds` (literal text, any case of letters, in the order
// listed). A picture is a name of a listed kind, never an AppleDouble file
// ("._" and a name). With companions:
// - entries of listed kinds that share their stem S (the name before the
//   kind's dot) form one group, of which the first listed kind present is
//   the picture; two entries of one kind stay two pictures;
// - every other entry whose name, without a leading "._", begins with a
//   picture's nonempty S and a dot is a companion of the picture whose S is
//   the longest such; the run's own files are never companions.
// Without companions, every picture is a group of its own.
//   kinds {jpg}:      "a.jpg" "a.CR2" "a.jpg.xmp" "._a.jpg" "b.txt" => a.jpg {a.CR2 a.jpg.xmp ._a.jpg}
//   kinds {jpg}:      "a.jpg" "a.b.jpg" "a.b.png"                  => a.jpg {}, a.b.jpg {a.b.png}
//   kinds {jpg, cr2}: "a.cr2" "a.jpg" "a.cr2.xmp"                  => a.jpg {a.cr2 a.cr2.xmp}
//   kinds {jpg}:      "renum.jpg" "renum.log" ".jpg" ".hidden"     => renum.jpg {}, .jpg {}
PictureGroups GroupPictures(const PackedNames& names, const std::vector<std::string>& kinds,
                            bool withCompanions);

// A companion's new name, its picture's new name being `newPicture`, whose
// first `newStemBytes` bytes are its stem.
//   "IMG_1.CR2" kept from 5, "00001.jpg", 5         => "00001.CR2"
//   "IMG_1.JPG.xmp" whole, kept from 9, "00001.jpg" => "00001.jpg.xmp"
//   "._IMG_1.JPG" whole, kept from 11, "00001.jpg"  => "._00001.jpg"
//   "IMG_1.", kept from 5, "7.jpg", 1               => "7."
std::string CompanionName(const Companion& companion, std::string_view newPicture, size_t newStemBytes);

// Whether a name is the Finder's data of another file: "._" and a name.
//   "._a.jpg" => true;  "._" "a.jpg" "_.a" => false
bool IsAppleDouble(const char* name);
