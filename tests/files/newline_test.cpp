// The newline profile of a pair: where EBCDIC 15 and 25 go and back.
#include "files/newline.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  int Import15, Import25, Export0A, Export85;
  const char* Text;
  bool Disagrees;
};

TEST(DescribeNewline, NamesEachProfileAndTheDisagreement) {
  const Case cases[] = {
      {0x0A, 0x85, 0x15, 0x25, "15 <-> 0A (z/OS UNIX)", false},
      {0x85, 0x0A, 0x25, 0x15, "15 <-> 85, 25 <-> 0A (üblich)", false},
      {0x0A, 0x0A, 0x25, 0x15, "15 und 25 -> 0A", false},
      {0x0A, 0x0A, 0x0B, 0x15, "EXPORT und IMPORT uneinig: IMPORT 15 -> 0A, 25 -> 0A; EXPORT 0A -> 0B, 85 -> 15", true},
      {0x0B, 0x0A, 0x25, 0x15, "15 <-> 0B, 25 <-> 0A", false},
      {0x0A, 0x85, 0x25, 0x15, "EXPORT und IMPORT uneinig: IMPORT 15 -> 0A, 25 -> 85; EXPORT 0A -> 25, 85 -> 15", true},
      {-1, 0x0A, 0x25, -1, "EXPORT und IMPORT uneinig: IMPORT 15 -> --, 25 -> 0A; EXPORT 0A -> 25, 85 -> --", true},
  };
  for (const Case& c : cases) {
    int16_t export_targets[256];
    int16_t import_targets[256];
    for (int p = 0; p < 256; ++p) export_targets[p] = import_targets[p] = static_cast<int16_t>(p);
    import_targets[0x15] = static_cast<int16_t>(c.Import15);
    import_targets[0x25] = static_cast<int16_t>(c.Import25);
    export_targets[0x0A] = static_cast<int16_t>(c.Export0A);
    export_targets[0x85] = static_cast<int16_t>(c.Export85);
    // The round trip of 0B for the profile that takes 15 to it.
    if (c.Import15 == 0x0B) export_targets[0x0B] = 0x15;
    const NewlineProfile profile = DescribeNewline(export_targets, import_targets);
    EXPECT_EQ(NewlineLine(profile), std::string("Zeilenende: ") + c.Text);
    EXPECT_EQ(profile.Disagrees, c.Disagrees) << c.Text;
  }
}

}  // namespace
