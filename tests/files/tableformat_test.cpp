#include "files/tableformat.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/charsetmapping.h"
#include "files/declaration.h"
#include "files/formats.h"
#include "files/pythoncodec.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Of(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Two tables that differ in every entry, so a swapped table shows.
struct Pair {
  CodeTable Export{TableKind::kExport};
  CodeTable Import{TableKind::kImport};
  Pair() {
    for (int p = 0; p < 256; ++p) Export.Assign(p, (p + 1) & 0xFF);
    Import.BuildInverse(Export);
    Export.BuildHeader(TableKind::kExport, "Hin");
    Import.BuildHeader(TableKind::kImport, "Her");
  }
};

TEST(FormatBytes, EachTableGoesWhereItsFormatHoldsIt) {
  const Pair pair;
  const FormatTables both{&pair.Export, &pair.Import};
  const FormatTables import_only{nullptr, &pair.Import};
  const Workstation latin1 = Workstation::kIsoLatin1;
  EXPECT_EQ(FormatBytes(TableFormat::kUnix, import_only, latin1), UnixImage(pair.Import));
  EXPECT_EQ(FormatBytes(TableFormat::kV3, both, latin1), V3Image(pair.Import, pair.Export));
  EXPECT_EQ(FormatBytes(TableFormat::kV5, both, latin1), V5PairImage(pair.Export, pair.Import));
  EXPECT_EQ(FormatBytes(TableFormat::kV5, import_only, latin1), V5Image(pair.Import, TableKind::kImport));
  EXPECT_EQ(FormatBytes(TableFormat::kC, both, latin1), Of(CDeclaration(pair.Export) + CDeclaration(pair.Import)));
  EXPECT_EQ(FormatBytes(TableFormat::kPascal, import_only, latin1), Of(PascalDeclaration(pair.Import)));
}

TEST(FormatBytes, CodecIsNamedAfterTheExportTableUnlessAnotherNameIsGiven) {
  const Pair pair;
  const FormatTables both{&pair.Export, &pair.Import};
  const Workstation cp1252 = Workstation::kCp1252;
  const std::string other = "Anders";
  for (const std::string& name : {std::string(pair.Export.HeaderName()), other}) {
    const Bytes module =
        Of(PythonCodecModule(CharsetMappingOf(pair.Export, pair.Import, cp1252, name), "Windows-1252"));
    EXPECT_EQ(FormatBytes(TableFormat::kPython, both, cp1252, name == other ? &other : nullptr), module);
  }
}

}  // namespace
