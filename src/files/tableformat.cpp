#include "files/tableformat.h"

#include "files/charsetmapping.h"
#include "files/declaration.h"
#include "files/formats.h"
#include "files/javacharset.h"
#include "files/pythoncodec.h"
#include "files/ucm.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> Declarations(TableFormat format, const FormatTables& tables) {
  std::string text;
  for (const CodeTable* table : {tables.Export, tables.Import})
    if (table) text += format == TableFormat::kC ? CDeclaration(*table) : PascalDeclaration(*table);
  return Bytes(text);
}

std::vector<uint8_t> CharsetBytes(TableFormat format, const FormatTables& tables, Workstation workstation,
                                  const std::string* name) {
  const CharsetMapping mapping =
      CharsetMappingOf(*tables.Export, *tables.Import, workstation, name ? *name : tables.Export->HeaderName());
  if (format == TableFormat::kJava) return JavaCharsetJar(mapping);
  return Bytes(PythonCodecModule(mapping, WorkstationLabel(workstation)));
}

}  // namespace

bool NeedsPair(TableFormat format) {
  return format == TableFormat::kV3 || format == TableFormat::kUcm || format == TableFormat::kPython ||
         format == TableFormat::kJava;
}

bool WritesGapsOneToOne(TableFormat format) {
  return format == TableFormat::kUnix || format == TableFormat::kV3 || format == TableFormat::kC ||
         format == TableFormat::kPascal;
}

std::vector<uint8_t> FormatBytes(TableFormat format, const FormatTables& tables, Workstation workstation,
                                 const std::string* name) {
  const CodeTable& single = tables.Export ? *tables.Export : *tables.Import;
  switch (format) {
    case TableFormat::kUnix:
      return UnixImage(single);
    case TableFormat::kV3:
      return V3Image(*tables.Import, *tables.Export);
    case TableFormat::kV5:
      if (tables.Count() == 2) return V5PairImage(*tables.Export, *tables.Import);
      return V5Image(single, tables.Export ? TableKind::kExport : TableKind::kImport);
    case TableFormat::kC:
    case TableFormat::kPascal:
      return Declarations(format, tables);
    case TableFormat::kUcm:
      return Bytes(UcmText(*tables.Export, *tables.Import, workstation));
    case TableFormat::kPython:
    case TableFormat::kJava:
      return CharsetBytes(format, tables, workstation, name);
  }
  return {};
}
