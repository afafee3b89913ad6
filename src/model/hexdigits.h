// Hexadecimal as the tables show it: two upper-case digits per byte.
#pragma once

// The upper-case digit of the low four bits of value.
char HexDigit(int value);
// Writes the two digits of the byte value & 0xFF to out[0] and out[1].
void WriteHexByte(int value, char* out);
// The value of one hex digit of either case; -1 for any other character.
int HexDigitValue(int c);
