// Bytes shown as characters and typed characters turned into bytes, through
// the workstation character set or, for a font with the OEM character set,
// through CP 850.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

#include "model/workstation.h"

// The character set bytes are shown and typed in.
struct ByteCharset {
  Workstation Station = Workstation::kCp1252;
  bool Oem = false;
};

// The character that shows a byte; never a raw control character (OEM
// shows the classic glyphs for 01-1F and 7F).
QChar DisplayChar(uint8_t byte, ByteCharset charset);
// The Unicode character a byte stands for, control characters as
// themselves.
char16_t UnicodeOf(uint8_t byte, ByteCharset charset);
// A five-character display cell of a table, drawn through the character set.
QString DisplayCell(const char* cell, ByteCharset charset);
// The byte a typed character becomes, -1 when it has none: its workstation
// byte, in CP 850 for OEM.
int TypedByteOf(QChar typed, ByteCharset charset);
// A workstation byte in CP 850, as CharToOemA converts it.
uint8_t WorkstationToOem(uint8_t byte, Workstation station);
