#pragma once
// Where the characters beyond ASCII sort among the letters, in the user's
// language: what lets the natural order put "Ärger" among the A's in German
// and after "Zeta" in Swedish. The system's sibling folder answers from its
// collation (ICU on Linux).

#include <string>

// The place of one character in names. Three kinds:
//   sorts as ASCII letters: `letters` holds them, in lower case ("a" for Ä
//     in German, "ss" for ß);
//   sorts on its own: `letters` is empty, `after` is the lower-case letter
//     it follows ('`' when it comes before "a"), and `rank` orders it among
//     the other characters on their own after that letter (bytes of 0x02
//     and up, compared as unsigned);
//   ignored (a combining mark the letter before it has taken in): all empty
//     and `after` is 0.
struct CharacterPlace {
  std::string letters;
  char after = 0;
  std::string rank;
};

// The place of a Unicode code point beyond ASCII (0x80 to 0x10FFFF) in the
// collation of the user's language (the locale LC_ALL, LC_COLLATE or LANG
// names), or of the language SetCollationLanguage chose. Safe on many threads.
CharacterPlace PlaceOfCharacter(char32_t character);

// Puts the places of another language in force ("de", "sv_SE"; "" for the
// language-neutral order), until the next call; for tests.
void SetCollationLanguage(const std::string& language);
