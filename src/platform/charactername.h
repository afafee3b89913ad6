// The Unicode name of a character, from ICU.
#pragma once

#include <QString>

// "LATIN CAPITAL LETTER A WITH GRAVE"; control characters by their alias
// or as "<control-0001>".
QString CharacterName(char16_t character);
