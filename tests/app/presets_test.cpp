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

const PresetCase kPresets[] = {
    {"DIN", &Session::LoadDin, &kDinPreset},
    {"CP 273", &Session::LoadIsoCp273, &kIsoCp273Preset},
    {"CP 37", &Session::LoadIsoCp37, &kIsoCp37Preset},
    {"UNIX", &Session::LoadUnix, &kUnixPreset},
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
  for (const PresetCase& c : kPresets) {
    TheSession->ClearBoth->trigger();
    (TheSession->*c.Actions).Export->trigger();
    ExpectEntries(ExportTable(), c.Preset->Export, c.Label);
    EXPECT_EQ(ImportTable().CountAssigned(), 0) << c.Label;
    EXPECT_EQ(Header("EXPORT", c.Preset->ExportName), ExportTable().Header()) << c.Label;
    EXPECT_EQ(ExportTable().Kind(), TableKind::kExport) << c.Label;
    EXPECT_EQ(ExportTable().CurrentPosition(), 0) << c.Label;
    EXPECT_STREQ(ExportTable().FontName(), "Courier New") << c.Label;

    TheSession->ClearBoth->trigger();
    (TheSession->*c.Actions).Import->trigger();
    ExpectEntries(ImportTable(), c.Preset->Import, c.Label);
    EXPECT_EQ(ExportTable().CountAssigned(), 0) << c.Label;
    EXPECT_EQ(Header("IMPORT", c.Preset->ImportName), ImportTable().Header()) << c.Label;
    EXPECT_EQ(ImportTable().Kind(), TableKind::kImport) << c.Label;
  }
  EXPECT_FALSE(TheSession->ChainTablesAction->isChecked());
  EXPECT_EQ(ExportTable().Partner(), nullptr);
  EXPECT_TRUE(prompter_->Calls.empty());
}

TEST_F(PresetsTest, LoadingReplacesEditsAndTheOldName) {
  ExportTable().Assign('A', 0x11);
  ExportTable().Unassign(0x20);
  ExportTable().BuildHeader(TableKind::kUnknown, "/tmp/alt.tab");

  TheSession->LoadIsoCp37.Export->trigger();

  EXPECT_STREQ(ExportTable().Header(), "QAVO CodeTab EXPORT [Courier New] ISO8859-1_CP37");
  ExpectEntries(ExportTable(), kIsoCp37Export, "CP 37");
  EXPECT_EQ(ExportTable().CountAssigned(), 256);
  EXPECT_STREQ(ExportTable().Cell('A'), " A:C1");
}

