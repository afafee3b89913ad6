#include "files/charsetmapping.h"

#include <gtest/gtest.h>

#include "files/zip.h"

namespace {

TEST(CharsetNames, IllegalNamesBecomeLegalAlwaysAlike) {
  struct Case {
    const char* Table;
    const char* Base;
    const char* Python;
    const char* Java;
  };
  const Case cases[] = {
      {"ISO8859-1_CP273", "ISO8859-1_CP273", "iso8859_1_cp273", "x-ISO8859-1_CP273"},
      {"/home/u/Mein Satz (neu).tab", "Mein_Satz__neu_.tab", "mein_satz_neu_.tab", "x-Mein_Satz__neu_.tab"},
      {"--CP\xC4+1141--", "--CP__1141--", "cp_1141", "x---CP__1141--"},
      {"X-eigen", "X-eigen", "x_eigen", "X-eigen"},
      {"dir/", "QAVO", "qavo", "x-QAVO"},
      {"__", "__", "qavo", "x-__"},
  };
  for (const Case& c : cases) {
    const std::string base = CharsetBaseName(c.Table);
    EXPECT_EQ(base, c.Base) << c.Table;
    EXPECT_EQ(PythonCodecName(base), c.Python) << c.Table;
    EXPECT_EQ(JavaCharsetName(base), c.Java) << c.Table;
  }
}

TEST(Zip, Crc32OfTheCheckString) {
  const std::string check = "123456789";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(check.data()), check.size()), 0xCBF43926u);
}

}  // namespace
