// Hexadecimal as the tables show it: two upper-case digits per byte.
#pragma once

#include <string>

// The upper-case digit of the low four bits of value.
char HexDigit(int value);
// Writes the two digits of the byte value & 0xFF to out[0] and out[1].
void WriteHexByte(int value, char* out);
// The two digits of the byte value & 0xFF.
std::string HexByte(int value);
// The value of one hex digit of either case; -1 for any other character.
int HexDigitValue(int c);
// The byte that the first two characters of text spell in hex digits of
// either case; -1 when either is no hex digit or text is null.
int ParseHexByte(const char* text);
