#include "cli/report.h"

#include <cstdio>

#include "files/recognize.h"
#include "model/hexdigits.h"

namespace {

// Ambiguous and proven entries are marked, as the editor colours them.
char Mark(const CodeTable& table, int position) {
  const EntryState state = table.State(position);
  if (state == EntryState::kAmbiguous) return '!';
  if (state == EntryState::kProven) return '=';
  return ' ';
}

// Two hex digits and the mark.
std::string Cell(const CodeTable& table, int position) {
  const int target = table.Target(position);
  if (target == -1) return ".. ";
  return HexByte(target) + Mark(table, position);
}

std::string Escaped(unsigned char byte) {
  char text[5];
  std::snprintf(text, sizeof text, "\\x%02X", byte);
  return text;
}

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at text[i], 0 when there is none.
size_t SequenceLength(const std::string& text, size_t i) {
  const unsigned char lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) return 1;
  const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if (!IsContinuation(static_cast<unsigned char>(text[i + k]))) return 0;
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  const unsigned char second = static_cast<unsigned char>(text[i + 1]);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second > 0x8F))
    return 0;
  return length;
}

bool IsControl(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

// C0 controls, DEL and the C1 controls U+0080..U+009F.
bool IsControlCharacter(const std::string& character) {
  const unsigned char lead = static_cast<unsigned char>(character[0]);
  if (character.size() == 1) return IsControl(lead);
  return character.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

std::string HexList(const std::vector<int>& values) {
  std::string list;
  for (const int value : values) list += " " + HexByte(value);
  return list;
}

std::string Counted(const std::string& what, const std::vector<int>& values) {
  return what + " (" + std::to_string(values.size()) + "):" + HexList(values);
}

void TableFindings(const CodeTable& table, TableKind kind, std::vector<std::string>& findings) {
  const std::string word = TableName(kind);
  std::vector<int> unassigned, sourceless, one_way;
  for (int p = 0; p < 256; ++p) {
    if (table.Target(p) == -1) unassigned.push_back(p);
    if (table.Count(p) == -1) sourceless.push_back(p);
    if (table.Partner() && table.Target(p) != -1 && !table.IsProven(p)) one_way.push_back(p);
  }
  if (!unassigned.empty()) findings.push_back(word + ": " + Counted("nicht zugeordnete Positionen", unassigned));
  for (int code = 0; code < 256; ++code) {
    if (table.Count(code) < 1) continue;
    std::vector<int> sources;
    for (int p = 0; p < 256; ++p)
      if (table.Target(p) == code) sources.push_back(p);
    findings.push_back(word + ": Code " + HexByte(code) + " mehrdeutig, " + Counted("Ziel von Positionen", sources));
  }
  if (!sourceless.empty()) findings.push_back(word + ": " + Counted("Codes ohne Quelle", sourceless));
  if (!one_way.empty()) {
    const char* partner = TableName(kind == TableKind::kExport ? TableKind::kImport : TableKind::kExport);
    findings.push_back(word + ": " + Counted(std::string("Positionen ohne Rückweg über ") + partner, one_way));
  }
}

}  // namespace

std::string Printable(const std::string& text) {
  std::string line;
  for (size_t i = 0; i < text.size();) {
    const size_t length = SequenceLength(text, i);
    const std::string character = text.substr(i, length == 0 ? 1 : length);
    if (length == 0 || IsControlCharacter(character))
      for (const char byte : character) line += Escaped(static_cast<unsigned char>(byte));
    else
      line += character;
    i += character.size();
  }
  return line;
}

std::string PrintableLatin1(const std::string& bytes) {
  std::string text;
  for (const char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    text += IsControl(byte) || (byte >= 0x80 && byte < 0xA0) ? Escaped(byte) : Latin1ToUtf8(std::string(1, c));
  }
  return text;
}

std::string TableGrid(const CodeTable& table, TableKind kind) {
  std::string text = std::string(TableName(kind)) + "  " + PrintableLatin1(table.Header()) + "\n     ";
  for (int column = 0; column < 16; ++column) text += "_" + HexByte(column).substr(1) + (column < 15 ? "  " : "\n");
  int assigned = 0, ambiguous = 0, proven = 0;
  for (int row = 0; row < 16; ++row) {
    std::string line = "  " + HexByte(row).substr(1) + "_";
    for (int column = 0; column < 16; ++column) {
      const int p = 16 * row + column;
      line += " " + Cell(table, p);
      if (table.Target(p) == -1) continue;
      ++assigned;
      const char mark = Mark(table, p);
      ambiguous += mark == '!';
      proven += mark == '=';
    }
    text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
  }
  text += "  " + std::to_string(assigned) + " zugeordnet, " + std::to_string(ambiguous) + " mehrdeutig, " +
          std::to_string(proven) + " bestätigt\n";
  return text;
}

std::string GridLegend() {
  return "Zeichen: XX= bestätigt (die Partnertabelle übersetzt zurück), XX! mehrdeutig (Code hat mehrere "
         "Quellen),\n         XX  eindeutig, .. nicht zugeordnet (wird 1:1 geschrieben)\n";
}

std::vector<std::string> PairFindings(const TablePair& pair) {
  std::vector<std::string> findings;
  for (const TableKind kind : {TableKind::kExport, TableKind::kImport}) {
    if (!pair.Has(kind))
      findings.push_back(std::string(TableName(kind)) + "-Tabelle fehlt");
    else
      TableFindings(pair.Table(kind), kind, findings);
  }
  return findings;
}
