// Throughput of qavo-ct translate on a 1 GiB file in /dev/shm, against a
// `dd bs=1M` copy of the same file and, through pipes, `cat IN | qavo-ct
// translate --table T - - > OUT` against `cat IN | cat > OUT`, in the same
// run with the runs interleaved, so that neither the disk nor a busy moment
// decides. iconv with the same code page checks the bytes. Target: 0.9 x
// the copy, both ways.
//
//   translate_bench PATH-OF-QAVO-CT
//
// QAVO_CT_KERNEL forces a kernel here as in the tool. The files are removed
// at the end. Exit code 0 when the targets are met.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "cli/translate.h"
#include "files/codepages.h"
#include "files/formats.h"

extern char** environ;

namespace {

constexpr size_t kFileSize = size_t{1} << 30;
constexpr int kRounds = 7;
constexpr int kCodePage = 273;
constexpr double kTarget = 0.9;

std::string dir;

std::string PathOf(const char* name) { return dir + "/" + name; }

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const bool ok = fd >= 0 && write(fd, data, size) == static_cast<ssize_t>(size);
  return fd >= 0 && close(fd) == 0 && ok;
}

bool WriteRandomFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return false;
  std::mt19937_64 random(273);
  std::vector<uint64_t> block(kTranslateBlockSize / 8);
  bool ok = true;
  for (size_t done = 0; done < kFileSize && ok; done += kTranslateBlockSize) {
    for (uint64_t& word : block) word = random();
    ok = write(fd, block.data(), kTranslateBlockSize) == static_cast<ssize_t>(kTranslateBlockSize);
  }
  return close(fd) == 0 && ok;
}

double Seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

struct Timing {
  double Wall = -1;  // -1: the command failed
  double Cpu = 0;    // user and system time of all its processes
};

// One run of the shell command into a fresh output.
Timing TimeCommand(const std::string& command, const std::string& output) {
  unlink(output.c_str());
  std::string shell = "/bin/sh", option = "-c", text = command;
  char* argv[] = {&shell[0], &option[0], &text[0], nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t pid;
  int status = 0;
  struct rusage usage = {};
  const bool ran = posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) == 0 &&
                   wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  Timing timing;
  if (!ran) return timing;
  timing.Wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  timing.Cpu = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  return timing;
}

bool SameFiles(const std::string& a, const std::string& b) {
  std::ifstream first(a, std::ios::binary), second(b, std::ios::binary);
  std::vector<char> one(kTranslateBlockSize), two(kTranslateBlockSize);
  while (first && second) {
    first.read(one.data(), static_cast<std::streamsize>(one.size()));
    second.read(two.data(), static_cast<std::streamsize>(two.size()));
    if (first.gcount() != second.gcount() || std::memcmp(one.data(), two.data(), one.size()) != 0) return false;
  }
  return !first && !second;
}

std::string Processor() {
  std::ifstream info("/proc/cpuinfo");
  for (std::string line; std::getline(info, line);)
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  return "unknown";
}

struct Measure {
  const char* Name;
  std::string Command;
  std::string Output;
  std::vector<double> Wall;
  std::vector<double> Cpu;

  static double MedianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  }
  double Median() const { return MedianOf(Wall); }
};

bool Prepare() {
  CodePagePair pair;
  if (!BuildCodePagePair(kCodePage, Workstation::kIsoLatin1, false, pair)) {
    std::fprintf(stderr, "code page %d not available\n", kCodePage);
    return false;
  }
  CodeTable table(TableKind::kExport);
  table.LoadEntries(pair.Export);
  const std::vector<uint8_t> image = UnixImage(table);
  if (WriteRandomFile(PathOf("input")) && WriteFile(PathOf("export.tab"), image.data(), image.size())) return true;
  std::fprintf(stderr, "cannot write into %s\n", dir.c_str());
  return false;
}

bool Report(const std::vector<Measure>& measures, Kernel kernel) {
  std::printf("1 GiB in %s, code page %d, kernel %s, median of %d interleaved rounds\nprocessor: %s\n", dir.c_str(),
              kCodePage, KernelName(kernel), kRounds, Processor().c_str());
  for (const Measure& measure : measures)
    std::printf("  %-36s %6.3f s %7.0f MiB/s  (cpu %5.2f s)\n", measure.Name, measure.Median(), 1024 / measure.Median(),
                Measure::MedianOf(measure.Cpu));
  bool met = true;
  for (size_t copy = 0; copy + 1 < measures.size(); copy += 2) {
    const double ratio = measures[copy].Median() / measures[copy + 1].Median();
    met = met && ratio >= kTarget;
    std::printf("%s / %s = %.2f (target >= %.1f): %s\n", measures[copy + 1].Name, measures[copy].Name, ratio, kTarget,
                ratio >= kTarget ? "met" : "MISSED");
  }
  return met;
}

int Bench(const std::string& program) {
  Kernel kernel;
  std::string error;
  if (!ChooseKernel(kernel, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  if (!Prepare()) return 2;
  const std::string input = "'" + PathOf("input") + "'", table = "'" + PathOf("export.tab") + "'";
  const std::string translate = "'" + program + "' translate --table " + table;
  const std::string out = PathOf("out"), piped = PathOf("piped");
  // Each copy before the translate it is compared with.
  std::vector<Measure> measures = {
      {"dd bs=1M", "dd if=" + input + " of='" + out + "' bs=1M status=none", out, {}, {}},
      {"qavo-ct translate IN OUT", translate + " " + input + " '" + out + "'", out, {}, {}},
      {"cat IN | cat > OUT", "cat " + input + " | cat > '" + piped + "'", piped, {}, {}},
      {"cat IN | qavo-ct translate - - > OUT",
       "cat " + input + " | " + translate + " - - > '" + piped + "'",
       piped,
       {},
       {}},
  };
  for (int round = 0; round < kRounds; ++round)
    for (Measure& measure : measures) {
      const Timing timing = TimeCommand(measure.Command, measure.Output);
      if (timing.Wall < 0) {
        std::fprintf(stderr, "%s failed\n", measure.Name);
        return 2;
      }
      measure.Wall.push_back(timing.Wall);
      measure.Cpu.push_back(timing.Cpu);
    }
  const std::string iconv = PathOf("iconv");
  if (TimeCommand("iconv -f ISO-8859-1 -t IBM273 " + input + " > '" + iconv + "'", iconv).Wall < 0 ||
      !SameFiles(piped, iconv)) {
    std::fprintf(stderr, "translate and iconv differ\n");
    return 2;
  }
  const bool met = Report(measures, kernel);
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
  dir = pattern;
  const int code = Bench(argv[1]);
  for (const char* name : {"input", "export.tab", "out", "piped", "iconv"}) unlink(PathOf(name).c_str());
  rmdir(dir.c_str());
  return code;
}
