// The places of characters beyond ASCII, from ICU's collation of the user's
// language at its primary strength: the strength that tells letters apart
// but not their accents or case, which the natural order's ties take care of.

#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/os/CharacterPlaces.h"
#include "platform/os/LetterPlace.h"

namespace {

// The language of the user's locale: "de_DE.UTF-8@euro" => "de_DE";
// "C", "POSIX" or nothing => "" (the language-neutral order).
std::string UserLanguage() {
  for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::string language(value, std::strcspn(value, ".@"));
    return language == "C" || language == "POSIX" ? "" : language;
  }
  return "";
}

// Invariant: `collator` is open (at primary strength) whenever `opened` is
// true, and `places` holds answers of that collator alone.
struct Places {
  std::mutex lock;
  bool opened = false;
  UCollator* collator = nullptr;
  std::unordered_map<char32_t, CharacterPlace> places;

  void Open(const std::string& language) {
    if (collator) ucol_close(collator);
    UErrorCode status = U_ZERO_ERROR;
    collator = ucol_open(language.c_str(), &status);
    if (U_FAILURE(status)) {
      status = U_ZERO_ERROR;
      collator = ucol_open("", &status);
    }
    if (collator) ucol_setStrength(collator, UCOL_PRIMARY);
    places.clear();
    opened = true;
  }
};

Places& ThePlaces() {
  static Places places;
  return places;
}

// -1, 0 or +1 as `a` sorts before, with or after `b` at primary strength.
int Compare(UCollator* collator, const UChar* a, int32_t aLength, const UChar* b, int32_t bLength) {
  return static_cast<int>(ucol_strcoll(collator, a, aLength, b, bLength));
}

CharacterPlace FindPlace(UCollator* collator, char32_t character) {
  CharacterPlace place;
  UChar text[2];
  int32_t length = 0;
  UBool failed = false;
  U16_APPEND(text, length, 2, static_cast<UChar32>(character), failed);
  if (failed || !collator) {
    place.after = 'z';
    place.rank = "\xFF";
    return place;
  }
  uint8_t key[64];
  const int32_t keyLength = ucol_getSortKey(collator, text, length, key, sizeof key);
  // A key of its terminator alone: no primary weight, an ignorable mark.
  if (keyLength <= 1) return place;

  const auto compareWith = [&](const std::string& letters) {
    const std::u16string wide(letters.begin(), letters.end());
    return Compare(collator, wide.data(), static_cast<int32_t>(wide.size()), text, length);
  };
  if (PlaceAmongLetters(compareWith, place)) return place;
  // The primary weights, which order the characters on their own; the key
  // ends in its terminator, left out, and may be longer than the room.
  const int32_t kept = std::min<int32_t>(keyLength, sizeof key) - 1;
  place.rank.assign(reinterpret_cast<const char*>(key), static_cast<size_t>(kept));
  return place;
}

}  // namespace

CharacterPlace PlaceOfCharacter(char32_t character) {
  Places& places = ThePlaces();
  const std::lock_guard<std::mutex> held(places.lock);
  if (!places.opened) places.Open(UserLanguage());
  const auto found = places.places.find(character);
  if (found != places.places.end()) return found->second;
  return places.places.emplace(character, FindPlace(places.collator, character)).first->second;
}

void SetCollationLanguage(const std::string& language) {
  Places& places = ThePlaces();
  const std::lock_guard<std::mutex> held(places.lock);
  places.Open(language);
}
