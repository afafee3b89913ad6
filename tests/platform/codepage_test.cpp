#include "platform/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QList>
#include <cstdint>

namespace {

// One character through glibc's converter; -1 when it refuses.
long Convert(const char* to, const char* from, const char* in, size_t in_length, char* out, size_t out_length) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return -2;
  char* in_ptr = const_cast<char*>(in);
  char* out_ptr = out;
  size_t out_left = out_length;
  const size_t result = iconv(cd, &in_ptr, &in_length, &out_ptr, &out_left);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) return -1;
  return static_cast<long>(out_length - out_left);
}

// The Unicode value of a byte in a code page, -1 when it has none.
long Decode(const char* code_page, uint8_t byte) {
  const char in = static_cast<char>(byte);
  uint32_t out = 0;
  const long length = Convert("UTF-32LE", code_page, &in, 1, reinterpret_cast<char*>(&out), sizeof out);
  EXPECT_NE(length, -2) << "no converter for " << code_page;
  return length == 4 ? static_cast<long>(out) : -1;
}

// The byte of a Unicode value in a code page, -1 when it has none.
int Encode(const char* code_page, uint32_t unicode) {
  unsigned char out[4] = {};
  const long length = Convert(code_page, "UTF-32LE", reinterpret_cast<const char*>(&unicode), 4,
                              reinterpret_cast<char*>(out), sizeof out);
  return length == 1 ? out[0] : -1;
}

bool IsControl(QChar c) { return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format; }

constexpr ByteCharset kAnsi{Workstation::kCp1252, false};
constexpr ByteCharset kOem{Workstation::kCp1252, true};
uint8_t AnsiToOem(uint8_t byte) { return WorkstationToOem(byte, Workstation::kCp1252); }

}  // namespace

TEST(CodePage, AnsiShowsWindows1252AndNeverAControl) {
  for (int byte = 0; byte < 256; ++byte) {
    const QChar shown = DisplayChar(static_cast<uint8_t>(byte), kAnsi);
    EXPECT_FALSE(IsControl(shown)) << std::hex << byte;
    const long expected = Decode("CP1252", static_cast<uint8_t>(byte));
    const bool control = byte < 0x20 || byte == 0x7F || expected == -1;
    if (control)
      EXPECT_EQ(shown, DisplayChar(0x01, kAnsi)) << std::hex << byte;
    else if (byte == 0xAD)
      EXPECT_EQ(shown, QChar('-'));
    else
      EXPECT_EQ(shown.unicode(), expected) << std::hex << byte;
  }
  EXPECT_EQ(DisplayChar(0x80, kAnsi), QChar(0x20AC));
  EXPECT_EQ(DisplayChar(0xE4, kAnsi), QChar(0xE4));
  EXPECT_NE(DisplayChar(0x81, kAnsi), QChar(0x81));
}

// In ISO 8859-1, 80-9F are control characters; the rest is as in Windows-1252.
TEST(CodePage, Iso8859ShowsControlsAt80To9F) {
  for (int byte = 0; byte < 256; ++byte) {
    const bool control = byte >= 0x80 && byte < 0xA0;
    EXPECT_EQ(DisplayChar(byte, {Workstation::kIsoLatin1, false}), DisplayChar(control ? 0x01 : byte, kAnsi)) << byte;
  }
}

TEST(CodePage, OemShowsCp850WithClassicGlyphs) {
  const QString low = QString::fromUtf8("☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼");
  ASSERT_EQ(low.size(), 31);
  for (int byte = 1; byte < 0x20; ++byte) EXPECT_EQ(DisplayChar(byte, kOem), low[byte - 1]) << byte;
  EXPECT_EQ(DisplayChar(0x7F, kOem), QChar(0x2302));
  EXPECT_FALSE(IsControl(DisplayChar(0, kOem)));
  for (int byte = 0x20; byte < 256; ++byte) {
    if (byte == 0x7F) continue;
    const QChar shown = DisplayChar(static_cast<uint8_t>(byte), kOem);
    if (byte == 0xF0)
      EXPECT_EQ(shown, QChar('-'));  // the soft hyphen
    else
      EXPECT_EQ(shown.unicode(), Decode("IBM850", static_cast<uint8_t>(byte))) << std::hex << byte;
  }
  EXPECT_EQ(DisplayChar(0x84, kOem), QChar(0xE4));
  EXPECT_EQ(DisplayChar(0xE1, kOem), QChar(0xDF));
}

TEST(CodePage, DisplayCellMapsAllFiveCharacters) {
  EXPECT_EQ(DisplayCell(" A:C1", kAnsi), " A:C1");
  EXPECT_EQ(DisplayCell("00:00", kAnsi), "00:00");
  EXPECT_EQ(DisplayCell(" \x84=41", kOem), QString::fromUtf8(" ä=41"));
  EXPECT_EQ(DisplayCell(" \x84=41", kAnsi), QString::fromUtf8(" „=41"));
  EXPECT_EQ(DisplayCell(" \x01:01", kOem), QString::fromUtf8(" ☺:01"));
}

TEST(CodePage, TypedCharactersFollowWindows1252) {
  const QList<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
  for (uint32_t unicode = 0; unicode < 0x10000; ++unicode) {
    if (unicode >= 0xD800 && unicode < 0xE000) continue;
    int expected = Encode("CP1252", unicode);
    if (undefined.contains(static_cast<int>(unicode))) expected = static_cast<int>(unicode);
    ASSERT_EQ(TypedByteOf(QChar(static_cast<char16_t>(unicode)), kAnsi), expected) << std::hex << unicode;
  }
  EXPECT_EQ(TypedByteOf(QChar(0x20AC), kAnsi), 0x80);
  EXPECT_EQ(TypedByteOf(QChar(0x20AC), {Workstation::kIsoLatin1, false}), -1);
  EXPECT_EQ(TypedByteOf(QChar(0xE4), kOem), 0x84);
  EXPECT_EQ(TypedByteOf(QChar(0x0101), kAnsi), -1);
}

TEST(CodePage, AnsiToOemExactWhereCp850HasTheCharacter) {
  int best_fit = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const int oem = AnsiToOem(static_cast<uint8_t>(byte));
    const long unicode = Decode("CP1252", static_cast<uint8_t>(byte));
    const int exact = unicode >= 0 ? Encode("IBM850", static_cast<uint32_t>(unicode)) : -1;
    if (exact >= 0) {
      EXPECT_EQ(oem, exact) << std::hex << byte;
    } else if (unicode == -1) {
      EXPECT_EQ(oem, byte) << std::hex << byte;  // undefined bytes stay
    } else {
      ++best_fit;
      EXPECT_TRUE((oem >= 0x20 && oem < 0x7F) || oem == 0x07) << std::hex << byte;
    }
  }
  EXPECT_EQ(best_fit, 26);
  EXPECT_EQ(AnsiToOem(0xE4), 0x84);
  EXPECT_EQ(AnsiToOem(0xDF), 0xE1);
  EXPECT_EQ(AnsiToOem(0x83), 0x9F);
  EXPECT_EQ(AnsiToOem(0x80), 'E');
  EXPECT_EQ(AnsiToOem(0x95), 0x07);
  EXPECT_EQ(AnsiToOem(0x93), '"');
  EXPECT_EQ(AnsiToOem(0x0A), 0x0A);
  EXPECT_EQ(AnsiToOem('A'), 'A');
  EXPECT_EQ(WorkstationToOem(0x80, Workstation::kIsoLatin1), 0x80);  // a control character stays
}
