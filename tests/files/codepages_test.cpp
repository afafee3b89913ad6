#include "files/codepages.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <map>
#include <string>

#include "model/presets.h"

namespace {

// iconv descriptors kept for the run and closed at its end.
class Converters {
 public:
  ~Converters() {
    for (const auto& entry : open_)
      if (entry.second != reinterpret_cast<iconv_t>(-1)) iconv_close(entry.second);
  }
  iconv_t Get(const char* to, const char* from) {
    const std::string key = std::string(to) + "<" + from;
    const auto found = open_.find(key);
    if (found != open_.end()) return found->second;
    return open_[key] = iconv_open(to, from);
  }

 private:
  std::map<std::string, iconv_t> open_;
};

// What iconv makes of one byte on its own: the single byte it becomes, or -1
// (-2 when it has no such converter).
int Iconv(const char* to, const char* from, int byte) {
  static Converters converters;
  const iconv_t cd = converters.Get(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return -2;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char in = static_cast<char>(byte);
  char out[8];
  char* in_at = &in;
  char* out_at = out;
  size_t in_left = 1;
  size_t out_left = sizeof out;
  const bool ok = iconv(cd, &in_at, &in_left, &out_at, &out_left) != static_cast<size_t>(-1) && out_at - out == 1;
  return ok ? static_cast<unsigned char>(out[0]) : -1;
}

bool UndefinedIn1252(int byte) { return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D; }

int Swapped(int code, bool swap) {
  if (!swap || code == -1) return code;
  return code == 0x15 ? 0x25 : code == 0x25 ? 0x15 : code;
}

CodePagePair Build(int page, Workstation workstation, bool swap) {
  CodePagePair pair;
  EXPECT_TRUE(BuildCodePagePair(page, workstation, swap, pair)) << page;
  return pair;
}

TEST(CodePagePair, Cp37AndCp273EqualThePresets) {
  for (const PresetPair* preset : {&kIsoCp37Preset, &kIsoCp273Preset}) {
    const int page = preset == &kIsoCp37Preset ? 37 : 273;
    const CodePagePair pair = Build(page, Workstation::kIsoLatin1, false);
    for (int p = 0; p < 256; ++p) {
      EXPECT_EQ(pair.Export[p].Target, preset->Export[p]) << page << " export " << p;
      EXPECT_EQ(pair.Import[p].Target, preset->Import[p]) << page << " import " << p;
      EXPECT_EQ(pair.Export[p].Count, 0);
      EXPECT_EQ(pair.Import[p].Count, 0);
    }
    EXPECT_EQ(pair.ExportName, preset->ExportName);
    EXPECT_EQ(pair.ImportName, preset->ImportName);
  }
}

TEST(CodePagePair, EveryOfferedPageFollowsTheConverter) {
  for (const int page : AvailableCodePages()) {
    const std::string host = ConverterName(page);
    for (const bool swap : {false, true}) {
      const CodePagePair iso = Build(page, Workstation::kIsoLatin1, swap);
      const CodePagePair win = Build(page, Workstation::kCp1252, swap);
      for (int p = 0; p < 256; ++p) {
        EXPECT_EQ(iso.Export[p].Target, Swapped(Iconv(host.c_str(), "ISO-8859-1", p), swap)) << host << " " << p;
        EXPECT_EQ(iso.Import[Swapped(p, swap)].Target, Iconv("ISO-8859-1", host.c_str(), p)) << host << " " << p;
        const char* export_from = UndefinedIn1252(p) ? "ISO-8859-1" : "CP1252";
        EXPECT_EQ(win.Export[p].Target, Swapped(Iconv(host.c_str(), export_from, p), swap)) << host << " " << p;
        int back = Iconv("CP1252", host.c_str(), p);
        const int latin1 = Iconv("ISO-8859-1", host.c_str(), p);
        if (back == -1 && UndefinedIn1252(latin1)) back = latin1;
        EXPECT_EQ(win.Import[Swapped(p, swap)].Target, back) << host << " " << p;
      }
    }
  }
}

// Whatever the page covers, EXPORT undoes IMPORT and no code is the target of
// two positions. (A converter may map a workstation character one way only,
// to a look-alike of the host page.)
TEST(CodePagePair, ExportUndoesImport) {
  for (const int page : AvailableCodePages())
    for (const Workstation workstation : {Workstation::kIsoLatin1, Workstation::kCp1252})
      for (const bool swap : {false, true}) {
        const CodePagePair pair = Build(page, workstation, swap);
        for (int p = 0; p < 256; ++p) {
          const int back = pair.Import[p].Target;
          if (back != -1) {
            EXPECT_EQ(pair.Export[back].Target, p) << page << " " << p;
          }
          EXPECT_LE(pair.Export[p].Count, 0);
          EXPECT_LE(pair.Import[p].Count, 0);
        }
      }
}

TEST(CodePagePair, SwapNlExchangesTheHostNewlines) {
  const CodePagePair plain = Build(1047, Workstation::kIsoLatin1, false);
  const CodePagePair swapped = Build(1047, Workstation::kIsoLatin1, true);
  EXPECT_EQ(plain.Export[0x0A].Target, 0x25);
  EXPECT_EQ(plain.Export[0x85].Target, 0x15);
  EXPECT_EQ(swapped.Export[0x0A].Target, 0x15);
  EXPECT_EQ(swapped.Export[0x85].Target, 0x25);
  EXPECT_EQ(swapped.Import[0x15].Target, 0x0A);
  EXPECT_EQ(swapped.Import[0x25].Target, 0x85);
  EXPECT_EQ(swapped.Export[0x41].Target, plain.Export[0x41].Target);
}

TEST(CodePagePair, EuroPagesAgainstBothWorkstations) {
  const CodePagePair iso = Build(1141, Workstation::kIsoLatin1, false);
  EXPECT_EQ(iso.Export[0xA4].Target, -1);  // the currency sign gave way to the euro
  EXPECT_EQ(iso.Import[0x9F].Target, -1);
  EXPECT_EQ(iso.Import[0xA4].Count, -1);
  EXPECT_EQ(iso.Export[0x9F].Count, -1);
  EXPECT_EQ(iso.ExportName, "ISO8859-1_CP1141");
  EXPECT_EQ(iso.ImportName, "CP1141_ISO8859-1");

  const CodePagePair win = Build(1141, Workstation::kCp1252, false);
  EXPECT_EQ(win.Export[0x80].Target, 0x9F);
  EXPECT_EQ(win.Import[0x9F].Target, 0x80);
  EXPECT_EQ(win.Export[0x82].Target, -1);  // low quotation mark: no EBCDIC counterpart
  EXPECT_EQ(win.Export[0x81].Target, iso.Export[0x81].Target);
  EXPECT_NE(win.Export[0x81].Target, -1);
  EXPECT_EQ(win.ExportName, "CP1252_CP1141");
  EXPECT_EQ(win.ImportName, "CP1141_CP1252");
}

TEST(CodePagePair, PagesNotOfferedAreRefused) {
  CodePagePair pair;
  pair.ExportName = "untouched";
  EXPECT_FALSE(BuildCodePagePair(9999, Workstation::kIsoLatin1, false, pair));
  EXPECT_FALSE(BuildCodePagePair(290, Workstation::kIsoLatin1, false, pair));  // has it, not a candidate
  EXPECT_EQ(pair.ExportName, "untouched");
}

TEST(AvailableCodePages, OnlyCandidatesTheConverterHas) {
  EXPECT_EQ(ProvidedCodePages({273, 9999, 1141}), (std::vector<int>{273, 1141}));
  const std::vector<int> offered = AvailableCodePages();
  for (const int page : CandidateCodePages()) {
    const bool has = Iconv(ConverterName(page).c_str(), "ISO-8859-1", 0x41) >= 0;
    EXPECT_EQ(std::count(offered.begin(), offered.end(), page), has ? 1 : 0) << page;
  }
  EXPECT_TRUE(std::is_sorted(offered.begin(), offered.end()));
  EXPECT_EQ(ConverterName(37), "IBM037");
  EXPECT_EQ(ConverterName(1141), "IBM1141");
}

}  // namespace

namespace {

// The character glibc gives a workstation byte; undefined bytes count as Latin-1.
uint32_t IconvCharacter(const char* charset, int byte) {
  const iconv_t cd = iconv_open("UTF-32LE", charset);
  char in = static_cast<char>(byte);
  unsigned char out[4] = {};
  char* in_at = &in;
  char* out_at = reinterpret_cast<char*>(out);
  size_t in_left = 1, out_left = 4;
  const bool done = iconv(cd, &in_at, &in_left, &out_at, &out_left) != static_cast<size_t>(-1);
  iconv_close(cd);
  return done ? out[0] | out[1] << 8 | out[2] << 16 : static_cast<uint32_t>(byte);
}

TEST(WorkstationCharacter, BothSetsAgreeWithIconvBothWays) {
  for (const Workstation workstation : {Workstation::kIsoLatin1, Workstation::kCp1252})
    for (int byte = 0; byte < 256; ++byte) {
      const uint32_t character = IconvCharacter(workstation == Workstation::kCp1252 ? "CP1252" : "ISO-8859-1", byte);
      EXPECT_EQ(WorkstationCharacter(workstation, byte), character) << byte;
      EXPECT_EQ(WorkstationByte(workstation, character), byte);
    }
  EXPECT_EQ(WorkstationByte(Workstation::kCp1252, 0x80), -1);
  EXPECT_EQ(WorkstationByte(Workstation::kIsoLatin1, 0x20AC), -1);
  EXPECT_EQ(WorkstationByte(Workstation::kCp1252, 0x20AC), 0x80);
}

}  // namespace
