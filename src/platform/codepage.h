// Bytes shown as characters and typed characters turned into bytes.
// ANSI is Windows-1252 (bytes it leaves undefined as their Latin-1 code
// points), OEM is CP 850.
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

// The character that shows a byte; never a raw control character (OEM
// shows the classic glyphs for 01-1F and 7F).
QChar DisplayChar(uint8_t byte, bool oem);
// The Unicode character a byte stands for, control characters as
// themselves (ANSI bytes Windows-1252 leaves undefined: their Latin-1 code
// points).
char16_t UnicodeOf(uint8_t byte, bool oem);
// A five-character display cell of a table, drawn through the code page.
QString DisplayCell(const char* cell, bool oem);
// The Windows-1252 byte of a typed character, -1 when it has none.
int AnsiByteOf(QChar typed);
// Windows-1252 byte to CP 850, as CharToOemA converts it.
uint8_t AnsiToOem(uint8_t byte);
