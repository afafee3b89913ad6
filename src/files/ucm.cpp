#include "files/ucm.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <tuple>

#include "files/charsetmapping.h"

namespace {

enum Precision { kRoundTrip = 0, kFromUnicodeOnly = 1, kSubstitutionOnly = 2, kToUnicodeOnly = 3 };

struct Mapping {
  uint32_t Character;
  int Byte;
  int Precision;
  int Line;
};

std::string Hex(unsigned value, int digits) {
  char text[12];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string CharacterText(uint32_t character) { return "U+" + Hex(character, 4); }

std::string AtLine(int line, const std::string& what) { return "Zeile " + std::to_string(line) + ": " + what; }

std::string MappingLine(const Mapping& mapping) {
  return "<U" + Hex(mapping.Character, 4) + "> \\x" + Hex(static_cast<unsigned>(mapping.Byte), 2) + " |" +
         std::to_string(mapping.Precision) + "\n";
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

void SkipBlanks(const std::string& line, size_t& at) {
  while (at < line.size() && IsBlank(line[at])) ++at;
}

bool EndsHere(const std::string& line, size_t at) { return at >= line.size() || line[at] == '#'; }

int HexDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::toupper(c) - 'A' + 10; }

// Hex digits at at, up to maxDigits; false when there are none.
bool ReadHex(const std::string& line, size_t& at, size_t max_digits, uint32_t& value) {
  const size_t start = at;
  value = 0;
  while (at < line.size() && at - start < max_digits && std::isxdigit(static_cast<unsigned char>(line[at])))
    value = value * 16 + static_cast<uint32_t>(HexDigit(line[at++]));
  return at > start;
}

// One mapping line, "<U00C4> \x4A |0"; the empty text or why it is refused.
std::string ParseMapping(const std::string& line, int number, Mapping& mapping) {
  const std::string unclear = AtLine(number, "Zuordnung nicht verstanden");
  size_t at = 0;
  int characters = 0;
  while (line.compare(at, 2, "<U") == 0) {
    at += 2;
    if (!ReadHex(line, at, 6, mapping.Character) || mapping.Character > 0x10FFFF || at >= line.size() ||
        line[at++] != '>')
      return unclear;
    ++characters;
    if (at < line.size() && line[at] == '+') ++at;
  }
  if (characters == 0) return unclear;
  if (characters > 1) return AtLine(number, "mehrere Zeichen für eine Bytefolge werden nicht gelesen");
  SkipBlanks(line, at);
  int bytes = 0;
  while (line.compare(at, 2, "\\x") == 0) {
    at += 2;
    uint32_t byte = 0;
    const size_t start = at;
    if (!ReadHex(line, at, 2, byte) || at - start != 2) return unclear;
    mapping.Byte = static_cast<int>(byte);
    ++bytes;
    if (at < line.size() && line[at] == '+') ++at;
  }
  if (bytes == 0) return unclear;
  if (bytes > 1) return AtLine(number, "keine Single-Byte-Tabelle (mehr als ein Byte für ein Zeichen)");
  SkipBlanks(line, at);
  mapping.Precision = kRoundTrip;
  if (at < line.size() && line[at] == '|') {
    if (at + 1 >= line.size() || line[at + 1] < '0' || line[at + 1] > '3') return unclear;
    mapping.Precision = line[at + 1] - '0';
    at += 2;
    SkipBlanks(line, at);
  }
  return EndsHere(line, at) ? std::string() : unclear;
}

// A header line "<key> value": the key and the value without quotes.
bool ParseHeader(const std::string& line, std::string& key, std::string& value) {
  const size_t close = line.find('>');
  if (line.empty() || line[0] != '<' || close == std::string::npos) return false;
  key = line.substr(1, close - 1);
  size_t at = close + 1;
  SkipBlanks(line, at);
  value.clear();
  if (at < line.size() && line[at] == '"') {
    const size_t end = line.find('"', at + 1);
    if (end == std::string::npos) return false;
    value = line.substr(at + 1, end - at - 1);
    return true;
  }
  while (at < line.size() && !IsBlank(line[at]) && line[at] != '#') value += line[at++];
  return true;
}

std::string CheckHeader(const std::string& key, const std::string& value, int number) {
  if (key == "mb_cur_max" && value != "1")
    return AtLine(number, "keine Single-Byte-Tabelle (<mb_cur_max> " + value + ")");
  if (key == "mb_cur_min" && value != "1")
    return AtLine(number, "keine Single-Byte-Tabelle (<mb_cur_min> " + value + ")");
  if (key == "uconv_class" && value != "SBCS")
    return AtLine(number, "keine Single-Byte-Tabelle (<uconv_class> \"" + value + "\")");
  if (key == "icu:state") return AtLine(number, "Tabelle mit Zuständen (<icu:state>) wird nicht gelesen");
  return std::string();
}

std::string Trimmed(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  size_t at = 0;
  SkipBlanks(line, at);
  size_t end = line.size();
  while (end > at && IsBlank(line[end - 1])) --end;
  return line.substr(at, end - at);
}

// The header and the mappings of the text, in file order.
std::string ParseText(const std::string& text, std::string& name, std::vector<Mapping>& mappings) {
  enum { kHeader, kCharmap, kDone } part = kHeader;
  int number = 0;
  const bool byte_order_mark = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
  for (size_t start = byte_order_mark ? 3 : 0; start < text.size() && part != kDone; ++number) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    std::string error;
    if (part == kCharmap && line == "END CHARMAP") {
      part = kDone;
    } else if (part == kCharmap) {
      Mapping mapping{};
      mapping.Line = number + 1;
      error = ParseMapping(line, number + 1, mapping);
      mappings.push_back(mapping);
    } else if (line == "CHARMAP") {
      part = kCharmap;
    } else {
      // A mapping line would pass for a header line "<key> value".
      Mapping mapping{};
      if (ParseMapping(line, number + 1, mapping).empty()) return AtLine(number + 1, "Zuordnung vor der Zeile CHARMAP");
      std::string key, value;
      if (!ParseHeader(line, key, value)) return AtLine(number + 1, "Kopfzeile nicht verstanden");
      error = CheckHeader(key, value, number + 1);
      if (key == "code_set_name") name = value;
    }
    if (!error.empty()) return error;
  }
  if (part == kHeader) return "keine Zuordnungen (CHARMAP fehlt)";
  if (part == kCharmap) return "END CHARMAP fehlt, die Datei ist unvollständig";
  return std::string();
}

bool ToUnicode(int precision) { return precision == kRoundTrip || precision == kToUnicodeOnly; }
bool FromUnicode(int precision) { return precision == kRoundTrip || precision == kFromUnicodeOnly; }

// A byte whose every mapping names a character outside the workstation's
// set cannot be loaded at all: why, at the first line of such a byte.
std::string StrandedByte(const std::vector<Mapping>& mappings, Workstation workstation) {
  bool reached[256] = {};
  for (const Mapping& mapping : mappings)
    if (WorkstationByte(workstation, mapping.Character) != -1) reached[mapping.Byte] = true;
  for (const Mapping& mapping : mappings)
    if (!reached[mapping.Byte])
      return AtLine(mapping.Line, "Zeichen " + CharacterText(mapping.Character) + " gibt es in " +
                                      WorkstationLabel(workstation) + " nicht, und Byte " +
                                      Hex(static_cast<unsigned>(mapping.Byte), 2) + " hat keine andere Zuordnung");
  return std::string();
}

std::string Assign(TableEntry (&entries)[256], int (&lines)[256], int position, int target, int line,
                   const std::string& what) {
  if (entries[position].Target != -1)
    return AtLine(line, what + " ist schon in Zeile " + std::to_string(lines[position]) + " zugeordnet");
  entries[position].Target = static_cast<int16_t>(target);
  lines[position] = line;
  return std::string();
}

void SetCounts(TableEntry (&entries)[256]) {
  for (TableEntry& entry : entries) entry.Count = -1;
  for (const TableEntry& entry : entries)
    if (entry.Target != -1) ++entries[entry.Target].Count;
}

std::string Fill(const std::vector<Mapping>& mappings, Workstation workstation, UcmPair& pair) {
  for (TableEntry& entry : pair.Export) entry.Target = -1;
  for (TableEntry& entry : pair.Import) entry.Target = -1;
  int export_lines[256] = {}, import_lines[256] = {};
  for (const Mapping& mapping : mappings) {
    const int position = WorkstationByte(workstation, mapping.Character);
    if (position == -1) {
      pair.LeftOut.push_back(CharacterText(mapping.Character) + " (Zeile " + std::to_string(mapping.Line) + ")");
      continue;
    }
    std::string error;
    if (FromUnicode(mapping.Precision))
      error = Assign(pair.Export, export_lines, position, mapping.Byte, mapping.Line,
                     "Zeichen " + CharacterText(mapping.Character));
    if (error.empty() && ToUnicode(mapping.Precision))
      error = Assign(pair.Import, import_lines, mapping.Byte, position, mapping.Line,
                     "Byte " + Hex(static_cast<unsigned>(mapping.Byte), 2));
    if (!error.empty()) return error;
  }
  const auto assigned = [](const TableEntry& entry) { return entry.Target != -1; };
  if (std::none_of(std::begin(pair.Export), std::end(pair.Export), assigned) &&
      std::none_of(std::begin(pair.Import), std::end(pair.Import), assigned))
    return "keine verwendbare Zuordnung (CHARMAP leer oder nur |2)";
  SetCounts(pair.Export);
  SetCounts(pair.Import);
  return std::string();
}

}  // namespace

