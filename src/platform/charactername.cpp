#include "platform/charactername.h"

#include "files/icupages.h"

QString CharacterName(char16_t character) { return QString::fromStdString(UnicodeName(character)); }
