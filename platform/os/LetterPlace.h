#pragma once
// Where a character sorts among the ASCII letters, worked out the same way
// from either system's collation: only the comparison differs.

#include <functional>
#include <string>

#include "platform/os/CharacterPlaces.h"

// Compares lower-case ASCII letters ("a", "ss") with the character being
// placed: below 0 when the letters sort before it, 0 when alike, else above.
using CompareWithCharacter = std::function<int(const std::string& letters)>;

// Fills `place` from the letters the character sorts with, else the last
// letter it sorts after; true when it sorts as letters.
//   Ä in German    => true,  letters "a"
//   ß              => true,  letters "ss" (the last letter it follows, then one more)
//   Å in Swedish   => false, after 'z'
//   a character before "a" => false, after '`'
bool PlaceAmongLetters(const CompareWithCharacter& compareWith, CharacterPlace& place);
