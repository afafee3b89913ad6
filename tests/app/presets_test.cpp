// The preset commands: each array into the table of its direction with the
// preset's name, and "&Beide" loading and chaining the pair.
#include "model/presets.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <string>
#include <utility>

#include "support/session.h"

namespace {

struct PresetCase {
  const char* Label;
  PresetActions Session::*Actions;
  const PresetPair* Preset;
};

const PresetCase Presets[] = {
    {"DIN", &Session::LoadDin, &DinPreset},
    {"CP 273", &Session::LoadIsoCp273, &IsoCp273Preset},
    {"CP 37", &Session::LoadIsoCp37, &IsoCp37Preset},
    {"UNIX", &Session::LoadUnix, &UnixPreset},
};

class PresetsTest : public SessionTest {
 protected:
  static void ExpectEntries(const CodeTable& table, const uint8_t (&array)[256], const char* label) {
    for (int p = 0; p < 256; ++p) EXPECT_EQ(table.Target(p), array[p]) << label << " position " << p;
  }

  static void ExpectSameEntries(const CodeTable& a, const CodeTable& b) {
    for (int p = 0; p < 256; ++p) {
      EXPECT_EQ(a.Target(p), b.Target(p)) << "position " << p;
      EXPECT_EQ(a.Count(p), b.Count(p)) << "position " << p;
    }
  }

  void Chain() {
    TheSession->ChainTablesAction->setChecked(false);
    TheSession->ChainTablesAction->trigger();
  }

  static std::string Header(const char* kind, const char* name) {
    return std::string("QAVO CodeTab ") + kind + " [Courier New] " + name;
  }
};

TEST_F(PresetsTest, EachSingleDirectionActionLoadsItsOwnTableWithThePresetName) {
  for (const PresetCase& c : Presets) {
    TheSession->ClearBoth->trigger();
    (TheSession->*c.Actions).Export->trigger();
    ExpectEntries(exportTable(), c.Preset->Export, c.Label);
    EXPECT_EQ(importTable().CountAssigned(), 0) << c.Label;
    EXPECT_EQ(Header("EXPORT", c.Preset->ExportName), exportTable().Header()) << c.Label;
    EXPECT_EQ(exportTable().Kind(), TableKind::kExport) << c.Label;
    EXPECT_EQ(exportTable().CurrentPosition(), 0) << c.Label;
    EXPECT_STREQ(exportTable().FontName(), "Courier New") << c.Label;

    TheSession->ClearBoth->trigger();
    (TheSession->*c.Actions).Import->trigger();
    ExpectEntries(importTable(), c.Preset->Import, c.Label);
    EXPECT_EQ(exportTable().CountAssigned(), 0) << c.Label;
    EXPECT_EQ(Header("IMPORT", c.Preset->ImportName), importTable().Header()) << c.Label;
    EXPECT_EQ(importTable().Kind(), TableKind::kImport) << c.Label;
  }
  EXPECT_FALSE(TheSession->ChainTablesAction->isChecked());
  EXPECT_EQ(exportTable().Partner(), nullptr);
  EXPECT_TRUE(prompter->Calls.empty());
}

TEST_F(PresetsTest, LoadingReplacesEditsAndTheOldName) {
  exportTable().Assign('A', 0x11);
  exportTable().Unassign(0x20);
  exportTable().BuildHeader(TableKind::kUnknown, "/tmp/alt.tab");

  TheSession->LoadIsoCp37.Export->trigger();

  EXPECT_STREQ(exportTable().Header(), "QAVO CodeTab EXPORT [Courier New] ISO8859-1_CP37");
  ExpectEntries(exportTable(), IsoCp37Export, "CP 37");
  EXPECT_EQ(exportTable().CountAssigned(), 256);
  EXPECT_STREQ(exportTable().Cell('A'), " A:C1");
}

TEST_F(PresetsTest, BothOfTheCodePagePresetsAndDinGiveAProvenLinkedPair) {
  for (const PresetCase& c : Presets) {
    if (c.Preset == &UnixPreset) continue;
    TheSession->ClearBoth->trigger();
    TheSession->ChainTablesAction->setChecked(true);
    TheSession->ChainTablesAction->trigger();

    (TheSession->*c.Actions).Both->trigger();

    EXPECT_TRUE(TheSession->ChainTablesAction->isChecked()) << c.Label;
    EXPECT_EQ(exportTable().Partner(), &importTable()) << c.Label;
    EXPECT_EQ(importTable().Partner(), &exportTable()) << c.Label;
    ExpectEntries(exportTable(), c.Preset->Export, c.Label);
    ExpectEntries(importTable(), c.Preset->Import, c.Label);
    EXPECT_EQ(Header("EXPORT", c.Preset->ExportName), exportTable().Header()) << c.Label;
    EXPECT_EQ(Header("IMPORT", c.Preset->ImportName), importTable().Header()) << c.Label;
    for (const CodeTable* table : {&exportTable(), &importTable()}) {
      for (int p = 0; p < 256; ++p) {
        EXPECT_EQ(table->IsAmbiguous(p), 0) << c.Label << " position " << p;
        EXPECT_EQ(table->IsProven(p), 1) << c.Label << " position " << p;
      }
      EXPECT_EQ(table->IsAmbiguous(CodeTable::kWholeTable), 0) << c.Label;
      EXPECT_EQ(table->IsProven(CodeTable::kWholeTable), 1) << c.Label;
    }
  }
}

TEST_F(PresetsTest, BothOfUnixMarksTheSharedCodesAmbiguous) {
  TheSession->LoadUnix.Both->trigger();

  EXPECT_EQ(exportTable().Partner(), &importTable());
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
  ExpectEntries(exportTable(), UnixExport, "UNIX");
  ExpectEntries(importTable(), UnixImport, "UNIX");
  int ambiguousExport = 0;
  int ambiguousImport = 0;
  for (int p = 0; p < 256; ++p) {
    const int e = UnixExport[p];
    const bool shared = e == 0x00 || e == 0x01 || e == 0xFF;
    EXPECT_EQ(exportTable().IsAmbiguous(p), shared ? 1 : 0) << "EXPORT position " << p;
    EXPECT_EQ(importTable().IsAmbiguous(p), UnixImport[p] == 0x1A ? 1 : 0) << "IMPORT position " << p;
    ambiguousExport += exportTable().IsAmbiguous(p);
    ambiguousImport += importTable().IsAmbiguous(p);
  }
  EXPECT_EQ(ambiguousExport, 126 + 2 + 2);
  EXPECT_EQ(ambiguousImport, 129);
  EXPECT_EQ(exportTable().IsProven(CodeTable::kWholeTable), 0);
  EXPECT_EQ(importTable().IsProven(CodeTable::kWholeTable), 0);
  EXPECT_STREQ(exportTable().Header(), "QAVO CodeTab EXPORT [Courier New] QAVO UNIX");
  EXPECT_STREQ(importTable().Header(), "QAVO CodeTab IMPORT [Courier New] QAVO UNIX");
}

TEST_F(PresetsTest, BothKeepsTheActiveFlags) {
  MakeImportActive();
  TheSession->LoadDin.Both->trigger();
  EXPECT_EQ(importTable().IsActive(), 1);
  EXPECT_EQ(exportTable().IsActive(), 0);
}

TEST_F(PresetsTest, SingleLoadsIntoALinkedPairLeaveThePartnerAlone) {
  TheSession->LoadIsoCp37.Both->trigger();
  MakeExportActive();
  const CodeTable importBefore = importTable();

  TheSession->LoadDin.Export->trigger();

  ExpectEntries(exportTable(), DinExport, "DIN into the active EXPORT table");
  ExpectSameEntries(importTable(), importBefore);
  EXPECT_STREQ(importTable().Header(), importBefore.Header());
  EXPECT_EQ(exportTable().Partner(), &importTable());
  EXPECT_EQ(exportTable().IsActive(), 1);
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());

