// Installs the build into a temporary prefix and asks the desktop's own tools
// what they make of the desktop entry and the table file type.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/formats.h"
#include "model/codetable.h"

namespace fs = std::filesystem;

namespace {

struct CommandResult {
  int ExitCode = -1;
  std::string Output;
};

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) result.Output += buffer;
  const int status = pclose(pipe);
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class Installed : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/qcte-install-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Prefix = pattern;
    const CommandResult install = RunCommand(Quoted(QCTE_CMAKE) + " --install " + Quoted(QCTE_BUILD_DIR) +
                                             " --prefix " + Quoted(Prefix.string()));
    ASSERT_EQ(install.ExitCode, 0) << install.Output;
    const CommandResult mime = RunCommand("update-mime-database " + Quoted((Share() / "mime").string()));
    ASSERT_EQ(mime.ExitCode, 0) << mime.Output;
    const CommandResult desktop = RunCommand("update-desktop-database " + Quoted((Share() / "applications").string()));
    ASSERT_EQ(desktop.ExitCode, 0) << desktop.Output;
  }

  static void TearDownTestSuite() { fs::remove_all(Prefix); }

  static fs::path Share() { return Prefix / "share"; }

  // The desktop as a file manager sees it: only the temporary prefix.
  static std::string XdgMime(const std::string& arguments) {
    const std::string share = Quoted(Share().string());
    const CommandResult result = RunCommand("env XDG_DATA_HOME=" + share + " XDG_DATA_DIRS=" + share +
                                            " XDG_CONFIG_HOME=" + Quoted((Prefix / "config").string()) +
                                            " XDG_CURRENT_DESKTOP=X-Generic xdg-mime " + arguments);
    EXPECT_EQ(result.ExitCode, 0) << result.Output;
    return result.Output;
  }

  static fs::path Prefix;
};

fs::path Installed::Prefix;

TEST_F(Installed, DesktopEntryIsValidAndOpensFiles) {
  const fs::path entry = Share() / "applications" / "qavo-cte.desktop";
  ASSERT_TRUE(fs::exists(entry));
  const CommandResult check = RunCommand("desktop-file-validate " + Quoted(entry.string()));
  EXPECT_EQ(check.ExitCode, 0) << check.Output;
  EXPECT_EQ(check.Output, "");
  EXPECT_TRUE(fs::exists(Prefix / "bin" / "qcte"));
  EXPECT_EQ(XdgMime("query default application/x-qavo-codetable"), "qavo-cte.desktop\n");
}

// Answered on the terminal, without a display and without opening a file.
TEST_F(Installed, OptionsAreAnsweredOnTheTerminal) {
  const std::string qcte =
      "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none " + Quoted((Prefix / "bin" / "qcte").string());
  const CommandResult help = RunCommand(qcte + " --help");
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_EQ(help.Output.rfind("Aufruf: qcte [DATEI ...]\n", 0), 0u) << help.Output;
  const CommandResult version = RunCommand(qcte + " --version");
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Output.rfind("qcte (QAVO Code Table Editor) 1.", 0), 0u) << version.Output;
  const CommandResult unknown = RunCommand(qcte + " --hilfe");
  EXPECT_EQ(unknown.ExitCode, 2);
  EXPECT_EQ(unknown.Output, "qcte: unbekannte Option \xE2\x80\x9E--hilfe\xE2\x80\x9C\nMehr mit: qcte --help\n");
}

// The running editor catches SIGHUP and SIGTERM, so that an interrupted
// save removes its temporary file (Qt leaves them to the default). SIGINT
// is not asked for: a shell starts a background job with it ignored.
TEST_F(Installed, TheEditorCatchesTheTerminationSignals) {
  const std::string qcte = "QT_QPA_PLATFORM=offscreen " + Quoted((Prefix / "bin" / "qcte").string());
  const CommandResult caught = RunCommand(
      qcte + " & p=$!; for i in $(seq 50); do m=$(awk '/^SigCgt/{print $2}' /proc/$p/status);" +
      " [ $((0x$m & 0x4001)) -eq $((0x4001)) ] && break; sleep 0.1; done; kill -9 $p; echo $((0x$m & 0x4001))");
  EXPECT_EQ(caught.Output, "16385\n");
}

// Recognised by the leading "QAVO CodeTab " whatever the name, and by the
// .qct name; a UNIX table has no signature and is something else.
TEST_F(Installed, V5FilesHaveTheTableType) {
  CodeTable table(TableKind::kExport);
  table.Assign(0x41, 0xC1);
  const fs::path named = Prefix / "EXPORT.qct";
  const fs::path unnamed = Prefix / "export.bin";
  const fs::path unix = Prefix / "export.tab";
  WriteFile(named, V5Image(table, TableKind::kExport));
  WriteFile(unnamed, V5PairImage(table, table));
  WriteFile(unix, UnixImage(table));

  EXPECT_EQ(XdgMime("query filetype " + Quoted(named.string())), "application/x-qavo-codetable\n");
  EXPECT_EQ(XdgMime("query filetype " + Quoted(unnamed.string())), "application/x-qavo-codetable\n");
  EXPECT_NE(XdgMime("query filetype " + Quoted(unix.string())), "application/x-qavo-codetable\n");
}

}  // namespace