TEST_F(PresetsTest, BothOfTheCodePagePresetsAndDinGiveAProvenLinkedPair) {
  for (const PresetCase& c : kPresets) {
    if (c.Preset == &kUnixPreset) continue;
    TheSession->ClearBoth->trigger();
    TheSession->ChainTablesAction->setChecked(true);
    TheSession->ChainTablesAction->trigger();

    (TheSession->*c.Actions).Both->trigger();

    EXPECT_TRUE(TheSession->ChainTablesAction->isChecked()) << c.Label;
    EXPECT_EQ(ExportTable().Partner(), &ImportTable()) << c.Label;
    EXPECT_EQ(ImportTable().Partner(), &ExportTable()) << c.Label;
    ExpectEntries(ExportTable(), c.Preset->Export, c.Label);
    ExpectEntries(ImportTable(), c.Preset->Import, c.Label);
    EXPECT_EQ(Header("EXPORT", c.Preset->ExportName), ExportTable().Header()) << c.Label;
    EXPECT_EQ(Header("IMPORT", c.Preset->ImportName), ImportTable().Header()) << c.Label;
    for (const CodeTable* table : {&ExportTable(), &ImportTable()}) {
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

  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
  ExpectEntries(ExportTable(), kUnixExport, "UNIX");
  ExpectEntries(ImportTable(), kUnixImport, "UNIX");
  int ambiguous_export = 0;
  int ambiguous_import = 0;
  for (int p = 0; p < 256; ++p) {
    const int e = kUnixExport[p];
    const bool shared = e == 0x00 || e == 0x01 || e == 0xFF;
    EXPECT_EQ(ExportTable().IsAmbiguous(p), shared ? 1 : 0) << "EXPORT position " << p;
    EXPECT_EQ(ImportTable().IsAmbiguous(p), kUnixImport[p] == 0x1A ? 1 : 0) << "IMPORT position " << p;
    ambiguous_export += ExportTable().IsAmbiguous(p);
    ambiguous_import += ImportTable().IsAmbiguous(p);
  }
  EXPECT_EQ(ambiguous_export, 126 + 2 + 2);
  EXPECT_EQ(ambiguous_import, 129);
  EXPECT_EQ(ExportTable().IsProven(CodeTable::kWholeTable), 0);
  EXPECT_EQ(ImportTable().IsProven(CodeTable::kWholeTable), 0);
  EXPECT_STREQ(ExportTable().Header(), "QAVO CodeTab EXPORT [Courier New] QAVO UNIX");
  EXPECT_STREQ(ImportTable().Header(), "QAVO CodeTab IMPORT [Courier New] QAVO UNIX");
}

TEST_F(PresetsTest, BothKeepsTheActiveFlags) {
  MakeImportActive();
  TheSession->LoadDin.Both->trigger();
  EXPECT_EQ(ImportTable().IsActive(), 1);
  EXPECT_EQ(ExportTable().IsActive(), 0);
}

TEST_F(PresetsTest, SingleLoadsIntoALinkedPairLeaveThePartnerAlone) {
  TheSession->LoadIsoCp37.Both->trigger();
  MakeExportActive();
  const CodeTable import_before = ImportTable();

  TheSession->LoadDin.Export->trigger();

  ExpectEntries(ExportTable(), kDinExport, "DIN into the active EXPORT table");
  ExpectSameEntries(ImportTable(), import_before);
  EXPECT_STREQ(ImportTable().Header(), import_before.Header());
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_EQ(ExportTable().IsActive(), 1);
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());

  const CodeTable export_before = ExportTable();
  TheSession->LoadUnix.Import->trigger();

  ExpectEntries(ImportTable(), kUnixImport, "UNIX into the inactive IMPORT table");
  ExpectSameEntries(ExportTable(), export_before);
  EXPECT_EQ(ImportTable().Partner(), &ExportTable());
  EXPECT_EQ(ExportTable().IsActive(), 1);
}

TEST_F(PresetsTest, SingleLoadIntoTheActiveImportTableLeavesExportAlone) {
  TheSession->LoadIsoCp273.Both->trigger();
  MakeImportActive();
  const CodeTable export_before = ExportTable();

  TheSession->LoadUnix.Import->trigger();

  ExpectEntries(ImportTable(), kUnixImport, "UNIX");
  ExpectSameEntries(ExportTable(), export_before);
  EXPECT_EQ(ImportTable().Partner(), &ExportTable());
  EXPECT_EQ(ImportTable().IsActive(), 1);

  TheSession->LoadDin.Export->trigger();
  ExpectEntries(ExportTable(), kDinExport, "DIN");
  ExpectEntries(ImportTable(), kUnixImport, "UNIX");
}

TEST_F(PresetsTest, APresetPairSavesInTheUnixFormatWithoutAnIncompletenessWarning) {
  TheSession->LoadUnix.Both->trigger();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  prompter_->AnswerFile(dir.filePath("e.tab"));
  prompter_->AnswerFile(dir.filePath("i.tab"));

  TheSession->SaveUnix->trigger();

  EXPECT_TRUE(prompter_->CallsOf("information").empty());
  EXPECT_EQ(prompter_->CallsOf("save").size(), 2u);
  for (const auto& [file, array] : {std::pair{"e.tab", &kUnixExport}, std::pair{"i.tab", &kUnixImport}}) {
    QFile saved(dir.filePath(file));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << file;
    const QByteArray bytes = saved.readAll();
    ASSERT_EQ(bytes.size(), 256) << file;
    EXPECT_EQ(std::memcmp(bytes.constData(), *array, 256), 0) << file;
  }
}

}  // namespace
