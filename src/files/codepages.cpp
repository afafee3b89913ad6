#include "files/codepages.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>

namespace {

const char* CharsetName(Workstation workstation) {
  return workstation == Workstation::kCp1252 ? "CP1252" : "ISO-8859-1";
}

// The workstation side as the names of a built pair spell it.
const char* PairNamePart(Workstation workstation) {
  return workstation == Workstation::kCp1252 ? "CP1252" : "ISO8859-1";
}

// One iconv descriptor, closed on destruction.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : handle_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (Valid()) iconv_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

  // The single byte that byte becomes, or -1 when it has no counterpart.
  int Byte(int byte) const {
    char out[8];
    if (Convert(byte, out, sizeof out) != 1) return -1;
    return static_cast<unsigned char>(out[0]);
  }

  // Does the converter take byte at all, into however many bytes?
  bool Takes(int byte) const {
    char out[8];
    return Convert(byte, out, sizeof out) > 0;
  }

 private:
  // The number of bytes written for byte, -1 when it is refused.
  long Convert(int byte, char* out, size_t size) const {
    if (!Valid()) return -1;
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    char* in_at = &in;
    char* out_at = out;
    size_t in_left = 1;
    if (iconv(handle_, &in_at, &in_left, &out_at, &size) == static_cast<size_t>(-1)) return -1;
    if (iconv(handle_, nullptr, nullptr, &out_at, &size) == static_cast<size_t>(-1)) return -1;
    return out_at - out;
  }

  iconv_t handle_;
};

bool Provided(int code_page) {
  const std::string name = ConverterName(code_page);
  return Converter(name, "ISO-8859-1").Valid() && Converter("ISO-8859-1", name).Valid();
}

int SwapNl(int code) {
  if (code == 0x15) return 0x25;
  if (code == 0x25) return 0x15;
  return code;
}

void SetCounts(TableEntry (&entries)[256]) {
  for (TableEntry& entry : entries) entry.Count = -1;
  for (const TableEntry& entry : entries)
    if (entry.Target != -1) ++entries[entry.Target].Count;
}

// Workstation bytes the character set leaves undefined (Windows-1252's 81,
// 8D, 8F, 90, 9D) are taken as their Latin-1 code points, both ways.
void BuildTables(const std::string& host, Workstation workstation, CodePagePair& pair) {
  const char* charset = CharsetName(workstation);
  const Converter to_host(host, charset);
  const Converter to_host_latin1(host, "ISO-8859-1");
  const Converter from_host(charset, host);
  const Converter from_host_latin1("ISO-8859-1", host);
  const Converter defined("UTF-8", charset);
  for (int p = 0; p < 256; ++p) {
    int target = to_host.Byte(p);
    if (target == -1 && !defined.Takes(p)) target = to_host_latin1.Byte(p);
    pair.Export[p].Target = static_cast<int16_t>(target);
  }
  for (int p = 0; p < 256; ++p) {
    int target = from_host.Byte(p);
    if (target == -1) {
      const int latin1 = from_host_latin1.Byte(p);
      if (latin1 != -1 && !defined.Takes(latin1)) target = latin1;
    }
    pair.Import[p].Target = static_cast<int16_t>(target);
  }
}

}  // namespace

const std::vector<int>& CandidateCodePages() {
  static const std::vector<int> kCandidates = {37,   273,  277,  278,  280,  284,  285,  297,  420,  424,  500,  871,
                                               875,  1025, 1026, 1047, 1112, 1122, 1123, 1140, 1141, 1142, 1143, 1144,
                                               1145, 1146, 1147, 1148, 1149, 1153, 1154, 1155, 1156, 1157, 1158};
  return kCandidates;
}

std::vector<int> ProvidedCodePages(const std::vector<int>& candidates) {
  std::vector<int> pages;
  for (const int page : candidates)
    if (Provided(page)) pages.push_back(page);
  return pages;
}

std::vector<int> AvailableCodePages() { return ProvidedCodePages(CandidateCodePages()); }

std::string ConverterName(int code_page) {
  char name[16];
  std::snprintf(name, sizeof name, "IBM%03d", code_page);
  return name;
}

bool BuildCodePagePair(int code_page, Workstation workstation, bool swap_nl, CodePagePair& pair) {
  const std::vector<int>& candidates = CandidateCodePages();
  if (std::find(candidates.begin(), candidates.end(), code_page) == candidates.end()) return false;
  return BuildIconvPair(code_page, workstation, swap_nl, pair);
}

bool BuildIconvPair(int code_page, Workstation workstation, bool swap_nl, CodePagePair& pair) {
  if (!Provided(code_page)) return false;
  BuildTables(ConverterName(code_page), workstation, pair);
  FinishCodePagePair(code_page, workstation, swap_nl, pair);
  return true;
}

std::vector<int> IconvEbcdicPages() {
  // Every single-byte EBCDIC page glibc has had; probed, as a build may lack some.
  static const int kNumbers[] = {37,   38,   256,  273,  274,  275,  277,  278,  280,  281,  284,   285,
                                 290,  297,  420,  423,  424,  500,  803,  870,  871,  875,  880,   905,
                                 918,  1025, 1026, 1047, 1097, 1112, 1122, 1123, 1130, 1132, 1137,  1140,
                                 1141, 1142, 1143, 1144, 1145, 1146, 1147, 1148, 1149, 1153, 1154,  1155,
                                 1156, 1157, 1158, 1160, 1164, 1166, 4517, 4899, 4971, 9030, 12712, 16804};
  std::vector<int> pages;
  for (const int page : kNumbers) {
    const std::string name = ConverterName(page);
    // A space at 40 and a character of its own for 0E (no shift into double bytes).
    if (Converter("ISO-8859-1", name).Byte(0x40) == 0x20 && Converter("UTF-8", name).Takes(0x0E) && Provided(page))
      pages.push_back(page);
  }
  return pages;
}

void FinishCodePagePair(int code_page, Workstation workstation, bool swap_nl, CodePagePair& pair) {
  if (swap_nl) {
    for (TableEntry& entry : pair.Export)
      if (entry.Target != -1) entry.Target = static_cast<int16_t>(SwapNl(entry.Target));
    std::swap(pair.Import[0x15], pair.Import[0x25]);
  }
  SetCounts(pair.Export);
  SetCounts(pair.Import);
  const std::string page = "CP" + std::to_string(code_page);
  pair.ExportName = std::string(PairNamePart(workstation)) + "_" + page;
  pair.ImportName = page + "_" + PairNamePart(workstation);
}
