// Random buffers of every length through recognition: nothing may crash or
// read past the data (the buffers are exact-size heap blocks, so ASan sees it).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "files/formats.h"
#include "files/recognize.h"

namespace {

std::unique_ptr<uint8_t[]> RandomBuffer(std::mt19937& random, size_t length) {
  std::unique_ptr<uint8_t[]> data(new uint8_t[length == 0 ? 1 : length]);
  for (size_t i = 0; i < length; ++i) data[i] = static_cast<uint8_t>(random());
  return data;
}

void CheckPlan(const LoadPlan& plan, size_t length) {
  EXPECT_LE(plan.Steps.size(), 2u) << length;
  for (const LoadStep& step : plan.Steps) {
    EXPECT_NE(step.Loads(), !step.Message.empty()) << length;
    if (!step.Loads()) continue;
    EXPECT_TRUE(step.Table == TableKind::kExport || step.Table == TableKind::kImport);
    for (const TableEntry& entry : step.Entries) EXPECT_TRUE(entry.Target >= -1 && entry.Target <= 255);
    EXPECT_EQ(step.Name.find('\0'), std::string::npos);
  }
}

TEST(Sweep, EveryLengthWithRandomContent) {
  std::mt19937 random(20240611);
  for (size_t length = 0; length <= 3000; ++length) {
    for (int kind = -1; kind <= 1; ++kind) {
      auto data = RandomBuffer(random, length);
      CheckPlan(RecognizeTableImage(data.get(), length, static_cast<TableKind>(kind), "n"), length);
    }
  }
}

// V5 images with a valid signature and letter but hostile text and entries.
TEST(Sweep, HostileV5Headers) {
  std::mt19937 random(4711);
  for (int round = 0; round < 3000; ++round) {
    const size_t length = round % 2 == 0 ? kV5ImageSize : kV5PairImageSize;
    auto data = RandomBuffer(random, length);
    for (size_t start = 0; start < length; start += kV5ImageSize) {
      uint8_t* image = data.get() + start;
      std::memcpy(image, "QAVO CodeTab ", 13);
      image[13] = (round % 3 == 0) != (start > 0) ? 'E' : 'A';  // a pair holds both kinds
      // No NUL anywhere after the letter, and "]" near the end, at 21 or nowhere.
      for (size_t i = 14; i < kV5ImageSize; ++i)
        if (image[i] == 0 || image[i] == ']') image[i] = 'x';
      const int where = round % 4;
      if (where == 1) image[kV5ImageSize - 1] = ']';
      if (where == 2) image[kV5ImageSize - 2] = ']';
      if (where == 3) image[21] = ']';
    }
    const LoadPlan plan = RecognizeTableImage(data.get(), length, TableKind::kUnknown, "n");
    CheckPlan(plan, length);
    ASSERT_EQ(plan.Steps.size(), length / kV5ImageSize);
    const size_t name_length = plan.Steps[0].Name.size();
    const size_t expected[] = {0, 0, 0, kV5ImageSize - 23};
    EXPECT_EQ(name_length, expected[round % 4]);
  }
}

TEST(Sweep, DecodedEntriesOutsideTheByteRange) {
  std::mt19937 random(99);
  for (int round = 0; round < 200; ++round) {
    std::unique_ptr<uint8_t[]> image = RandomBuffer(random, kV5ImageSize);
    const V5Table table = DecodeV5Image(image.get());
    for (int p = 0; p < 256; ++p) {
      const int stored = static_cast<int16_t>(image[64 + 4 * p] | image[64 + 4 * p + 1] << 8);
      EXPECT_EQ(table.Entries[p].Target, stored == -1 ? -1 : (stored & 0xFF));
    }
  }
}

}  // namespace
