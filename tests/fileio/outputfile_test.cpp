#include "fileio/outputfile.h"

#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>

#include <cerrno>

#include "fileiotest.h"

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

TEST(ErrorText, TheUsualReasonsInGerman) {
  EXPECT_EQ(ErrorText(EACCES), "keine Berechtigung");
  EXPECT_EQ(ErrorText(EPERM), "keine Berechtigung");
  EXPECT_EQ(ErrorText(ENOTDIR), "Pfad enthält eine Datei, wo ein Verzeichnis stehen müsste");
  EXPECT_EQ(ErrorText(ENOSPC), "kein Platz mehr auf dem Datenträger");
  EXPECT_EQ(ErrorText(EROFS), "Dateisystem ist nur lesbar");
  EXPECT_EQ(ErrorText(EFBIG), "Datei zu groß");
  EXPECT_EQ(ErrorText(ELOOP), "Verknüpfungen im Kreis");
  EXPECT_EQ(ErrorText(EIO), "Input/output error");
}

TEST(WriteWholeFile, WhatIsNoRegularFileIsRefusedAndStays) {
  ScratchDir dir;
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir / "socket";
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  std::filesystem::create_symlink("nowhere", dir / "dangling");
  std::filesystem::create_symlink("loop", dir / "loop");
  std::filesystem::create_symlink("fifo", dir / "to-fifo");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"fifo", "keine reguläre Datei"},      {"socket", "keine reguläre Datei"}, {"to-fifo", "keine reguläre Datei"},
      {"dangling", "Verknüpfung ohne Ziel"}, {"loop", "Verknüpfungen im Kreis"},
  };
  for (const auto& [name, reason] : cases)
    EXPECT_EQ(WriteWholeFile(dir / name, {1}), dir / name + ": kann nicht geschrieben werden (" + reason + ")");
  close(sock);
  EXPECT_TRUE(S_ISFIFO(StatOf(dir / "fifo").st_mode));
  EXPECT_TRUE(S_ISSOCK(StatOf(dir / "socket").st_mode));
  EXPECT_TRUE(S_ISLNK(StatOf(dir / "dangling").st_mode));
  EXPECT_TRUE(S_ISLNK(StatOf(dir / "loop").st_mode));
  EXPECT_EQ(dir.Names().size(), 5u);
}

TEST(WriteWholeFile, ADeviceIsRefused) {
  ScratchDir dir;
  if (mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
    GTEST_SKIP() << "this process may not make a device node";
  EXPECT_EQ(WriteWholeFile(dir / "null", {1}), dir / "null" + ": kann nicht geschrieben werden (keine reguläre Datei)");
  EXPECT_TRUE(S_ISCHR(StatOf(dir / "null").st_mode));
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"null"});
}

TEST(WriteWholeFile, AWriteProtectedFileIsRefusedAsAShellRefusesIt) {
  ScratchDir dir;
  WriteFile(dir / "locked", {1});
  chmod((dir / "locked").c_str(), 0444);
  const auto check = [&] {
    const std::string error = WriteWholeFile(dir / "locked", {2});
    return error == dir / "locked" + ": kann nicht geschrieben werden (keine Berechtigung)" &&
           ReadFile(dir / "locked") == Bytes{1} && dir.Names().size() == 1;
  };
  if (geteuid() == 0) {
    chown((dir / "locked").c_str(), Nobody, Nobody);
    RunAsNobody(dir, check);
  } else {
    EXPECT_TRUE(check());
  }
}

