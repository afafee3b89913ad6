#include "model/hexdigits.h"

char HexDigit(int value) { return "0123456789ABCDEF"[value & 0xF]; }

void WriteHexByte(int value, char* out) {
  out[0] = HexDigit(value >> 4);
  out[1] = HexDigit(value);
}

std::string HexByte(int value) { return {HexDigit(value >> 4), HexDigit(value)}; }

int HexDigitValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

int ParseHexByte(const char* text) {
  if (text == nullptr) return -1;
  const int high = HexDigitValue(text[0]);
  if (high < 0) return -1;
  const int low = HexDigitValue(text[1]);
  if (low < 0) return -1;
  return high * 16 + low;
}
