#include "files/codepages.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>

namespace {

const char* CharsetName(Workstation workstation) {
  return workstation == Workstation::Cp1252 ? "CP1252" : "ISO-8859-1";
}

// The workstation side as the names of a built pair spell it.
const char* PairNamePart(Workstation workstation) {
  return workstation == Workstation::Cp1252 ? "CP1252" : "ISO8859-1";
}

// One iconv descriptor, closed on destruction.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from) : Handle(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (Valid()) iconv_close(Handle);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return Handle != reinterpret_cast<iconv_t>(-1); }

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
    iconv(Handle, nullptr, nullptr, nullptr, nullptr);
    char in = static_cast<char>(byte);
    char* inAt = &in;
    char* outAt = out;
    size_t inLeft = 1;
    if (iconv(Handle, &inAt, &inLeft, &outAt, &size) == static_cast<size_t>(-1)) return -1;
    if (iconv(Handle, nullptr, nullptr, &outAt, &size) == static_cast<size_t>(-1)) return -1;
    return outAt - out;
  }

  iconv_t Handle;
};

bool Provided(int codePage) {
  const std::string name = ConverterName(codePage);
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
  const Converter toHost(host, charset);
  const Converter toHostLatin1(host, "ISO-8859-1");
  const Converter fromHost(charset, host);
  const Converter fromHostLatin1("ISO-8859-1", host);
  const Converter defined("UTF-8", charset);
  for (int p = 0; p < 256; ++p) {
    int target = toHost.Byte(p);
    if (target == -1 && !defined.Takes(p)) target = toHostLatin1.Byte(p);
    pair.Export[p].Target = static_cast<int16_t>(target);
  }
  for (int p = 0; p < 256; ++p) {
    int target = fromHost.Byte(p);
    if (target == -1) {
      const int latin1 = fromHostLatin1.Byte(p);
      if (latin1 != -1 && !defined.Takes(latin1)) target = latin1;
    }
    pair.Import[p].Target = static_cast<int16_t>(target);
  }
}

}  // namespace

const std::vector<int>& CandidateCodePages() {
  static const std::vector<int> candidates = {37,   273,  277,  278,  280,  284,  285,  297,  420,  424,  500,  871,
                                              875,  1025, 1026, 1047, 1112, 1122, 1123, 1140, 1141, 1142, 1143, 1144,
                                              1145, 1146, 1147, 1148, 1149, 1153, 1154, 1155, 1156, 1157, 1158};
  return candidates;
}

std::vector<int> ProvidedCodePages(const std::vector<int>& candidates) {
  std::vector<int> pages;
  for (const int page : candidates)
    if (Provided(page)) pages.push_back(page);
  return pages;
}

std::vector<int> AvailableCodePages() { return ProvidedCodePages(CandidateCodePages()); }

std::string ConverterName(int codePage) {
  char name[16];
  std::snprintf(name, sizeof name, "IBM%03d", codePage);
  return name;
}

bool BuildCodePagePair(int codePage, Workstation workstation, bool swapNl, CodePagePair& pair) {
  const std::vector<int>& candidates = CandidateCodePages();
  if (std::find(candidates.begin(), candidates.end(), codePage) == candidates.end()) return false;
  return BuildIconvPair(codePage, workstation, swapNl, pair);
}

bool BuildIconvPair(int codePage, Workstation workstation, bool swapNl, CodePagePair& pair) {
  if (!Provided(codePage)) return false;
  BuildTables(ConverterName(codePage), workstation, pair);
  FinishCodePagePair(codePage, workstation, swapNl, pair);
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

void FinishCodePagePair(int codePage, Workstation workstation, bool swapNl, CodePagePair& pair) {
  if (swapNl) {
    for (TableEntry& entry : pair.Export)
      if (entry.Target != -1) entry.Target = static_cast<int16_t>(SwapNl(entry.Target));
    std::swap(pair.Import[0x15], pair.Import[0x25]);
  }
  SetCounts(pair.Export);
  SetCounts(pair.Import);
  const std::string page = "CP" + std::to_string(codePage);
  pair.ExportName = std::string(PairNamePart(workstation)) + "_" + page;
  pair.ImportName = page + "_" + PairNamePart(workstation);
}

namespace {

// Windows-1252 at 80..9F; 81, 8D, 8F, 90 and 9D keep their Latin-1 code points.
const uint16_t Cp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool InCp1252High(int byte) { return byte >= 0x80 && byte < 0xA0; }

}  // namespace

uint32_t WorkstationCharacter(Workstation workstation, int byte) {
  byte &= 0xFF;
  if (workstation == Workstation::Cp1252 && InCp1252High(byte)) return Cp1252High[byte - 0x80];
  return static_cast<uint32_t>(byte);
}

int WorkstationByte(Workstation workstation, uint32_t character) {
  if (workstation == Workstation::Iso8859_1 || (character < 0x100 && !InCp1252High(static_cast<int>(character))))
    return character < 0x100 ? static_cast<int>(character) : -1;
  for (int byte = 0x80; byte < 0xA0; ++byte)
    if (Cp1252High[byte - 0x80] == character) return byte;
  return -1;
}

const char* WorkstationLabel(Workstation workstation) {
  return workstation == Workstation::Cp1252 ? "Windows-1252" : "ISO 8859-1";
}
