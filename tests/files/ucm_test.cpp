#include "files/ucm.h"

#include <gtest/gtest.h>

#include <random>

namespace {

const char kHeader[] =
    "# Arbeitsplatz: ISO 8859-1\n"
    "<code_set_name>               \"ISO8859-1_TEST\"\n"
    "<mb_cur_max>                  1\n"
    "<mb_cur_min>                  1\n"
    "<uconv_class>                 \"SBCS\"\n"
    "<subchar>                     \\x3F\n"
    "#\n"
    "CHARMAP\n";

void Named(CodeTable& table, TableKind kind, const char* name) {
  table.SetFontName("Courier New");
  table.BuildHeader(kind, name);
}

std::vector<int> Targets(const TableEntry (&entries)[256]) {
  std::vector<int> targets;
  for (const TableEntry& entry : entries) targets.push_back(entry.Target);
  return targets;
}

std::vector<int> Targets(const CodeTable& table) { return Targets(table.Entries()); }

// Refuses text and leaves the pair as it was.
void ExpectRefused(const std::string& text, const std::string& message) {
  UcmPair pair;
  for (TableEntry& entry : pair.Export) entry = {7, -1};
  for (TableEntry& entry : pair.Import) entry = {9, -1};
  EXPECT_EQ(ReadUcm(text, Workstation::kIsoLatin1, pair), message) << text;
  EXPECT_EQ(pair.Export[0].Target, 7);
  EXPECT_EQ(pair.Import[0].Target, 9);
}

TEST(UcmText, RoundTripsFallbacksAndGapsInCharacterOrder) {
  CodeTable export_table(TableKind::kExport), import_table(TableKind::kImport);
  export_table.Assign(0x41, 0xC1);  // mapped back
  export_table.Assign(0x44, 0xC1);  // one way only
  export_table.Assign(0x42, 0xC2);
  import_table.Assign(0xC1, 0x41);
  import_table.Assign(0xC2, 0x43);  // back to another position
  Named(export_table, TableKind::kExport, "/u/ISO8859-1_TEST");
  EXPECT_EQ(
      UcmText(export_table, import_table, Workstation::kIsoLatin1),
      std::string(kHeader) + "<U0041> \\xC1 |0\n<U0042> \\xC2 |1\n<U0043> \\xC2 |3\n<U0044> \\xC1 |1\nEND CHARMAP\n");
}

TEST(UcmText, Windows1252SideAndAPlainName) {
  CodeTable export_table(TableKind::kExport), import_table(TableKind::kImport);
  export_table.Assign(0x80, 0x9F);
  export_table.Assign(0x81, 0x41);
  import_table.Assign(0x9F, 0x80);
  Named(export_table, TableKind::kExport, "Mein \"Paar\" 1");
  const std::string text = UcmText(export_table, import_table, Workstation::kCp1252);
  EXPECT_NE(text.find("# Arbeitsplatz: Windows-1252\n<code_set_name>               \"Mein__Paar__1\"\n"),
            std::string::npos);
  EXPECT_NE(text.find("CHARMAP\n<U0081> \\x41 |1\n<U20AC> \\x9F |0\nEND CHARMAP\n"), std::string::npos);
}

TEST(ReadUcm, WrittenPairsComeBackWhole) {
  std::mt19937 random(17);
  for (const Workstation workstation : {Workstation::kIsoLatin1, Workstation::kCp1252})
    for (int round = 0; round < 20; ++round) {
      CodeTable export_table(TableKind::kExport), import_table(TableKind::kImport);
      for (int p = 0; p < 256; ++p) {
        if (random() % 4) export_table.Assign(p, static_cast<int>(random() % 256));
        if (random() % 4) import_table.Assign(p, static_cast<int>(random() % 256));
      }
      Named(export_table, TableKind::kExport, "Zufall");
      UcmPair pair;
      ASSERT_EQ(ReadUcm(UcmText(export_table, import_table, workstation), workstation, pair), "");
      EXPECT_EQ(Targets(pair.Export), Targets(export_table));
      EXPECT_EQ(Targets(pair.Import), Targets(import_table));
      for (int code = 0; code < 256; ++code) EXPECT_EQ(pair.Export[code].Count, export_table.Count(code));
      EXPECT_EQ(pair.Name, "Zufall");
      EXPECT_TRUE(pair.LeftOut.empty());
    }
}

TEST(ReadUcm, IcuSpellingsAndCharactersBesideTheWorkstationSet) {
  UcmPair pair;
  const std::string text =
      "\xEF\xBB\xBF# ibm-273\r\n<code_set_name> \"ibm-273\" # Kommentar\r\n<icu:charsetFamily> \"EBCDIC\"\n"
      "  CHARMAP\n<U0041> \\xC1\n<U00C4>\\x4A |0 # Ä\n<UFF21> \\xC1 |1\n<U2018>+ \\x7D |1\n"
      "<U0027> \\x7D |0\n<U00A4> \\x9F |1\n<U0000> \\x3F |2\nEND CHARMAP\nDanach steht nichts Gültiges\n";
  ASSERT_EQ(ReadUcm(text, Workstation::kIsoLatin1, pair), "");
  EXPECT_EQ(pair.Name, "ibm-273");
  EXPECT_EQ(pair.Export[0x41].Target, 0xC1);
  EXPECT_EQ(pair.Import[0xC1].Target, 0x41);
  EXPECT_EQ(pair.Export[0xC4].Target, 0x4A);
  EXPECT_EQ(pair.Export[0xA4].Target, 0x9F);
  EXPECT_EQ(pair.Import[0x9F].Target, -1);
  EXPECT_EQ(pair.Export[0x00].Target, -1);
  EXPECT_EQ(pair.Import[0x3F].Target, -1);
  EXPECT_EQ(pair.LeftOut, (std::vector<std::string>{"U+FF21 (Zeile 7)", "U+2018 (Zeile 8)"}));
}

TEST(ReadUcm, RefusesNamingTheFirstLineAtFault) {
  const std::string map = "CHARMAP\n<U0041> \\xC1 |0\n";
  ExpectRefused("<mb_cur_max> 2\n" + map + "END CHARMAP\n", "Zeile 1: keine Single-Byte-Tabelle (<mb_cur_max> 2)");
  ExpectRefused("#\n<uconv_class> \"MBCS\"\n" + map + "END CHARMAP\n",
                "Zeile 2: keine Single-Byte-Tabelle (<uconv_class> \"MBCS\")");
  ExpectRefused("<icu:state> 0-ff\n" + map + "END CHARMAP\n",
                "Zeile 1: Tabelle mit Zuständen (<icu:state>) wird nicht gelesen");
  ExpectRefused(map + "<U0042> \\x0E\\xC2 |0\nEND CHARMAP\n",
                "Zeile 3: keine Single-Byte-Tabelle (mehr als ein Byte für ein Zeichen)");
  ExpectRefused(map + "<U0041><U0308> \\xC2 |0\nEND CHARMAP\n",
                "Zeile 3: mehrere Zeichen für eine Bytefolge werden nicht gelesen");
  for (const char* line : {"<U0042> \\xC |0", "<U0042> C2", "<U110000> \\xC2", "<U0042> \\xC2 |4", "<U0042 \\xC2",
                           "<U0042> \\xC2 |0 x", "<U0000042> \\xC2"})
    ExpectRefused(map + line + "\nEND CHARMAP\n", "Zeile 3: Zuordnung nicht verstanden");
  ExpectRefused("code_set_name x\n" + map, "Zeile 1: Kopfzeile nicht verstanden");
  ExpectRefused("<code_set_name> \"x\n" + map, "Zeile 1: Kopfzeile nicht verstanden");
  ExpectRefused("<code_set_name> \"x\"\n", "keine Zuordnungen (CHARMAP fehlt)");
  ExpectRefused(map, "END CHARMAP fehlt, die Datei ist unvollständig");
  ExpectRefused("<code_set_name> \"x\"\n<U0041> \\xC1 |0\nEND CHARMAP\n", "Zeile 2: Zuordnung vor der Zeile CHARMAP");
  for (const char* unusable : {"CHARMAP\nEND CHARMAP\n", "CHARMAP\n<U0041> \\xC1 |2\nEND CHARMAP\n"})
    ExpectRefused(unusable, "keine verwendbare Zuordnung (CHARMAP leer oder nur |2)");
  ExpectRefused(map + "<U0042> \\xC1 |3\nEND CHARMAP\n", "Zeile 3: Byte C1 ist schon in Zeile 2 zugeordnet");
  ExpectRefused(map + "<U0041> \\xC2 |1\nEND CHARMAP\n", "Zeile 3: Zeichen U+0041 ist schon in Zeile 2 zugeordnet");
  ExpectRefused(map + "<U2018> \\x7D |1\n<U20AC> \\x9F |0\n<U20AC> \\x9F |3\nEND CHARMAP\n",
                "Zeile 3: Zeichen U+2018 gibt es in ISO 8859-1 nicht, und Byte 7D hat keine andere Zuordnung");
}

TEST(ReadUcm, LinesEndedByCrLfAndTheHighestCharacter) {
  UcmPair pair;
  ASSERT_EQ(
      ReadUcm("CHARMAP\r\n<U0041> \\xC1 |0\r\n<U10FFFF> \\xC1 |1\r\nEND CHARMAP\r\n", Workstation::kIsoLatin1, pair),
      "");
  EXPECT_EQ(pair.Import[0xC1].Target, 0x41);
  EXPECT_EQ(pair.LeftOut, std::vector<std::string>{"U+10FFFF (Zeile 3)"});
}

TEST(ReadUcm, TheEuroIsAWorkstationCharacterOnlyInWindows1252) {
  const std::string text = "CHARMAP\n<U20AC> \\x9F |0\nEND CHARMAP\n";
  UcmPair pair;
  EXPECT_NE(ReadUcm(text, Workstation::kIsoLatin1, pair), "");
  ASSERT_EQ(ReadUcm(text, Workstation::kCp1252, pair), "");
  EXPECT_EQ(pair.Export[0x80].Target, 0x9F);
  EXPECT_EQ(pair.Import[0x9F].Target, 0x80);
  EXPECT_EQ(pair.Name, "");
}

}  // namespace
