#include "platform/codepage.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <QList>
#include <cstdint>

namespace {

// One character through glibc's converter; -1 when it refuses.
long Convert(const char* to, const char* from, const char* in, size_t inLength, char* out, size_t outLength) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return -2;
  char* inPtr = const_cast<char*>(in);
  char* outPtr = out;
  size_t outLeft = outLength;
  const size_t result = iconv(cd, &inPtr, &inLength, &outPtr, &outLeft);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) return -1;
  return static_cast<long>(outLength - outLeft);
}

// The Unicode value of a byte in a code page, -1 when it has none.
long Decode(const char* codePage, uint8_t byte) {
  const char in = static_cast<char>(byte);
  uint32_t out = 0;
  const long length = Convert("UTF-32LE", codePage, &in, 1, reinterpret_cast<char*>(&out), sizeof out);
  EXPECT_NE(length, -2) << "no converter for " << codePage;
  return length == 4 ? static_cast<long>(out) : -1;
}

// The byte of a Unicode value in a code page, -1 when it has none.
int Encode(const char* codePage, uint32_t unicode) {
  unsigned char out[4] = {};
  const long length = Convert(codePage, "UTF-32LE", reinterpret_cast<const char*>(&unicode), 4,
                              reinterpret_cast<char*>(out), sizeof out);
  return length == 1 ? out[0] : -1;
}

bool IsControl(QChar c) { return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format; }

constexpr ByteCharset Oem{Workstation::Cp1252, true};

struct StationCase {
  Workstation Station;
  const char* Iconv;
};
constexpr StationCase Stations[] = {{Workstation::Cp1252, "CP1252"}, {Workstation::Iso8859_1, "ISO-8859-1"}};

}  // namespace

// Bytes that are control characters in the set, or that it leaves
// undefined, share the placeholder.
TEST(CodePage, EachWorkstationSetShowsItsCharactersAndNeverAControl) {
  for (const StationCase& set : Stations) {
    for (int byte = 0; byte < 256; ++byte) {
      const QChar shown = DisplayChar(static_cast<uint8_t>(byte), {set.Station, false});
      EXPECT_FALSE(IsControl(shown)) << std::hex << byte;
      const long expected = Decode(set.Iconv, static_cast<uint8_t>(byte));
      if (byte == 0xAD)
        EXPECT_EQ(shown, QChar('-'));
      else if (expected == -1 || IsControl(QChar(static_cast<char16_t>(expected))))
        EXPECT_EQ(shown, DisplayChar(0x01, {})) << set.Iconv << std::hex << byte;
      else
        EXPECT_EQ(shown.unicode(), expected) << set.Iconv << std::hex << byte;
    }
  }
  EXPECT_EQ(DisplayChar(0x80, {Workstation::Cp1252, false}), QChar(0x20AC));
  EXPECT_EQ(DisplayChar(0x80, {Workstation::Iso8859_1, false}), DisplayChar(0x0A, {}));
  EXPECT_EQ(UnicodeOf(0x80, {Workstation::Iso8859_1, false}), 0x80);
  EXPECT_EQ(UnicodeOf(0x80, {Workstation::Cp1252, false}), 0x20AC);
}

TEST(CodePage, OemShowsCp850WithClassicGlyphs) {
  const QString low = QString::fromUtf8("☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼");
  ASSERT_EQ(low.size(), 31);
  for (int byte = 1; byte < 0x20; ++byte) EXPECT_EQ(DisplayChar(byte, Oem), low[byte - 1]) << byte;
  EXPECT_EQ(DisplayChar(0x7F, Oem), QChar(0x2302));
  EXPECT_FALSE(IsControl(DisplayChar(0, Oem)));
  for (int byte = 0x20; byte < 256; ++byte) {
    if (byte == 0x7F) continue;
    const QChar shown = DisplayChar(static_cast<uint8_t>(byte), Oem);
    if (byte == 0xF0)
      EXPECT_EQ(shown, QChar('-'));  // the soft hyphen
    else
      EXPECT_EQ(shown.unicode(), Decode("IBM850", static_cast<uint8_t>(byte))) << std::hex << byte;
  }
  EXPECT_EQ(DisplayChar(0x84, Oem), QChar(0xE4));
  EXPECT_EQ(DisplayChar(0xE1, Oem), QChar(0xDF));
}

