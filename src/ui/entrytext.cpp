#include "ui/entrytext.h"

#include <cstdint>

#include "model/hexdigits.h"
#include "platform/codepage.h"

EntryText::EntryText(ByteCharset display, bool oem_input) : display_(display), oem_input_(oem_input) {}

QString EntryText::CharOf(int byte) const {
  if (byte <= 0) return QString();
  return QString(DisplayChar(static_cast<uint8_t>(byte), display_));
}

// A character the program put there maps back through the display code
// page; one that was typed or pasted converts as a typed key does.
int EntryText::ByteOfChar(const QString& text) const {
  if (text.size() != 1) return -1;
  const QChar c = text.at(0);
  int match = -1;
  for (int code = 1; code < 256; ++code) {
    if (DisplayChar(static_cast<uint8_t>(code), display_) != c) continue;
    if (match != -1) return InputByte(ByteOfTyped(c));  // a placeholder glyph shared by several bytes
    match = code;
  }
  return match != -1 ? match : InputByte(ByteOfTyped(c));
}

int EntryText::ByteOfTyped(QChar typed) const { return WorkstationByte(display_.Station, typed.unicode()); }

int EntryText::InputByte(int byte) const {
  if (byte < 0 || !oem_input_) return byte;
  return WorkstationToOem(static_cast<uint8_t>(byte), display_.Station);
}

QString EntryText::HexOf(int byte) { return byte == -1 ? QString() : QString::fromStdString(HexByte(byte)); }

// The fields hold what their validator made of the typed text: upper case.
int EntryText::ByteOfHex(const QString& text) {
  if (text.size() != 2 || text != text.toUpper()) return -1;
  return ParseHexByte(text.toLatin1().constData());
}
