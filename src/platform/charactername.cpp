#include "platform/charactername.h"

#include <unicode/uchar.h>

namespace {

QString NameOf(char16_t character, UCharNameChoice choice) {
  char name[128];
  UErrorCode error = U_ZERO_ERROR;
  const int32_t length = u_charName(character, choice, name, sizeof name, &error);
  if (U_FAILURE(error) || length <= 0) return QString();
  return QString::fromLatin1(name, length);
}

}  // namespace

QString CharacterName(char16_t character) {
  QString name = NameOf(character, U_UNICODE_CHAR_NAME);
  if (name.isEmpty()) name = NameOf(character, U_CHAR_NAME_ALIAS);
  if (name.isEmpty()) name = NameOf(character, U_EXTENDED_CHAR_NAME);
  return name;
}
