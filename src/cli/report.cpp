#include "cli/report.h"

#include <cstdio>

#include "files/recognize.h"
#include "model/hexdigits.h"

namespace {

std::string Hex(int value) {
  char text[3] = {};
  WriteHexByte(value, text);
  return text;
}

// Unassigned first, then ambiguous, then proven, as the editor colours them.
char Mark(const CodeTable& table, int position) {
  if (table.IsAmbiguous(position)) return '!';
  if (table.IsProven(position)) return '=';
  return ' ';
}

// Two hex digits and the mark.
std::string Cell(const CodeTable& table, int position) {
  const int target = table.Entries[position].Target;
  if (target == -1) return ".. ";
  return Hex(target) + Mark(table, position);
}

std::string HexList(const std::vector<int>& values) {
  std::string list;
  for (const int value : values) list += " " + Hex(value);
  return list;
}

std::string Counted(const std::string& what, const std::vector<int>& values) {
  return what + " (" + std::to_string(values.size()) + "):" + HexList(values);
}

void TableFindings(const CodeTable& table, TableKind kind, std::vector<std::string>& findings) {
  const std::string word = TableName(kind);
  std::vector<int> unassigned, sourceless, oneWay;
  for (int p = 0; p < 256; ++p) {
    if (table.Entries[p].Target == -1) unassigned.push_back(p);
    if (table.Entries[p].Count == -1) sourceless.push_back(p);
    if (table.Partner && table.Entries[p].Target != -1 && !table.IsProven(p)) oneWay.push_back(p);
  }
  if (!unassigned.empty()) findings.push_back(word + ": " + Counted("nicht zugeordnete Positionen", unassigned));
  for (int code = 0; code < 256; ++code) {
    if (table.Entries[code].Count < 1) continue;
    std::vector<int> sources;
    for (int p = 0; p < 256; ++p)
      if (table.Entries[p].Target == code) sources.push_back(p);
    findings.push_back(word + ": Code " + Hex(code) + " mehrdeutig, " + Counted("Ziel von Positionen", sources));
  }
  if (!sourceless.empty()) findings.push_back(word + ": " + Counted("Codes ohne Quelle", sourceless));
  if (!oneWay.empty()) {
    const char* partner = TableName(kind == Export ? Import : Export);
    findings.push_back(word + ": " + Counted(std::string("Positionen ohne Rückweg über ") + partner, oneWay));
  }
}

}  // namespace

std::string TableGrid(const CodeTable& table, TableKind kind) {
  std::string text = std::string(TableName(kind)) + "  " + Latin1ToUtf8(table.Header) + "\n     ";
  for (int column = 0; column < 16; ++column) text += "_" + Hex(column).substr(1) + (column < 15 ? "  " : "\n");
  int assigned = 0, ambiguous = 0, proven = 0;
  for (int row = 0; row < 16; ++row) {
    std::string line = "  " + Hex(row).substr(1) + "_";
    for (int column = 0; column < 16; ++column) {
      const int p = 16 * row + column;
      line += " " + Cell(table, p);
      if (table.Entries[p].Target == -1) continue;
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
  for (const TableKind kind : {Export, Import}) {
    if (!pair.Has(kind))
      findings.push_back(std::string(TableName(kind)) + "-Tabelle fehlt");
    else
      TableFindings(pair.Table(kind), kind, findings);
  }
  return findings;
}
