// The editor's fields: bytes as characters through the code page and as hex.
#include "ui/entrytext.h"

#include <gtest/gtest.h>

namespace {

QString Char(char16_t c) { return QString(QChar(c)); }

TEST(EntryText, HexIsTwoUpperCaseDigits) {
  struct Case {
    const char* Text;
    int Byte;
  };
  for (const Case& c : {Case{"41", 0x41}, {"FF", 0xFF}, {"00", 0}, {"ff", -1}, {"4", -1}, {"411", -1}, {"G1", -1}})
    EXPECT_EQ(EntryText::ByteOfHex(c.Text), c.Byte) << c.Text;
  EXPECT_EQ(EntryText::HexOf(0x0A), "0A");
  EXPECT_EQ(EntryText::HexOf(-1), "");
}

TEST(EntryText, CharactersGoBothWaysThroughTheCodePage) {
  const EntryText ansi({Workstation::kCp1252, false}, false);
  const EntryText latin1({Workstation::kIsoLatin1, false}, false);
  const EntryText oem({Workstation::kCp1252, true}, true);
  EXPECT_EQ(ansi.CharOf(0), "");
  EXPECT_EQ(ansi.CharOf(-1), "");
  EXPECT_EQ(ansi.CharOf(0x80), Char(0x20AC));
  EXPECT_EQ(oem.CharOf(0x84), Char(0xE4));
  EXPECT_EQ(ansi.ByteOfChar(Char(0x20AC)), 0x80);
  EXPECT_EQ(latin1.ByteOfChar(Char(0x20AC)), -1);
  EXPECT_EQ(oem.ByteOfChar(Char(0xE4)), 0x84);
  EXPECT_EQ(ansi.ByteOfChar("AB"), -1);
  EXPECT_EQ(ansi.ByteOfChar(Char(0x4E00)), -1);
  EXPECT_EQ(EntryText({Workstation::kCp1252, false}, true).InputByte(0xE4), 0x84);
  EXPECT_EQ(ansi.InputByte(0xE4), 0xE4);
}

}  // namespace
