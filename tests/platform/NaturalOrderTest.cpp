#include "platform/os/NaturalOrder.h"

#include <gtest/gtest.h>

#include "platform/os/CharacterPlaces.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(NaturalOrder, OrdersNamesAsAFileManagerShowsThem) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  };
  const Case cases[] = {
      {"IMG_2.jpg", "IMG_10.jpg", -1},
      {"IMG_10.jpg", "IMG_2.jpg", 1},
      {"a.jpg", "a1.jpg", -1},
      {"a.jpg", "B.jpg", -1},
      {"IMG_1.jpg", "IMGA.jpg", -1},
      {"007.jpg", "7.jpg", -1},   // equal by value, then by bytes
      {"7.jpg", "008.jpg", -1},
      {"A.jpg", "a.jpg", -1},
      {"a.jpg", "a.jpg", 0},
      {"", "", 0},
      {"", "a", -1},
      {"x2y10", "x2y9", 1},
      {"99999999999999999999", "100000000000000000000", -1},  // beyond any integer type
      {"a0", "a", 1},
      {"img 2", "img 10", -1},
      {"\xC3\xA9", "z", -1},  // é sorts as e
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareNatural(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(CompareNatural(c.b, c.a), -c.expected) << c.b << " vs " << c.a;
  }
}

// Names beyond ASCII sort with the letters they are in the language; the
// order stays total and keeps ASCII names where they were.
TEST(NaturalOrder, PlacesCharactersBeyondAsciiInTheUsersLanguage) {
  struct Case {
    const char* language;
    std::vector<std::string> sorted;
  };
  const Case cases[] = {
      {"de_DE", {"apple", "arger", "Ärger", "ärger", "Bild 2", "Bild 10", "Bild 10 \xC3\xA4", "Masse", "Ma\xC3\x9F" "e",
                 "Ölberg", "Oz", "\xC3\xBC" "ber", "Zeta", "\xCE\xA9mega", "\xFF"}},
      {"", {"A\xCC\x88rger", "Bild", "Zeta"}},  // a combining mark is part of the letter before it
      {"sv_SE", {"apple", "Oz", "Zeta", "\xC3\x85s", "\xC3\x84rger", "\xC3\x96lberg"}},
      {"es", {"nube", "nz", "\xC3\xB1u", "oso"}},
  };
  for (const Case& c : cases) {
    SetCollationLanguage(c.language);
    for (size_t i = 0; i < c.sorted.size(); ++i) {
      for (size_t j = 0; j < c.sorted.size(); ++j) {
        EXPECT_EQ(CompareNatural(c.sorted[i].c_str(), c.sorted[j].c_str()), (i > j) - (i < j))
            << c.language << ": " << c.sorted[i] << " vs " << c.sorted[j];
      }
    }
  }
  SetCollationLanguage("");
}

TEST(NaturalOrder, IsATotalOrder) {
  std::mt19937 random(7);
  const std::vector<std::string> alphabet = {"0",        "0",        "1",        "9",        "a",        "A",
                                             "b",        "B",        ".",        "_",        " ",        "-",
                                             "\xC3\x84", "\xC3\xA4", "\xC3\x9F", "\xC3\xB1", "\xCC\x88", "\xFF",
                                             "\xCE\xA9", "\xE4\xB8\x80"};
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) {
    std::string name;
    for (int length = random() % 6; length > 0; --length) name += alphabet[random() % alphabet.size()];
    names.push_back(name);
  }
  for (const auto& a : names) {
    for (const auto& b : names) {
      const int ab = CompareNatural(a.c_str(), b.c_str());
      ASSERT_EQ(ab, -CompareNatural(b.c_str(), a.c_str())) << a << " | " << b;
      ASSERT_EQ(ab == 0, a == b) << a << " | " << b;
    }
  }
  // Transitivity: sorting gives a sequence whose every pair is in order.
  std::vector<DirEntry> entries;
  for (const auto& name : names) entries.push_back({name});
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return CompareNatural(a.c_str(), b.c_str()) < 0; });
  for (size_t i = 0; i < names.size(); ++i) {
    for (size_t j = i + 1; j < names.size(); ++j) {
      ASSERT_LE(CompareNatural(names[i].c_str(), names[j].c_str()), 0) << names[i] << " | " << names[j];
    }
  }
  // The listing's sort, by keys made once, gives the same order.
  names.erase(std::remove(names.begin(), names.end(), ""), names.end());
  std::vector<std::string> listed;
  for (const DirEntry& entry : SortInNaturalOrder(entries)) listed.push_back(entry.name);
  EXPECT_EQ(listed, names);
  // And so does the sort of packed names.
  PackedNames packed;
  for (auto name = names.rbegin(); name != names.rend(); ++name) packed.Add(*name);
  SortInNaturalOrder(packed);
  listed.clear();
  for (const char* name : packed) listed.push_back(name);
  EXPECT_EQ(listed, names);
}

TEST(NaturalSortKey, SpellsFoldedBytesAndLengthCodedDigitRuns) {
  using namespace std::string_literals;
  const std::pair<const char*, std::string> cases[] = {
      {"IMG_2.jpg", "img_12.jpg"},
      {"IMG_0010.JPG", "img_210.jpg"},
      {"a000", "a0"},
      {"12345678", "812345678"},
      {"x1234567890", "x9\0\0\0\1"s "1234567890"},
      {"", ""},
  };
  for (const auto& [name, key] : cases) EXPECT_EQ(NaturalSortKey(name), key) << name;
}

// Keys must order any two names as CompareNatural does, with only names that
// differ in leading zeros or letter case left for their bytes to decide.
TEST(NaturalSortKey, OrdersAsCompareNatural) {
  std::mt19937 random(11);
  const std::string alphabet = "0000123456789aAzZ._ -\xC3\xA9/";
  std::vector<std::string> names = {"", "0", "00", "a", "a0", "1234567890", "999999999", "0999999999"};
  for (int i = 0; i < 600; ++i) {
    std::string name;
    for (int length = random() % 9; length > 0; --length) {
      if (random() % 8 == 0) {
        name += std::string(random() % 14, '9');  // long runs reach the four-byte length code
      } else {
        name += alphabet[random() % alphabet.size()];
      }
    }
    names.push_back(name);
  }
  std::vector<std::string> keys;
  for (const auto& name : names) keys.push_back(NaturalSortKey(name.c_str()));
  for (size_t i = 0; i < names.size(); ++i) {
    for (size_t j = 0; j < names.size(); ++j) {
      const int byKeys = keys[i].compare(keys[j]);
      const int byKeysThenBytes = byKeys != 0 ? byKeys : names[i].compare(names[j]);
      ASSERT_EQ((byKeysThenBytes > 0) - (byKeysThenBytes < 0), CompareNatural(names[i].c_str(), names[j].c_str()))
          << names[i] << " | " << names[j];
    }
  }
}

}  // namespace
