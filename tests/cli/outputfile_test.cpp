#include "cli/outputfile.h"

#include <sys/stat.h>

#include "clifiles.h"

namespace {

TEST(WriteWholeFile, WritesTheBytesAndLeavesNoTemporaryFile) {
  ScratchDir dir;
  const Bytes bytes = {1, 2, 3, 0, 255};
  EXPECT_EQ(WriteWholeFile(dir / "out.tab", bytes), "");
  EXPECT_EQ(ReadFile(dir / "out.tab"), bytes);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"out.tab"});
}

TEST(WriteWholeFile, ReplacingKeepsTheModeOfTheFormerFile) {
  ScratchDir dir;
  WriteFile(dir / "out.tab", {9});
  chmod((dir / "out.tab").c_str(), 0640);
  EXPECT_EQ(WriteWholeFile(dir / "out.tab", {7, 7}), "");
  EXPECT_EQ(ReadFile(dir / "out.tab"), (Bytes{7, 7}));
  struct stat info;
  ASSERT_EQ(stat((dir / "out.tab").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(WriteWholeFile, NewFileFollowsTheUmask) {
  ScratchDir dir;
  const mode_t old = umask(027);
  EXPECT_EQ(WriteWholeFile(dir / "new.tab", {1}), "");
  umask(old);
  struct stat info;
  ASSERT_EQ(stat((dir / "new.tab").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(WriteWholeFile, FailureNamesThePathAndLeavesNothing) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "sub");
  EXPECT_EQ(WriteWholeFile(dir / "sub", {1}), dir / "sub" + ": kann nicht geschrieben werden (ist ein Verzeichnis)");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"sub"});
  EXPECT_TRUE(std::filesystem::is_empty(dir / "sub"));
  EXPECT_EQ(WriteWholeFile(dir / "missing/out.tab", {1}),
            dir / "missing/out.tab" + ": kann nicht geschrieben werden (nicht gefunden)");
}

TEST(WriteWholeFile, ALinkIsFollowed) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteFile(dir / "real/table.tab", {1});
  std::filesystem::create_symlink("real/table.tab", dir / "link.tab");
  EXPECT_EQ(WriteWholeFile(dir / "link.tab", {2, 3}), "");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.tab"));
  EXPECT_EQ(ReadFile(dir / "real/table.tab"), (Bytes{2, 3}));
  EXPECT_EQ(dir.Names().size(), 2u);
}

TEST(OutputFile, FormerFileStaysUntilCommit) {
  ScratchDir dir;
  WriteFile(dir / "out", {1, 2});
  {
    OutputFile file(dir / "out");
    ASSERT_TRUE(file.Open());
    const uint8_t bytes[] = {5, 6, 7};
    ASSERT_TRUE(file.Write(bytes, 3));
    EXPECT_EQ(ReadFile(dir / "out"), (Bytes{1, 2}));
    EXPECT_EQ(dir.Names().size(), 2u);
  }
  EXPECT_EQ(ReadFile(dir / "out"), (Bytes{1, 2}));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"out"});
}

}  // namespace