std::string UcmText(const CodeTable& export_table, const CodeTable& import_table, Workstation workstation) {
  std::vector<Mapping> mappings;
  for (int position = 0; position < 256; ++position) {
    const int code = export_table.Target(position);
    if (code == -1) continue;
    const bool back = import_table.Target(code) == position;
    mappings.push_back({WorkstationCharacter(workstation, position), code, back ? kRoundTrip : kFromUnicodeOnly, 0});
  }
  for (int code = 0; code < 256; ++code) {
    const int position = import_table.Target(code);
    if (position != -1 && export_table.Target(position) != code)
      mappings.push_back({WorkstationCharacter(workstation, position), code, kToUnicodeOnly, 0});
  }
  std::sort(mappings.begin(), mappings.end(), [](const Mapping& a, const Mapping& b) {
    return std::tie(a.Character, a.Byte, a.Precision) < std::tie(b.Character, b.Byte, b.Precision);
  });
  std::string text = std::string("# Arbeitsplatz: ") + WorkstationLabel(workstation) + "\n";
  text += "<code_set_name>               \"" + CharsetBaseName(export_table.HeaderName()) + "\"\n";
  text += "<mb_cur_max>                  1\n<mb_cur_min>                  1\n";
  text += "<uconv_class>                 \"SBCS\"\n<subchar>                     \\x3F\n#\nCHARMAP\n";
  for (const Mapping& mapping : mappings) text += MappingLine(mapping);
  return text + "END CHARMAP\n";
}

std::vector<std::string> LeftOutToShow(const std::vector<std::string>& left_out) {
  constexpr size_t kShown = 20;
  if (left_out.size() <= kShown) return left_out;
  std::vector<std::string> shown(left_out.begin(), left_out.begin() + kShown);
  shown.push_back("... und " + std::to_string(left_out.size() - kShown) + " weitere");
  return shown;
}

std::string ReadUcm(const std::string& text, Workstation workstation, UcmPair& pair) {
  UcmPair read;
  std::vector<Mapping> mappings;
  std::string error = ParseText(text, read.Name, mappings);
  if (error.empty()) error = StrandedByte(mappings, workstation);
  if (error.empty()) error = Fill(mappings, workstation, read);
  if (!error.empty()) return error;
  pair = read;
  return std::string();
}
