#include "fileio/outputfile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>

#include <cerrno>
#include <csignal>

#include "fileio/signalcleanup.h"
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
  const std::string socket_path = dir / "socket";
  socket_path.copy(address.sun_path, sizeof address.sun_path - 1);
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
    chown((dir / "locked").c_str(), kNobody, kNobody);
    RunAsNobody(dir, check);
  } else {
    EXPECT_TRUE(check());
  }
}

TEST(WriteWholeFile, OwnerGroupAndModeAreKept) {
  if (geteuid() != 0) GTEST_SKIP() << "owners can only be given away by root";
  ScratchDir dir;
  WriteFile(dir / "theirs", {1});
  chown((dir / "theirs").c_str(), kNobody, kNobody);
  chmod((dir / "theirs").c_str(), 06754);
  EXPECT_EQ(WriteWholeFile(dir / "theirs", {2}), "");
  const struct stat kept = StatOf(dir / "theirs");
  EXPECT_EQ(kept.st_uid, kNobody);
  EXPECT_EQ(kept.st_gid, kNobody);
  EXPECT_EQ(kept.st_mode & 07777, 06754u);

  // nobody cannot give the new file to root: it loses setuid and setgid.
  WriteFile(dir / "roots", {1});
  chmod((dir / "roots").c_str(), 06777);
  RunAsNobody(dir, [&] { return WriteWholeFile(dir / "roots", {2}).empty(); });
  const struct stat changed = StatOf(dir / "roots");
  EXPECT_EQ(changed.st_uid, kNobody);
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

// The former content followed by text, as the editor appends declarations.
std::string AppendToFile(const std::string& path, const std::string& text) {
  OutputFile file(path, OutputFile::kWithFormerContent);
  if (file.Open() && file.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size()) && file.Commit())
    return std::string();
  return file.Error();
}

TEST(OutputFileWithFormerContent, KeepsTheFormerContentAndTheMode) {
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
  ~WriteSeam() override {
    WriteCall = ::write;
    ReserveCall = ::posix_fallocate;
    ChangeModeCall = ::fchmod;
    ChangeOwnerCall = ::fchown;
  }
  ScratchDir dir_;
};

TEST_F(WriteSeam, AShortWriteIsContinued) {
  WriteCalls = 0;
  WriteCall = ShortThenWhole;
  EXPECT_EQ(WriteWholeFile(dir_ / "out", {1, 2, 3, 4, 5, 6, 7}), "");
  EXPECT_EQ(WriteCalls, 2);
  EXPECT_EQ(ReadFile(dir_ / "out"), (Bytes{1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(WriteSeam, AFailingWriteGivesItsReasonAndLeavesNothing) {
  WriteFile(dir_ / "out", {9});
  WriteCall = DiskFull;
  EXPECT_EQ(WriteWholeFile(dir_ / "out", {1}),
            dir_ / "out" + ": kann nicht geschrieben werden (kein Platz mehr auf dem Datenträger)");
  EXPECT_EQ(ReadFile(dir_ / "out"), Bytes{9});
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"out"});
}

TEST_F(WriteSeam, AFileOverwrittenInPlaceIsAlwaysOneWholeFile) {
  const Bytes old(200000, 'o'), whole(300000, 'w'), other(100000, 'x');
  WriteFile(dir_ / "a", old);
  std::filesystem::create_hard_link(dir_ / "a", dir_ / "b");
  ReserveCall = [](int, off_t, off_t) { return ENOSPC; };
  EXPECT_EQ(WriteWholeFile(dir_ / "a", whole),
            dir_ / "a" + ": kann nicht geschrieben werden (kein Platz mehr auf dem Datenträger)");
  EXPECT_EQ(ReadFile(dir_ / "b"), old);
  ReserveCall = ::posix_fallocate;

  // SIGTERM while the second part goes in ends the program once all of it is in.
  WriteCalls = 0;
  WriteCall = [](int fd, const void* data, size_t length) {
    if (++WriteCalls == 3) raise(SIGTERM);
    return ::write(fd, data, length);
  };
  const int status = InChild([&] {
    RemoveTemporaryFileOnSignals();
    WriteWholeFile(dir_ / "a", whole);
  });
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
  EXPECT_EQ(ReadFile(dir_ / "b"), whole);

  // A writer that comes while a slow one is in the middle waits for it.
  const pid_t slow = fork();
  if (slow == 0) {
    WriteCall = [](int fd, const void* data, size_t length) {
      usleep(5000);
      return ::write(fd, data, length);
    };
    _exit(WriteWholeFile(dir_ / "a", whole).empty() ? 0 : 1);
  }
  WriteCall = ::write;
  usleep(20000);
  EXPECT_EQ(WriteWholeFile(dir_ / "a", other), "");
  waitpid(slow, nullptr, 0);
  const Bytes result = ReadFile(dir_ / "b");
  EXPECT_TRUE(result == whole || result == other);
  EXPECT_EQ(dir_.Names().size(), 2u);
}

TEST(WriteWholeFile, ExtendedAttributesAndTheAccessListAreKept) {
  ScratchDir dir;
  const std::string path = dir / "t";
  WriteFile(path, {1});
  // Owner rw, user 1000 r, group r, mask r, others nothing.
  const Bytes acl = {2, 0, 0,   0,   1,   0,   6,  0, 255, 255, 255, 255, 2,   0,   4,  0, 232, 3, 0,   0,   4,   0,
                     4, 0, 255, 255, 255, 255, 16, 0, 4,   0,   255, 255, 255, 255, 32, 0, 0,   0, 255, 255, 255, 255};
  ASSERT_EQ(setxattr(path.c_str(), "user.origin", "host", 4, 0), 0);
  ASSERT_EQ(setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0);
  const auto attribute = [&](const char* name) {
    Bytes value(100);
    value.resize(std::max<ssize_t>(0, getxattr(path.c_str(), name, value.data(), value.size())));
    return value;
  };
  EXPECT_EQ(WriteWholeFile(path, {2}), "");
  EXPECT_EQ(attribute("user.origin"), ToBytes("host"));
  EXPECT_EQ(attribute("system.posix_acl_access"), acl);
  EXPECT_EQ(StatOf(path).st_mode & 0777, 0640u);
}

TEST(WriteWholeFile, AFileSizeLimitEndsTheWriteWithItsMessageAndLeavesNothing) {
  ScratchDir dir;
  WriteFile(dir / "out", {9});
  EXPECT_EQ(InChild([&] {
              const rlimit limit = {1000, 1000};
              setrlimit(RLIMIT_FSIZE, &limit);
              const std::string expected = dir / "out" + ": kann nicht geschrieben werden (Datei zu groß)";
              _exit(WriteWholeFile(dir / "out", Bytes(5000, 1)) == expected ? 0 : 1);
            }),
            0);
  EXPECT_EQ(ReadFile(dir / "out"), Bytes{9});
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"out"});
}

