#include "cli/translate.h"

#include <fcntl.h>
#include <unistd.h>

#include <random>

#include "clifiles.h"

namespace {

ByteMap RandomMap(unsigned seed) {
  std::mt19937 random(seed);
  ByteMap map;
  for (uint8_t& code : map) code = static_cast<uint8_t>(random());
  return map;
}

Bytes RandomBytes(size_t length, unsigned seed) {
  std::mt19937 random(seed);
  Bytes bytes(length);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
  return bytes;
}

Bytes Looked(const ByteMap& map, Bytes bytes) {
  for (uint8_t& byte : bytes) byte = map[byte];
  return bytes;
}

// In place, with the kernel translate chooses.
void TranslateBytes(const ByteMap& map, uint8_t* data, size_t length) {
  RunKernel(FastestKernel(), map.data(), data, data, length);
}

TEST(FastestKernel, EveryLengthAndAlignmentEqualsTheLookup) {
  const ByteMap map = RandomMap(1);
  const Bytes source = RandomBytes(300, 2);
  for (size_t offset = 0; offset < 8; ++offset)
    for (size_t length = 0; length + offset <= source.size(); length += 7) {
      const Bytes slice(source.begin() + offset, source.begin() + offset + length);
      const Bytes expected = Looked(map, slice);
      Bytes buffer = source;
      TranslateBytes(map, buffer.data() + offset, length);
      EXPECT_EQ(Bytes(buffer.begin() + offset, buffer.begin() + offset + length), expected) << offset << " " << length;
      EXPECT_EQ(Bytes(buffer.begin() + offset + length, buffer.end()),
                Bytes(source.begin() + offset + length, source.end()));
    }
}

TEST(FastestKernel, AllByteValuesThroughEveryEntry) {
  Bytes all(256 * 3);
  for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<uint8_t>(i * 7);
  for (unsigned seed = 10; seed < 20; ++seed) {
    const ByteMap map = RandomMap(seed);
    Bytes buffer = all;
    TranslateBytes(map, buffer.data(), buffer.size());
    EXPECT_EQ(buffer, Looked(map, all));
  }
}

TEST(ByteMapOf, UnassignedPositionsStayThemselves) {
  CodeTable table(TableKind::kExport);
  table.Assign(0x41, 0xC1);
  table.Assign(0x42, 0xC1);
  const ByteMap map = ByteMapOf(table);
  EXPECT_EQ(map[0x41], 0xC1);
  EXPECT_EQ(map[0x42], 0xC1);
  EXPECT_EQ(map[0x43], 0x43);
  EXPECT_EQ(map[0x00], 0x00);
  EXPECT_EQ(map[0xFF], 0xFF);
}

TEST(TranslateStream, WholeFileAcrossBlocks) {
  ScratchDir dir;
  const Bytes source = RandomBytes(2 * kTranslateBlockSize + 17, 3);
  WriteFile(dir / "in", source);
  const ByteMap map = RandomMap(4);
  const int in = open((dir / "in").c_str(), O_RDONLY);
  const int out = open((dir / "out").c_str(), O_WRONLY | O_CREAT, 0600);
  EXPECT_EQ(TranslateStream(in, out, map), StreamResult::kDone);
  close(in);
  close(out);
  EXPECT_EQ(ReadFile(dir / "out"), Looked(map, source));
}

TEST(TranslateStream, PipeIsReadBlockByBlock) {
  ScratchDir dir;
  const Bytes source = RandomBytes(100000, 10);
  WriteFile(dir / "in", source);
  const ByteMap map = RandomMap(11);
  FILE* pipe = popen(("cat '" + dir / "in" + "'").c_str(), "r");
  const int out = open((dir / "out").c_str(), O_WRONLY | O_CREAT, 0600);
  EXPECT_EQ(TranslateStream(fileno(pipe), out, map), StreamResult::kDone);
  pclose(pipe);
  close(out);
  EXPECT_EQ(ReadFile(dir / "out"), Looked(map, source));
}

TEST(TranslateStream, EmptyInputWritesNothing) {
  ScratchDir dir;
  WriteFile(dir / "in", Bytes());
  const int in = open((dir / "in").c_str(), O_RDONLY);
  const int out = open((dir / "out").c_str(), O_WRONLY | O_CREAT, 0600);
  EXPECT_EQ(TranslateStream(in, out, RandomMap(5)), StreamResult::kDone);
  close(in);
  close(out);
  EXPECT_TRUE(ReadFile(dir / "out").empty());
}

TEST(TranslateStream, ReadAndWriteFailuresAreTold) {
  ScratchDir dir;
  WriteFile(dir / "in", RandomBytes(1000, 6));
  const int directory = open(dir.Path.c_str(), O_RDONLY);
  const int sink = open("/dev/null", O_WRONLY);
  EXPECT_EQ(TranslateStream(directory, sink, RandomMap(7)), StreamResult::kReadFailed);
  const int in = open((dir / "in").c_str(), O_RDONLY);
  const int full = open("/dev/full", O_WRONLY);
  EXPECT_EQ(TranslateStream(in, full, RandomMap(8)), StreamResult::kWriteFailed);
  EXPECT_EQ(errno, ENOSPC);
  // The first block fails while the next is translated.
  WriteFile(dir / "long", RandomBytes(3 * kTranslateBlockSize, 12));
  const int long_in = open((dir / "long").c_str(), O_RDONLY);
  EXPECT_EQ(TranslateStream(long_in, full, RandomMap(13)), StreamResult::kWriteFailed);
  for (const int fd : {directory, sink, in, full, long_in}) close(fd);
}

}  // namespace
