// The places of characters beyond ASCII, from Windows' own collation of the
// user's language (CompareStringEx and LCMapStringEx sort keys) at its
// primary strength: the strength that tells letters apart but not their
// accents, case, width or kana type, which the natural order's ties take
// care of.

#include <windows.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/os/CharacterPlaces.h"
#include "platform/os/LetterPlace.h"
#include "platform/os/win32/WideText.h"

namespace {

constexpr DWORD kPrimary = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;

// Invariant: `places` holds answers of the collation of `locale` alone
// (the user's own when `userDefault`).
struct Places {
  std::mutex lock;
  bool userDefault = true;
  std::wstring locale;
  std::unordered_map<char32_t, CharacterPlace> places;

  // LOCALE_NAME_USER_DEFAULT (null) or a locale name; "" is the invariant,
  // language-neutral one.
  const wchar_t* LocaleName() const { return userDefault ? LOCALE_NAME_USER_DEFAULT : locale.c_str(); }
};

Places& ThePlaces() {
  static Places places;
  return places;
}

// -1, 0 or +1 as `a` sorts before, with or after `b`; 2 when the system
// cannot tell.
int Compare(const wchar_t* locale, const wchar_t* a, int aLength, const wchar_t* b, int bLength) {
  const int result = CompareStringEx(locale, kPrimary, a, aLength, b, bLength, nullptr, nullptr, 0);
  return result == 0 ? 2 : result - CSTR_EQUAL;
}

CharacterPlace FindPlace(const wchar_t* locale, char32_t character) {
  CharacterPlace place;
  wchar_t text[2];
  int length = 1;
  if (character >= 0x10000) {
    text[0] = static_cast<wchar_t>(0xD800 + ((character - 0x10000) >> 10));
    text[1] = static_cast<wchar_t>(0xDC00 + ((character - 0x10000) & 0x3FF));
    length = 2;
  } else {
    text[0] = static_cast<wchar_t>(character);
  }
  // The sort key's first section holds the primary weights, up to the
  // first 0x01; an empty one is a mark the letter before has taken in.
  BYTE key[128];
  const int keyLength = LCMapStringEx(locale, LCMAP_SORTKEY | kPrimary, text, length, reinterpret_cast<LPWSTR>(key),
                                      sizeof key, nullptr, nullptr, 0);
  if (keyLength <= 0) {
    place.after = 'z';
    place.rank = "\xFF";
    return place;
  }
  const BYTE* primaryEnd = std::find(key, key + keyLength, BYTE{1});
  if (primaryEnd == key) return place;

  const auto compareWith = [&](const std::string& letters) {
    const std::wstring wide(letters.begin(), letters.end());
    return Compare(locale, wide.data(), static_cast<int>(wide.size()), text, length);
  };
  if (PlaceAmongLetters(compareWith, place)) return place;
  place.rank.assign(reinterpret_cast<const char*>(key), static_cast<size_t>(primaryEnd - key));
  return place;
}

}  // namespace

CharacterPlace PlaceOfCharacter(char32_t character) {
  Places& places = ThePlaces();
  const std::lock_guard<std::mutex> held(places.lock);
  const auto found = places.places.find(character);
  if (found != places.places.end()) return found->second;
  return places.places.emplace(character, FindPlace(places.LocaleName(), character)).first->second;
}

void SetCollationLanguage(const std::string& language) {
  Places& places = ThePlaces();
  const std::lock_guard<std::mutex> held(places.lock);
  // "sv_SE" is "sv-SE" to Windows.
  std::string name = language;
  std::replace(name.begin(), name.end(), '_', '-');
  places.userDefault = false;
  places.locale = Widen(name);
  places.places.clear();
}
