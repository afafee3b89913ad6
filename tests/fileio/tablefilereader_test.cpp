#include "fileio/tablefilereader.h"

#include "fileiotest.h"

namespace {

struct Read {
  bool Ok;
  size_t Length;
  size_t Kept;
  std::string Reason;
};

Read ReadAt(const std::string& path) {
  std::vector<uint8_t> bytes;
  Read read{};
  read.Ok = ReadTableBytes(path, bytes, read.Length, read.Reason);
  read.Kept = bytes.size();
  return read;
}

TEST(ReadTableBytes, StopsOneByteAfterTheLongestTableFile) {
  ScratchDir dir;
  WriteFile(dir / "pair", Bytes(2176, 7));
  WriteFile(dir / "long", Bytes(100000, 7));
  const Read pair = ReadAt(dir / "pair");
  EXPECT_TRUE(pair.Ok);
  EXPECT_EQ(pair.Length, 2176u);
  EXPECT_EQ(pair.Kept, 2176u);
  const Read longer = ReadAt(dir / "long");
  EXPECT_TRUE(longer.Ok);
  EXPECT_EQ(longer.Length, 100000u);
  EXPECT_EQ(longer.Kept, 2177u);
}

TEST(ReadTableBytes, EndlessOrBlockingFilesAreRefusedUnopened) {
  ScratchDir dir;
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  for (const std::string& path : {std::string("/dev/zero"), dir / "fifo"}) {
    const Read read = ReadAt(path);
    EXPECT_FALSE(read.Ok) << path;
    EXPECT_EQ(read.Reason, "keine reguläre Datei");
    EXPECT_EQ(read.Kept, 0u);
  }
  EXPECT_EQ(ReadAt(dir.Path).Reason, "ist ein Verzeichnis");
  EXPECT_EQ(ReadAt(dir / "absent").Reason, "nicht gefunden");
}

TEST(ReadTableBytes, NoDescriptorIsLeft) {
  ScratchDir dir;
  WriteFile(dir / "good", Bytes(256, 1));
  WriteFile(dir / "long", Bytes(3000, 1));
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  const size_t before = OpenDescriptors();
  for (const char* name : {"good", "long", "fifo", "absent", ""}) ReadAt(dir / name);
  EXPECT_EQ(OpenDescriptors(), before);
}

}  // namespace