TEST(CodePage, DisplayCellMapsAllFiveCharacters) {
  EXPECT_EQ(DisplayCell(" A:C1", {}), " A:C1");
  EXPECT_EQ(DisplayCell("00:00", {}), "00:00");
  EXPECT_EQ(DisplayCell(" \x84=41", Oem), QString::fromUtf8(" ä=41"));
  EXPECT_EQ(DisplayCell(" \x84=41", {}), QString::fromUtf8(" „=41"));
  EXPECT_EQ(DisplayCell(" \x01:01", Oem), QString::fromUtf8(" ☺:01"));
}

TEST(CodePage, TypedCharactersBecomeBytesOfTheWorkstationSet) {
  const QList<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
  for (const StationCase& set : Stations) {
    for (uint32_t unicode = 0; unicode < 0x10000; ++unicode) {
      if (unicode >= 0xD800 && unicode < 0xE000) continue;
      int expected = Encode(set.Iconv, unicode);
      if (set.Station == Workstation::Cp1252 && undefined.contains(static_cast<int>(unicode)))
        expected = static_cast<int>(unicode);
      ASSERT_EQ(TypedByteOf(QChar(static_cast<char16_t>(unicode)), {set.Station, false}), expected)
          << set.Iconv << std::hex << unicode;
    }
  }
  EXPECT_EQ(TypedByteOf(QChar(0x20AC), {Workstation::Cp1252, false}), 0x80);
  EXPECT_EQ(TypedByteOf(QChar(0x20AC), {Workstation::Iso8859_1, false}), -1);
  EXPECT_EQ(TypedByteOf(QChar(0xE4), Oem), 0x84);
  EXPECT_EQ(TypedByteOf(QChar(0x0101), Oem), -1);
}

TEST(CodePage, AnsiToOemExactWhereCp850HasTheCharacter) {
  int bestFit = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const int oem = WorkstationToOem(static_cast<uint8_t>(byte), Workstation::Cp1252);
    const long unicode = Decode("CP1252", static_cast<uint8_t>(byte));
    const int exact = unicode >= 0 ? Encode("IBM850", static_cast<uint32_t>(unicode)) : -1;
    if (exact >= 0) {
      EXPECT_EQ(oem, exact) << std::hex << byte;
    } else if (unicode == -1) {
      EXPECT_EQ(oem, byte) << std::hex << byte;  // undefined bytes stay
    } else {
      ++bestFit;
      EXPECT_TRUE((oem >= 0x20 && oem < 0x7F) || oem == 0x07) << std::hex << byte;
    }
  }
  EXPECT_EQ(bestFit, 26);
  EXPECT_EQ(WorkstationToOem(0xE4, Workstation::Cp1252), 0x84);
  EXPECT_EQ(WorkstationToOem(0xDF, Workstation::Cp1252), 0xE1);
  EXPECT_EQ(WorkstationToOem(0x83, Workstation::Cp1252), 0x9F);
  EXPECT_EQ(WorkstationToOem(0x80, Workstation::Cp1252), 'E');
  EXPECT_EQ(WorkstationToOem(0x95, Workstation::Cp1252), 0x07);
  EXPECT_EQ(WorkstationToOem(0x93, Workstation::Cp1252), '"');
  EXPECT_EQ(WorkstationToOem(0x0A, Workstation::Cp1252), 0x0A);
  EXPECT_EQ(WorkstationToOem('A', Workstation::Cp1252), 'A');
  // ISO 8859-1 has control characters there, which stay as they are.
  for (int byte = 0x80; byte < 0xA0; ++byte) EXPECT_EQ(WorkstationToOem(byte, Workstation::Iso8859_1), byte);
  EXPECT_EQ(WorkstationToOem(0xE4, Workstation::Iso8859_1), 0x84);
}
