// Throughput of qavo-ct translate on a 1 GiB file in /dev/shm, against a
// `dd bs=1M` copy of the same file and against iconv with the same code page,
// in the same run, so that the disk does not decide. Targets: 0.9 x dd with
// the AVX-512 VBMI kernel, 0.7 x dd with AVX2.
//
//   translate_bench PATH-OF-QAVO-CT
//
// QAVO_CT_KERNEL forces a kernel here as in the tool. The files are removed
// at the end. Exit code 0 when the target is met.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "cli/translate.h"
#include "files/codepages.h"
#include "files/formats.h"

extern char** environ;

namespace {

constexpr size_t FileSize = size_t{1} << 30;
constexpr int Rounds = 5;
constexpr int IconvRounds = 2;
constexpr int CodePage = 273;

std::string Dir;

std::string PathOf(const char* name) { return Dir + "/" + name; }

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const bool ok = fd >= 0 && write(fd, data, size) == static_cast<ssize_t>(size);
  return fd >= 0 && close(fd) == 0 && ok;
}

bool WriteRandomFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return false;
  std::mt19937_64 random(273);
  std::vector<uint64_t> block(TranslateBlockSize / 8);
  bool ok = true;
  for (size_t done = 0; done < FileSize && ok; done += TranslateBlockSize) {
    for (uint64_t& word : block) word = random();
    ok = write(fd, block.data(), TranslateBlockSize) == static_cast<ssize_t>(TranslateBlockSize);
  }
  return close(fd) == 0 && ok;
}

// Seconds for one run of the program into a fresh output (its standard
// output when stdoutPath is given), -1 when it fails.
double TimeProgram(std::vector<std::string> args, const std::string& output, const std::string& stdoutPath = "") {
  unlink(output.c_str());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!stdoutPath.empty())
    posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid;
  int status = 0;
  const bool ran = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0 &&
                   waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  posix_spawn_file_actions_destroy(&actions);
  return ran ? seconds : -1;
}

bool SameFiles(const std::string& a, const std::string& b) {
  const int fa = open(a.c_str(), O_RDONLY);
  const int fb = open(b.c_str(), O_RDONLY);
  std::vector<char> ba(TranslateBlockSize), bb(TranslateBlockSize);
  bool same = fa >= 0 && fb >= 0;
  while (same) {
    const ssize_t ga = read(fa, ba.data(), ba.size());
    const ssize_t gb = read(fb, bb.data(), bb.size());
    same = ga == gb && ga >= 0 && std::memcmp(ba.data(), bb.data(), static_cast<size_t>(ga)) == 0;
    if (ga <= 0) break;
  }
  close(fa);
  close(fb);
  return same;
}

struct Measure {
  const char* Name;
  std::vector<std::string> Args;
  std::string Output;
  bool ToStdout;
  int Rounds;
  double Best = 1e9;
};

bool Prepare() {
  CodePagePair pair;
  if (!BuildCodePagePair(CodePage, Workstation::Iso8859_1, false, pair)) {
    std::fprintf(stderr, "code page %d not available\n", CodePage);
    return false;
  }
  CodeTable table(TableKind::kExport);
  table.LoadEntries(pair.Export);
  const std::vector<uint8_t> image = UnixImage(table);
  if (WriteRandomFile(PathOf("input")) && WriteFile(PathOf("export.tab"), image.data(), image.size())) return true;
  std::fprintf(stderr, "cannot write into %s\n", Dir.c_str());
  return false;
}

double Target(Kernel kernel) { return kernel == Kernel::Avx512Vbmi ? 0.9 : kernel == Kernel::Avx2 ? 0.7 : 0; }

int Bench(const std::string& program) {
  Kernel kernel;
  std::string error;
  if (!ChooseKernel(kernel, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  if (!Prepare()) return 2;
  const std::string input = PathOf("input");
  std::vector<Measure> measures = {
      {"dd bs=1M", {"dd", "if=" + input, "of=" + PathOf("dd"), "bs=1M", "status=none"}, PathOf("dd"), false, Rounds},
      {"qavo-ct translate",
       {program, "translate", "--table", PathOf("export.tab"), input, PathOf("translated")},
       PathOf("translated"),
       false,
       Rounds},
      {"iconv -t IBM273", {"iconv", "-f", "ISO-8859-1", "-t", "IBM273", input}, PathOf("iconv"), true, IconvRounds},
  };
  for (int round = 0; round < Rounds; ++round)
    for (Measure& measure : measures) {
      if (round >= measure.Rounds) continue;
      const double seconds = TimeProgram(measure.Args, measure.Output, measure.ToStdout ? measure.Output : "");
      if (seconds < 0) {
        std::fprintf(stderr, "%s failed\n", measure.Name);
        return 2;
      }
      measure.Best = std::min(measure.Best, seconds);
    }
  if (!SameFiles(PathOf("translated"), PathOf("iconv"))) {
    std::fprintf(stderr, "translate and iconv differ\n");
    return 2;
  }
  std::printf("1 GiB in %s, code page %d, kernel %s, best of %d rounds (iconv %d):\n", Dir.c_str(), CodePage,
              KernelName(kernel), Rounds, IconvRounds);
  for (const Measure& measure : measures)
    std::printf("  %-20s %6.2f s %7.0f MiB/s\n", measure.Name, measure.Best, 1024 / measure.Best);
  const double toDd = measures[0].Best / measures[1].Best;
  const double toIconv = measures[2].Best / measures[1].Best;
  const bool met = toDd >= Target(kernel);
  if (Target(kernel) > 0)
    std::printf("translate / dd    = %.2f (target >= %.1f with %s): %s\n", toDd, Target(kernel), KernelName(kernel),
                met ? "met" : "MISSED");
  else
    std::printf("translate / dd    = %.2f (no target for the %s kernel)\n", toDd, KernelName(kernel));
  std::printf("translate / iconv = %.2f\n", toIconv);
  std::printf("output equal to iconv's: yes\n");
  return met ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: translate_bench PATH-OF-QAVO-CT\n");
    return 2;
  }
  char pattern[] = "/dev/shm/qavo-translate-bench.XXXXXX";
  if (!mkdtemp(pattern)) {
    std::perror("mkdtemp in /dev/shm");
    return 2;
  }
  Dir = pattern;
  const int code = Bench(argv[1]);
  for (const char* name : {"input", "export.tab", "dd", "iconv", "translated"}) unlink(PathOf(name).c_str());
  rmdir(Dir.c_str());
  return code;
}
