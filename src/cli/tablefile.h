// The tables of one table file, read and recognised as the editor loads it.
#pragma once

#include <string>

#include "model/codetable.h"

// The editor's display font at start-up; the tables carry its name in their
// header lines, as the editor's loaders give it to them.
extern const char kDisplayFontName[];

// The two tables of the tool, as the editor's session holds them. They are
// linked when both are there, so the round-trip checks see the partner.
class TablePair {
 public:
  CodeTable ExportTable{TableKind::kExport};
  CodeTable ImportTable{TableKind::kImport};
  bool HasExport = false;
  bool HasImport = false;

  TablePair() = default;
  TablePair(const TablePair&) = delete;
  TablePair& operator=(const TablePair&) = delete;

  // Loads entries into the table of that kind, gives it the display font
  // and the name (raw 8-bit bytes), and links the pair once it is complete.
  void Load(TableKind kind, const TableEntry (&entries)[256], const std::string& name);
  bool Has(TableKind kind) const { return kind == TableKind::kExport ? HasExport : HasImport; }
  CodeTable& Table(TableKind kind) { return kind == TableKind::kExport ? ExportTable : ImportTable; }
  const CodeTable& Table(TableKind kind) const { return kind == TableKind::kExport ? ExportTable : ImportTable; }
};

enum class ReadResult { kLoaded, kUnreadable, kRefused };

// Reads the table file at path into pair. kind Export or Import forces the
// kind of a 256-byte image, anything else recognises it. The tables are
// named name when it is given, else as the editor names them: by the file's
// full path, or a V5 image by the name in its header.
// On failure error holds one line saying why.
ReadResult ReadTableFile(const std::string& path, TableKind kind, const std::string* name, TablePair& pair,
                         std::string& error);

// A message of several lines as one line without control characters.
std::string OneLine(const std::string& text);
