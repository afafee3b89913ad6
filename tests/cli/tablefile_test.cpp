#include "cli/tablefile.h"

#include "clifiles.h"
#include "files/formats.h"
#include "files/recognize.h"
#include "model/presets.h"

namespace {

Bytes Image(const uint8_t (&bytes)[256]) { return Bytes(bytes, bytes + 256); }

ReadResult Read(const std::string& path, TableKind kind, TablePair& pair, std::string& error,
                const std::string* name = nullptr) {
  return ReadTableFile(path, kind, name, pair, error);
}

TEST(ReadTableFile, UnixImageIsRecognisedAndNamedByItsFullPath) {
  ScratchDir dir;
  WriteFile(dir / "din.tab", Image(kDinExport));
  TablePair pair;
  std::string error;
  ASSERT_EQ(Read(dir / "./din.tab", TableKind::kUnknown, pair, error), ReadResult::kLoaded);
  EXPECT_TRUE(pair.HasExport);
  EXPECT_FALSE(pair.HasImport);
  EXPECT_EQ(UnixImage(pair.ExportTable), Image(kDinExport));
  EXPECT_EQ(std::string(pair.ExportTable.Header()),
            ("QAVO CodeTab EXPORT [Courier New] " + dir.Path + "/din.tab").substr(0, 64));
  EXPECT_EQ(pair.ExportTable.Partner(), nullptr);
}

TEST(ReadTableFile, ForcedKindAndGivenName) {
  ScratchDir dir;
  WriteFile(dir / "din.tab", Image(kDinExport));
  TablePair pair;
  std::string error;
  const std::string name = "Grüße";
  ASSERT_EQ(Read(dir / "din.tab", TableKind::kImport, pair, error, &name), ReadResult::kLoaded);
  EXPECT_TRUE(pair.HasImport);
  EXPECT_FALSE(pair.HasExport);
  EXPECT_EQ(std::string(pair.ImportTable.Header()),
            "QAVO CodeTab IMPORT [Courier New] Gr\xFC\xDF"
            "e");
}

TEST(ReadTableFile, V3FileGivesALinkedPair) {
  ScratchDir dir;
  WriteFile(dir / "pair.tab", Concat(kUnixImport, kUnixExport));
  TablePair pair;
  std::string error;
  ASSERT_EQ(Read(dir / "pair.tab", TableKind::kUnknown, pair, error), ReadResult::kLoaded);
  EXPECT_EQ(UnixImage(pair.ImportTable), Image(kUnixImport));
  EXPECT_EQ(UnixImage(pair.ExportTable), Image(kUnixExport));
  EXPECT_EQ(pair.ExportTable.Partner(), &pair.ImportTable);
  EXPECT_EQ(pair.ImportTable.Partner(), &pair.ExportTable);
  EXPECT_EQ(pair.ExportTable.IsActive() + pair.ImportTable.IsActive(), 0);
}

TEST(ReadTableFile, V5KeepsItsOwnNameAndGaps) {
  ScratchDir dir;
  CodeTable table(TableKind::kImport);
  table.Assign(0xC1, 0x41);
  table.SetFontName("Fixedsys");
  table.BuildHeader(TableKind::kImport, "Mein Name");
  WriteFile(dir / "one.qct", V5Image(table, TableKind::kImport));
  TablePair pair;
  std::string error;
  ASSERT_EQ(Read(dir / "one.qct", TableKind::kUnknown, pair, error), ReadResult::kLoaded);
  EXPECT_TRUE(pair.HasImport);
  EXPECT_EQ(std::string(pair.ImportTable.Header()), "QAVO CodeTab IMPORT [Courier New] Mein Name");
  EXPECT_EQ(pair.ImportTable.CountAssigned(), 1);
  EXPECT_EQ(pair.ImportTable.Target(0xC1), 0x41);
}

TEST(ReadTableFile, RefusalsInOneLine) {
  ScratchDir dir;
  Bytes identity(256);
  for (int p = 0; p < 256; ++p) identity[p] = static_cast<uint8_t>(p);
  WriteFile(dir / "identity", identity);
  Bytes v5(kV5ImageSize, 0);
  const std::string text = "Kein Kopf\n\x01zweite Zeile";
  std::copy(text.begin(), text.end(), v5.begin());
  WriteFile(dir / "v5", v5);
  CodeTable table(TableKind::kExport);
  Bytes unknown_letter = V5Image(table, TableKind::kExport);
  unknown_letter[kV5KindOffset] = 'U';
  WriteFile(dir / "letter", unknown_letter);
  WriteFile(dir / "long", Bytes(3000, 0x40));
  WriteFile(dir / "short", Bytes(255, 0x40));

  const std::vector<std::pair<std::string, std::string>> cases = {
      {"identity", "IMPORT/EXPORT nicht erkannt Evtl. 256 Byte vorgeben (--export oder --import)"},
      {"v5", "Tabelle nicht erkannt! erwarte: QAVO CodeTab erhalte: Kein Kopf .zweite Zeile"},
      {"letter", "Tabelle nicht erkannt (Kennbuchstabe im Kopf ist weder A noch E)"},
      {"long", "Datei nicht erkannt: falsche Länge 3000"},
      {"short", "Datei nicht erkannt: falsche Länge 255"},
  };
  for (const auto& [name, message] : cases) {
    TablePair pair;
    std::string error;
    EXPECT_EQ(Read(dir / name, TableKind::kUnknown, pair, error), ReadResult::kRefused) << name;
    EXPECT_EQ(error, dir / name + ": " + message);
    EXPECT_FALSE(pair.HasExport || pair.HasImport);
  }
  TablePair pair;
  std::string error;
  EXPECT_EQ(Read(dir / "absent", TableKind::kUnknown, pair, error), ReadResult::kUnreadable);
  EXPECT_EQ(error, dir / "absent" + ": kann nicht gelesen werden (nicht gefunden)");
  EXPECT_EQ(Read(dir.Path, TableKind::kUnknown, pair, error), ReadResult::kUnreadable);
  EXPECT_EQ(error, dir.Path + ": kann nicht gelesen werden (ist ein Verzeichnis)");
}

TEST(Utf8ToLatin1, LatinCharactersBecomeBytesOthersQuestionMarks) {
  EXPECT_EQ(Utf8ToLatin1("Ab/ä ÿ"), "Ab/\xE4 \xFF");
  EXPECT_EQ(Utf8ToLatin1("€x"), "?x");
  EXPECT_EQ(Utf8ToLatin1("a\xC3"), "a?");      // cut short
  EXPECT_EQ(Utf8ToLatin1("\xC0\x80z"), "?z");  // overlong NUL
  EXPECT_EQ(Utf8ToLatin1("\x80\xF0\x9F\x98\x80"), "??");
  EXPECT_EQ(Utf8ToLatin1("\xC4\x80x"), std::string("?x"));  // U+0100, not NUL
  EXPECT_EQ(Utf8ToLatin1("\xE0\xA0\x80x"), "?x");           // U+0800, one character
}

TEST(OneLine, LongTextIsCutAtACharacter) {
  const std::string text = std::string(99, 'a') + "äöü";
  EXPECT_EQ(OneLine(text), std::string(99, 'a') + "ä...");
  EXPECT_EQ(OneLine("a\nb\tc"), "a b.c");
}

}  // namespace