TEST(WriteWholeFile, AWritableFileWhoseDirectoryIsNotIsWrittenInPlace) {
  if (geteuid() != 0) GTEST_SKIP() << "needs a second user";
  ScratchDir dir;
  std::filesystem::create_directory(dir / "fixed");
  std::filesystem::create_directory(dir / "sticky");
  for (const char* name : {"fixed/mine", "fixed/protected", "sticky/roots"}) WriteFile(dir / name, Bytes(10, 1));
  chown((dir / "fixed/mine").c_str(), kNobody, kNobody);
  chmod((dir / "fixed/protected").c_str(), 0444);
  chmod((dir / "sticky/roots").c_str(), 0666);
  chmod((dir / "fixed").c_str(), 0555);
  chmod((dir / "sticky").c_str(), 01777);
  const ino_t inode = StatOf(dir / "sticky/roots").st_ino;
  const std::vector<std::pair<std::string, std::string>> cases = {{"fixed/mine", ""},
                                                                  {"sticky/roots", ""},
                                                                  {"fixed/protected", "keine Berechtigung"},
                                                                  {"fixed/new", "keine Berechtigung"}};
  RunAsNobody(dir, [&] {
    bool all = true;
    for (const auto& [name, reason] : cases) {
      const std::string error = WriteWholeFile(dir / name, {2, 3});
      all = all && error == (reason.empty() ? "" : dir / name + ": kann nicht geschrieben werden (" + reason + ")");
    }
    return all;
  });
  EXPECT_EQ(ReadFile(dir / "fixed/mine"), (Bytes{2, 3}));
  EXPECT_EQ(ReadFile(dir / "sticky/roots"), (Bytes{2, 3}));
  EXPECT_EQ(ReadFile(dir / "fixed/protected"), Bytes(10, 1));
  EXPECT_EQ(StatOf(dir / "sticky/roots").st_ino, inode);
  EXPECT_EQ(StatOf(dir / "sticky/roots").st_uid, 0u);
  EXPECT_EQ(std::filesystem::directory_iterator(dir / "sticky")->path().filename(), "roots");
}

TEST_F(WriteSeam, EveryFailingStepFailsTheSaveAndKeepsTheFormerFile) {
  WriteFile(dir_ / "out", {9});
  chown((dir_ / "out").c_str(), kNobody, kNobody);
  const std::string failed = dir_ / "out" + ": kann nicht geschrieben werden (";
  // A write that puts nothing must not be retried for ever.
  WriteCalls = 0;
  WriteCall = [](int, const void*, size_t) -> ssize_t {
    errno = ENOSPC;
    return ++WriteCalls > 100 ? -1 : 0;
  };
  EXPECT_EQ(WriteWholeFile(dir_ / "out", {1}), failed + "Input/output error)");
  WriteCall = ::write;
  const auto broken = [](auto...) {
    errno = EIO;
    return -1;
  };
  ChangeModeCall = broken;
  EXPECT_EQ(WriteWholeFile(dir_ / "out", {1}), failed + "Input/output error)");
  ChangeModeCall = ::fchmod;
  ChangeOwnerCall = broken;  // called as root, the file being nobody's
  if (geteuid() == 0) {
    EXPECT_EQ(WriteWholeFile(dir_ / "out", {1}), failed + "Input/output error)");
  }
  EXPECT_EQ(ReadFile(dir_ / "out"), Bytes{9});
  EXPECT_EQ(dir_.Names(), std::vector<std::string>{"out"});
}

TEST(WriteWholeFile, AGroupTheWriterBelongsToStaysWithItsSetgidBit) {
  if (geteuid() != 0) GTEST_SKIP() << "needs a second user";
  ScratchDir dir;
  const gid_t users = 100;
  WriteFile(dir / "shared", {1});
  chown((dir / "shared").c_str(), kNobody, users);
  chmod((dir / "shared").c_str(), 02664);
  RunAsNobody(
      dir, [&] { return WriteWholeFile(dir / "shared", {2}).empty(); }, users);
  EXPECT_EQ(StatOf(dir / "shared").st_gid, users);
  EXPECT_EQ(StatOf(dir / "shared").st_mode & 07777, 02664u);
}

TEST(OutputFile, ARelativeNameHasItsTemporaryFileBesideIt) {
  ScratchDir dir;
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path);
  OutputFile file("out");
  EXPECT_TRUE(file.Open());
  std::filesystem::current_path(before);
  EXPECT_EQ(dir.Names().at(0).substr(0, 5), ".out.");
}

}  // namespace
