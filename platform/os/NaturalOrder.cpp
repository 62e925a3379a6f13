#include "platform/os/NaturalOrder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/os/CharacterPlaces.h"

namespace {

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

unsigned char Folded(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c; }

int Sign(int value) { return (value > 0) - (value < 0); }

// Compares the digit runs at *a and *b by value and moves both past them.
int CompareDigitRuns(const unsigned char*& a, const unsigned char*& b) {
  while (*a == '0') ++a;
  while (*b == '0') ++b;
  const unsigned char* aStart = a;
  const unsigned char* bStart = b;
  while (IsDigit(*a)) ++a;
  while (IsDigit(*b)) ++b;
  const long aLength = a - aStart;
  const long bLength = b - bStart;
  if (aLength != bLength) return aLength < bLength ? -1 : 1;  // more significant digits
  return Sign(std::memcmp(aStart, bStart, aLength));
}

bool IsContinuation(unsigned char byte) { return byte >= 0x80 && byte < 0xC0; }

bool IsAscii(const unsigned char* text) {
  for (; *text; ++text) {
    if (*text >= 0x80) return false;
  }
  return true;
}

// The code point of the well-formed UTF-8 sequence at `at` (moved past it),
// or -1 for a byte that starts none (moved past that byte alone).
long NextCodePoint(const unsigned char*& at) {
  const unsigned char lead = *at;
  int length;
  long code;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07;
  } else {
    ++at;
    return -1;
  }
  for (int i = 1; i < length; ++i) {  // a terminator ends the sequence here
    if ((at[i] & 0xC0) != 0x80) {
      ++at;
      return -1;
    }
    code = code << 6 | (at[i] & 0x3F);
  }
  static const long kLeast[] = {0, 0, 0x80, 0x800, 0x10000};  // shorter forms are not UTF-8
  if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++at;
    return -1;
  }
  at += length;
  return code;
}

// Adds the key bytes of the character beyond ASCII at `at` and moves past it:
// the letters it sorts as, or the letter it follows, a byte above every
// byte that can follow a letter in a key (0x7F), and its rank. A byte that
// starts no character sorts after every character, by its value.
void AppendCharacterKey(const unsigned char*& at, std::string& key) {
  const unsigned char first = *at;
  const long code = NextCodePoint(at);
  if (code < 0) {
    key += "z\x7F\xFF\xFF";
    key.push_back(static_cast<char>(first));
    return;
  }
  const CharacterPlace place = PlaceOfCharacter(static_cast<char32_t>(code));
  if (!place.letters.empty()) {
    key += place.letters;
  } else if (place.after) {
    key.push_back(place.after);
    key.push_back('\x7F');
    key += place.rank;
    key.push_back('\x01');  // below every rank byte: a rank that ends first sorts first
  }
}

}  // namespace

int CompareNatural(const char* aText, const char* bText) {
  const auto* aBytes = reinterpret_cast<const unsigned char*>(aText);
  const auto* bBytes = reinterpret_cast<const unsigned char*>(bText);
  if (!IsAscii(aBytes) || !IsAscii(bBytes)) {
    // A common start adds the same bytes to both keys, so only the rest is
    // keyed: from a point where no digit run or character goes on across it.
    size_t common = 0;
    while (aBytes[common] && aBytes[common] == bBytes[common]) ++common;
    while (common > 0 && (IsDigit(aBytes[common - 1]) || IsContinuation(aBytes[common]) ||
                          IsContinuation(bBytes[common]))) {
      --common;
    }
    const int byKey = NaturalSortKey(aText + common).compare(NaturalSortKey(bText + common));
    if (byKey != 0) return byKey < 0 ? -1 : 1;
    return Sign(std::strcmp(aText, bText));
  }
  const auto* a = reinterpret_cast<const unsigned char*>(aText);
  const auto* b = reinterpret_cast<const unsigned char*>(bText);
  while (*a && *b) {
    if (IsDigit(*a) && IsDigit(*b)) {
      const int byValue = CompareDigitRuns(a, b);
      if (byValue != 0) return byValue;
      continue;
    }
    const unsigned char fa = Folded(*a);
    const unsigned char fb = Folded(*b);
    if (fa != fb) return fa < fb ? -1 : 1;
    ++a;
    ++b;
  }
  if (*a || *b) return *a ? 1 : -1;
  return Sign(std::strcmp(aText, bText));
}

