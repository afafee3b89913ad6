#include "files/charsetmapping.h"

#include <algorithm>
#include <cctype>

#include "files/formats.h"

namespace {

bool IsAsciiAlnum(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80;
}

}  // namespace

CharsetMapping CharsetMappingOf(const CodeTable& export_table, const CodeTable& import_table, Workstation workstation,
                                const std::string& name) {
  CharsetMapping mapping;
  mapping.Name = CharsetBaseName(name);
  for (int p = 0; p < 256; ++p) {
    const int encoded = export_table.Target(p);
    if (encoded != -1)
      mapping.FromUnicode.emplace_back(WorkstationCharacter(workstation, p), static_cast<uint8_t>(encoded));
    const int decoded = import_table.Target(p);
    mapping.ToUnicode[p] = decoded == -1 ? -1 : static_cast<int32_t>(WorkstationCharacter(workstation, decoded));
    mapping.ExportImage[p] = StoredCode(export_table, p);
    mapping.ImportImage[p] = StoredCode(import_table, p);
  }
  std::sort(mapping.FromUnicode.begin(), mapping.FromUnicode.end());
  return mapping;
}

std::string CharsetBaseName(const std::string& name) {
  std::string base = name.substr(name.rfind('/') + 1);
  for (char& c : base)
    if (!IsAsciiAlnum(c) && c != '_' && c != '-' && c != '.') c = '_';
  return base.empty() ? "QAVO" : base;
}

std::string PythonCodecName(const std::string& base_name) {
  std::string normal;
  bool gap = false;
  for (const char c : base_name) {
    if (!IsAsciiAlnum(c) && c != '.') {
      gap = true;
      continue;
    }
    if (gap && !normal.empty()) normal += '_';
    normal += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    gap = false;
  }
  return normal.empty() ? "qavo" : normal;
}

// Java wants a letter or a digit first; names outside the registry start
// with "x-". A registered name would find the platform's own charset first.
std::string JavaCharsetName(const std::string& base_name) {
  const bool prefixed = base_name.size() > 2 && (base_name[0] == 'x' || base_name[0] == 'X') && base_name[1] == '-';
  return prefixed ? base_name : "x-" + base_name;
}
