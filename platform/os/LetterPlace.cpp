#include "platform/os/LetterPlace.h"

bool PlaceAmongLetters(const CompareWithCharacter& compareWith, CharacterPlace& place) {
  // The last letter it sorts with or after.
  char after = 0;
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const std::string single(1, letter);
    const int order = compareWith(single);
    if (order == 0) {
      place.letters = single;
      return true;
    }
    if (order < 0) after = letter;
  }
  // Two letters it sorts as, as ß sorts as "ss".
  if (after) {
    for (char second = 'a'; second <= 'z'; ++second) {
      const std::string pair{after, second};
      if (compareWith(pair) == 0) {
        place.letters = pair;
        return true;
      }
    }
  }
  place.after = after ? after : '`';
  return false;
}