std::string NaturalSortKey(const char* name) {
  std::string key;
  const auto* at = reinterpret_cast<const unsigned char*>(name);
  while (*at) {
    if (*at >= 0x80) {
      AppendCharacterKey(at, key);
      continue;
    }
    if (!IsDigit(*at)) {
      key.push_back(static_cast<char>(Folded(*at++)));
      continue;
    }
    while (*at == '0') ++at;
    const unsigned char* digits = at;
    while (IsDigit(*at)) ++at;
    const size_t count = static_cast<size_t>(at - digits);
    if (count <= 8) {
      key.push_back(static_cast<char>('0' + count));
    } else {
      // Four bytes, most significant first, keep the order for any length.
      const uint32_t beyond = static_cast<uint32_t>(count - 9);
      key.push_back('9');
      for (int shift = 24; shift >= 0; shift -= 8) key.push_back(static_cast<char>((beyond >> shift) & 0xFF));
    }
    key.append(reinterpret_cast<const char*>(digits), count);
  }
  return key;
}

namespace {

// One name's place in the sort: the first 16 bytes of its natural-order key
// (NaturalSortKey), padded with zeros, as two numbers read most significant
// byte first. Where two heads differ they order the names as their whole
// keys do (a key that ends first pads with a zero below any byte the other
// holds there), so most comparisons are two integer compares in a compact
// array; names whose heads are equal are compared by CompareNatural.
struct SortSlot {
  uint64_t head[2];
  uint32_t index;  // the name's position
};

uint64_t BigEndianBytes(const std::string& key, size_t from) {
  uint64_t value = 0;
  for (size_t i = from; i < from + 8; ++i) {
    value = value << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0);
  }
  return value;
}

}  // namespace

std::vector<uint32_t> NaturalOrderOf(uint32_t count, const char* (*nameAt)(const void* context, uint32_t position),
                                     const void* context) {
  std::vector<SortSlot> slots;
  slots.reserve(count);
  // The whole keys of names beyond ASCII are kept: their characters' places
  // are looked up once, not again in every comparison their heads tie in.
  std::vector<std::string> keptKeys;  // none at all while every name is ASCII
  for (uint32_t i = 0; i < count; ++i) {
    const char* name = nameAt(context, i);
    if (!*name) continue;
    std::string key = NaturalSortKey(name);
    slots.push_back({{BigEndianBytes(key, 0), BigEndianBytes(key, 8)}, i});
    if (!IsAscii(reinterpret_cast<const unsigned char*>(name))) {
      if (keptKeys.empty()) keptKeys.resize(count);
      keptKeys[i] = std::move(key);
    }
  }
  std::sort(slots.begin(), slots.end(), [&](const SortSlot& a, const SortSlot& b) {
    if (a.head[0] != b.head[0]) return a.head[0] < b.head[0];
    if (a.head[1] != b.head[1]) return a.head[1] < b.head[1];
    const char* aName = nameAt(context, a.index);
    const char* bName = nameAt(context, b.index);
    if (!keptKeys.empty() && !keptKeys[a.index].empty() && !keptKeys[b.index].empty()) {
      const int byKey = keptKeys[a.index].compare(keptKeys[b.index]);
      return byKey != 0 ? byKey < 0 : std::strcmp(aName, bName) < 0;
    }
    return CompareNatural(aName, bName) < 0;
  });
  std::vector<uint32_t> order;
  order.reserve(slots.size());
  for (const SortSlot& slot : slots) order.push_back(slot.index);
  return order;
}

std::vector<DirEntry> SortInNaturalOrder(std::vector<DirEntry>& entries) {
  const auto nameAt = [](const void* context, uint32_t i) {
    return (*static_cast<const std::vector<DirEntry>*>(context))[i].name.c_str();
  };
  std::vector<DirEntry> sorted;
  const std::vector<uint32_t> order = NaturalOrderOf(static_cast<uint32_t>(entries.size()), nameAt, &entries);
  sorted.reserve(order.size());
  for (const uint32_t i : order) sorted.push_back(std::move(entries[i]));
  return sorted;
}

void SortInNaturalOrder(PackedNames& names) {
  const auto nameAt = [](const void* context, uint32_t i) { return (*static_cast<const PackedNames*>(context))[i]; };
  names.Reorder(NaturalOrderOf(static_cast<uint32_t>(names.Count()), nameAt, &names));
}