TEST(WriteWholeFile, OwnerGroupAndModeAreKept) {
  if (geteuid() != 0) GTEST_SKIP() << "owners can only be given away by root";
  ScratchDir dir;
  WriteFile(dir / "theirs", {1});
  chown((dir / "theirs").c_str(), Nobody, Nobody);
  chmod((dir / "theirs").c_str(), 06754);
  EXPECT_EQ(WriteWholeFile(dir / "theirs", {2}), "");
  const struct stat kept = StatOf(dir / "theirs");
  EXPECT_EQ(kept.st_uid, Nobody);
  EXPECT_EQ(kept.st_gid, Nobody);
  EXPECT_EQ(kept.st_mode & 07777, 06754u);

  // nobody cannot give the new file to root: it loses setuid and setgid.
  WriteFile(dir / "roots", {1});
  chmod((dir / "roots").c_str(), 06777);
  RunAsNobody(dir, [&] { return WriteWholeFile(dir / "roots", {2}).empty(); });
  const struct stat changed = StatOf(dir / "roots");
  EXPECT_EQ(changed.st_uid, Nobody);
  EXPECT_EQ(changed.st_mode & 07777, 0777u);
  EXPECT_EQ(ReadFile(dir / "roots"), Bytes{2});
}

TEST(WriteWholeFile, HardLinksStayOneFile) {
  ScratchDir dir;
  WriteFile(dir / "a", Bytes(5000, 1));
  std::filesystem::create_hard_link(dir / "a", dir / "b");
  const ino_t inode = StatOf(dir / "a").st_ino;
  EXPECT_EQ(WriteWholeFile(dir / "a", {2, 3}), "");
  EXPECT_EQ(ReadFile(dir / "b"), (Bytes{2, 3}));
  EXPECT_EQ(StatOf(dir / "a").st_ino, inode);
  EXPECT_EQ(StatOf(dir / "b").st_nlink, 2u);
  EXPECT_EQ(dir.Names().size(), 2u);
}

TEST(WriteWholeFile, NamesUpToTheLimitFitTheirTemporaryName) {
  ScratchDir dir;
  const std::string name(255, 'n');
  EXPECT_EQ(WriteWholeFile(dir / name, {1}), "");
  EXPECT_EQ(WriteWholeFile(dir / name, {2}), "");
  EXPECT_EQ(ReadFile(dir / name), Bytes{2});
  EXPECT_EQ(dir.Names(), std::vector<std::string>{name});
}

TEST(AppendToFile, KeepsTheFormerContentAndTheMode) {
  ScratchDir dir;
  WriteFile(dir / "decl.h", ToBytes("old\n"));
  chmod((dir / "decl.h").c_str(), 0604);
  EXPECT_EQ(AppendToFile(dir / "decl.h", "new\n"), "");
  EXPECT_EQ(ReadFile(dir / "decl.h"), ToBytes("old\nnew\n"));
  EXPECT_EQ(StatOf(dir / "decl.h").st_mode & 07777, 0604u);
  EXPECT_EQ(AppendToFile(dir / "fresh.h", "x"), "");
  EXPECT_EQ(ReadFile(dir / "fresh.h"), ToBytes("x"));
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_EQ(AppendToFile(dir / "fifo", "x"), dir / "fifo" + ": kann nicht geschrieben werden (keine reguläre Datei)");
}

// A write seam: the first call puts at most three bytes, later ones all.
int WriteCalls = 0;
ssize_t ShortThenWhole(int fd, const void* data, size_t length) {
  return ::write(fd, data, WriteCalls++ == 0 && length > 3 ? 3 : length);
}
ssize_t DiskFull(int, const void*, size_t) {
  errno = ENOSPC;
  return -1;
}

class WriteSeam : public ::testing::Test {
 protected:
  ~WriteSeam() override { WriteCall = ::write; }
  ScratchDir dir;
};

TEST_F(WriteSeam, AShortWriteIsContinued) {
  WriteCalls = 0;
  WriteCall = ShortThenWhole;
  EXPECT_EQ(WriteWholeFile(dir / "out", {1, 2, 3, 4, 5, 6, 7}), "");
  EXPECT_EQ(WriteCalls, 2);
  EXPECT_EQ(ReadFile(dir / "out"), (Bytes{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(WriteSeam, AFailingWriteGivesItsReasonAndLeavesNothing) {
  WriteFile(dir / "out", {9});
  WriteCall = DiskFull;
  EXPECT_EQ(WriteWholeFile(dir / "out", {1}),
            dir / "out" + ": kann nicht geschrieben werden (kein Platz mehr auf dem Datenträger)");
  EXPECT_EQ(ReadFile(dir / "out"), Bytes{9});
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"out"});
}

}  // namespace
