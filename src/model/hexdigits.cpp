#include "model/hexdigits.h"

char HexDigit(int value) { return "0123456789ABCDEF"[value & 0xF]; }

void WriteHexByte(int value, char* out) {
  out[0] = HexDigit(value >> 4);
  out[1] = HexDigit(value);
}

int HexDigitValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}
