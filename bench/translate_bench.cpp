// Throughput of qavo-ct's translate on a 256 MiB file, against iconv with the
// same code page and against a plain copy, all on the same file in the same
// run. Targets: at least iconv's throughput and at least half the copy's.
//
//   translate_bench [path of qavo-ct]
//
// With the path, the whole program is timed as well. The file lives in /tmp
// and is removed at the end. Exit code 0 when both targets are met.
#include <fcntl.h>
#include <iconv.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "cli/translate.h"
#include "files/codepages.h"

extern char** environ;

namespace {

constexpr size_t FileSize = size_t{256} << 20;
constexpr int Rounds = 5;
constexpr int CodePage = 273;
const char* const IconvName = "IBM273";

std::string Dir;

std::string PathOf(const char* name) { return Dir + "/" + name; }

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

// The same block loop as the tool, with iconv doing the work.
bool IconvStream(int in, int out) {
  const iconv_t cd = iconv_open(IconvName, "ISO-8859-1");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  // Page-aligned like the tool's buffer, so both pay the same for the copies.
  const std::unique_ptr<char, decltype(&std::free)> input(static_cast<char*>(std::aligned_alloc(4096, TranslateBlockSize)),
                                                          &std::free);
  const std::unique_ptr<char, decltype(&std::free)> output(static_cast<char*>(std::aligned_alloc(4096, TranslateBlockSize)),
                                                           &std::free);
  bool ok = true;
  for (;;) {
    const ssize_t got = read(in, input.get(), TranslateBlockSize);
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    char* from = input.get();
    char* to = output.get();
    size_t fromLeft = static_cast<size_t>(got);
    size_t toLeft = TranslateBlockSize;
    if (iconv(cd, &from, &fromLeft, &to, &toLeft) == static_cast<size_t>(-1) ||
        write(out, output.get(), static_cast<size_t>(got)) != got) {
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  return ok;
}

bool Copy(int in, int out) { return CopyStream(in, out) == StreamResult::Done; }

// Seconds for one pass from the input file into a new output file.
double TimePass(const std::string& output, const std::function<bool(int, int)>& pass) {
  unlink(output.c_str());
  const auto start = std::chrono::steady_clock::now();
  const int in = open(PathOf("input").c_str(), O_RDONLY);
  const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  const bool ok = in >= 0 && out >= 0 && pass(in, out);
  close(in);
  if (close(out) != 0 || !ok) return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeProgram(const std::string& program, const std::string& table, const std::string& output) {
  unlink(output.c_str());
  const std::string input = PathOf("input");
  std::vector<std::string> args = {program, "translate", "--table", table, input, output};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid;
  int status = 0;
  if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0 ||
      waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return -1;
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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

double MiBPerSecond(double seconds) { return seconds > 0 ? static_cast<double>(FileSize >> 20) / seconds : 0; }

struct Measure {
  const char* Name;
  std::function<double()> Run;
  double Best = 0;
};

int Bench(const char* program) {
  CodePagePair pair;
  if (!BuildCodePagePair(CodePage, Workstation::Iso8859_1, false, pair)) {
    std::fprintf(stderr, "code page %d not available\n", CodePage);
    return 2;
  }
  CodeTable table(Export);
  table.LoadEntries(pair.Export);
  const ByteMap map = ByteMapOf(table);
  if (!WriteRandomFile(PathOf("input"))) {
    std::fprintf(stderr, "cannot write %s\n", PathOf("input").c_str());
    return 2;
  }
  std::vector<uint8_t> image(map.begin(), map.end());
  {
    const int fd = open(PathOf("export.tab").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const bool ok = fd >= 0 && write(fd, image.data(), image.size()) == static_cast<ssize_t>(image.size());
    if (fd >= 0) close(fd);
    if (!ok) return 2;
  }
  std::vector<Measure> measures = {
      {"copy (read/write)", [] { return TimePass(PathOf("copy"), Copy); }},
      {"iconv ISO-8859-1 -> IBM273", [] { return TimePass(PathOf("iconv"), IconvStream); }},
      {"translate (lookup)",
       [&map] { return TimePass(PathOf("translate"), [&map](int in, int out) {
                  return TranslateStream(in, out, map) == StreamResult::Done;
                }); }},
  };
  if (program)
    measures.push_back({"qavo-ct translate (program)",
                        [program] { return TimeProgram(program, PathOf("export.tab"), PathOf("program")); }});
  TimePass(PathOf("copy"), Copy);  // brings the input into the page cache
  for (int round = 0; round < Rounds; ++round)
    for (Measure& measure : measures) {
      const double seconds = measure.Run();
      if (seconds < 0) {
        std::fprintf(stderr, "%s failed\n", measure.Name);
        return 2;
      }
      measure.Best = std::max(measure.Best, MiBPerSecond(seconds));
    }
  if (!SameFiles(PathOf("translate"), PathOf("iconv")) ||
      (program && !SameFiles(PathOf("program"), PathOf("iconv")))) {
    std::fprintf(stderr, "translate and iconv differ\n");
    return 2;
  }

  std::printf("256 MiB, code page %d, best of %d rounds:\n", CodePage, Rounds);
  for (const Measure& measure : measures) std::printf("  %-30s %8.0f MiB/s\n", measure.Name, measure.Best);
  const double copy = measures[0].Best, iconvSpeed = measures[1].Best, translate = measures[2].Best;
  const bool beatsIconv = translate >= iconvSpeed;
  const bool halfCopy = translate >= copy / 2;
  std::printf("translate / iconv = %.2f (target >= 1): %s\n", translate / iconvSpeed, beatsIconv ? "met" : "MISSED");
  std::printf("translate / copy  = %.2f (target >= 0.5): %s\n", translate / copy, halfCopy ? "met" : "MISSED");
  std::printf("output equal to iconv's: yes\n");
  return beatsIconv && halfCopy ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  char pattern[] = "/tmp/qavo-translate-bench.XXXXXX";
  if (!mkdtemp(pattern)) {
    std::perror("mkdtemp");
    return 2;
  }
  Dir = pattern;
  const int code = Bench(argc > 1 ? argv[1] : nullptr);
  for (const char* name : {"input", "export.tab", "copy", "iconv", "translate", "program"})
    unlink(PathOf(name).c_str());
  rmdir(Dir.c_str());
  return code;
}
