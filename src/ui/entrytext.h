// How the entry editor's fields show bytes and read them back: characters
// through the fields' code page, hex as two upper-case digits.
#pragma once

#include <QChar>
#include <QString>

#include "platform/codepage.h"

class EntryText {
 public:
  // The fields' code page: bytes show through the workstation character set,
  // or CP 850 while an OEM font is shown; typed characters become workstation
  // bytes, CP 850 bytes while the OEM flag is set.
  EntryText(ByteCharset display, bool oem_input);

  ByteCharset Display() const { return display_; }

  // The character that shows a byte; NUL and -1 show nothing.
  QString CharOf(int byte) const;
  // The byte of the single character in a character field, -1 for none.
  int ByteOfChar(const QString& text) const;
  // The byte of a typed character, -1 when the code page has none.
  int ByteOfTyped(QChar typed) const;
  // A typed byte as the fields take it: through CP 850 under the OEM flag.
  int InputByte(int byte) const;

  // Two upper-case hex digits; nothing for -1.
  static QString HexOf(int byte);
  // The byte of two upper-case hex digits, -1 for anything else.
  static int ByteOfHex(const QString& text);

 private:
  ByteCharset display_;
  bool oem_input_;
};