  const CodeTable exportBefore = exportTable();
  TheSession->LoadUnix.Import->trigger();

  ExpectEntries(importTable(), UnixImport, "UNIX into the inactive IMPORT table");
  ExpectSameEntries(exportTable(), exportBefore);
  EXPECT_EQ(importTable().Partner(), &exportTable());
  EXPECT_EQ(exportTable().IsActive(), 1);
}

TEST_F(PresetsTest, SingleLoadIntoTheActiveImportTableLeavesExportAlone) {
  TheSession->LoadIsoCp273.Both->trigger();
  MakeImportActive();
  const CodeTable exportBefore = exportTable();

  TheSession->LoadUnix.Import->trigger();

  ExpectEntries(importTable(), UnixImport, "UNIX");
  ExpectSameEntries(exportTable(), exportBefore);
  EXPECT_EQ(importTable().Partner(), &exportTable());
  EXPECT_EQ(importTable().IsActive(), 1);

  TheSession->LoadDin.Export->trigger();
  ExpectEntries(exportTable(), DinExport, "DIN");
  ExpectEntries(importTable(), UnixImport, "UNIX");
}

TEST_F(PresetsTest, APresetPairSavesInTheUnixFormatWithoutAnIncompletenessWarning) {
  TheSession->LoadUnix.Both->trigger();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  prompter->AnswerFile(dir.filePath("e.tab"));
  prompter->AnswerFile(dir.filePath("i.tab"));

  TheSession->SaveUnix->trigger();

  EXPECT_TRUE(prompter->CallsOf("information").empty());
  EXPECT_EQ(prompter->CallsOf("save").size(), 2u);
  for (const auto& [file, array] : {std::pair{"e.tab", &UnixExport}, std::pair{"i.tab", &UnixImport}}) {
    QFile saved(dir.filePath(file));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << file;
    const QByteArray bytes = saved.readAll();
    ASSERT_EQ(bytes.size(), 256) << file;
    EXPECT_EQ(std::memcmp(bytes.constData(), *array, 256), 0) << file;
  }
}

}  // namespace
