#include "platform/codepage.h"

#include <array>

namespace {

// Shown for bytes that have no character of their own: the C0 and C1
// controls, DEL and the bytes Windows-1252 leaves undefined.
constexpr char16_t kNoCharacter = 0x25A1;  // white square

// The classic OEM glyphs of 0x00-0x1F; 0x00 itself has none.
constexpr char16_t kOemLow[32] = {
    kNoCharacter, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642,       0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC,       0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
constexpr char16_t kOemDelete = 0x2302;  // house

// CP 850 0x80-0xFF.
constexpr char16_t kOem80[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// Windows-1252 0x80-0x9F in CP 850: the exact code for the one character
// CP 850 has (florin), the nearest look-alike otherwise. The undefined
// bytes stay as they are, like the other control bytes.
constexpr uint8_t kAnsiToOem80[32] = {
    'E',  0x81, ',',  0x9F, '"', '.',  '+', '+',   //
    '^',  '%',  'S',  '<',  'O', 0x8D, 'Z', 0x8F,  //
    0x90, '\'', '\'', '"',  '"', 0x07, '-', '-',   //
    '~',  'T',  's',  '>',  'o', 0x9D, 'z', 'Y',   //
};

// Latin-1 0xA0-0xFF in CP 850, which holds every one of them.
constexpr std::array<uint8_t, 96> MakeLatin1ToOem() {
  std::array<uint8_t, 96> table{};
  for (int oem = 0; oem < 128; ++oem) {
    const char16_t unicode = kOem80[oem];
    if (unicode >= 0xA0 && unicode <= 0xFF) table[unicode - 0xA0] = static_cast<uint8_t>(0x80 + oem);
  }
  return table;
}
constexpr std::array<uint8_t, 96> kLatin1ToOem = MakeLatin1ToOem();

bool IsControl(char16_t unicode) { return unicode < 0x20 || (unicode >= 0x7F && unicode < 0xA0); }

char16_t WorkstationChar(uint8_t byte, Workstation station) {
  const auto unicode = static_cast<char16_t>(WorkstationCharacter(station, byte));
  return IsControl(unicode) ? kNoCharacter : unicode;
}

char16_t OemChar(uint8_t byte) {
  if (byte < 0x20) return kOemLow[byte];
  if (byte == 0x7F) return kOemDelete;
  if (byte >= 0x80) return kOem80[byte - 0x80];
  return byte;
}

// Text layout draws the soft hyphen as nothing; show it as a hyphen.
char16_t Visible(char16_t unicode) { return unicode == 0x00AD ? u'-' : unicode; }

}  // namespace

QChar DisplayChar(uint8_t byte, ByteCharset charset) {
  return QChar(Visible(charset.Oem ? OemChar(byte) : WorkstationChar(byte, charset.Station)));
}

QString DisplayCell(const char* cell, ByteCharset charset) {
  QString text(5, QChar(' '));
  for (int i = 0; i < 5; ++i) text[i] = DisplayChar(static_cast<uint8_t>(cell[i]), charset);
  return text;
}

int TypedByteOf(QChar typed, ByteCharset charset) {
  const int byte = WorkstationByte(charset.Station, typed.unicode());
  if (byte < 0 || !charset.Oem) return byte;
  return WorkstationToOem(static_cast<uint8_t>(byte), charset.Station);
}

// ISO 8859-1 has control characters at 80-9F: they stay as they are.
uint8_t WorkstationToOem(uint8_t byte, Workstation station) {
  if (byte < 0x80) return byte;
  if (byte < 0xA0) return station == Workstation::kCp1252 ? kAnsiToOem80[byte - 0x80] : byte;
  return kLatin1ToOem[byte - 0xA0];
}

char16_t UnicodeOf(uint8_t byte, ByteCharset charset) {
  if (byte < 0x20 || byte == 0x7F) return byte;
  if (charset.Oem) return OemChar(byte);
  return static_cast<char16_t>(WorkstationCharacter(charset.Station, byte));
}
