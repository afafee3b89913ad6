// ICU mapping tables in the editor: the chained pair saved as a .ucm and
// read back, and what is refused.
#include <QTemporaryDir>

#include "files/javacharset.h"
#include "files/pythoncodec.h"
#include "support/session.h"
#include "support/tablefiles.h"

namespace {

class IcuTables : public SessionTest {
 protected:
  QTemporaryDir dir_;
  QString Path(const char* name) const { return dir_.filePath(name); }
};

TEST_F(IcuTables, TheChainedPairComesBackFromItsUcmFile) {
  TheSession->LoadIsoCp273.Both->trigger();
  const std::vector<int> export_targets = Targets(ExportTable());
  const std::vector<int> import_targets = Targets(ImportTable());
  prompter_->AnswerFile(Path("cp273.ucm"));
  TheSession->SaveUcm->trigger();
  const QByteArray text = ReadBytes(Path("cp273.ucm"));
  EXPECT_TRUE(text.contains("<uconv_class>"));
  EXPECT_EQ(prompter_->CallsOf("save").at(0).Settings.DefaultExt, "ucm");

  TheSession->ClearBoth->trigger();
  TheSession->ChainTablesAction->setChecked(false);
  TheSession->ChainTablesAction->trigger();
  // The last table file is not offered as an ICU table.
  prompter_->AnswerFile(Path("missing.tab"));
  TheSession->LoadTableFile->trigger();
  prompter_->AnswerFile(Path("cp273.ucm"));
  TheSession->LoadUcm->trigger();
  EXPECT_EQ(prompter_->CallsOf("open").back().Settings.FileName, "");
  EXPECT_EQ(Targets(ExportTable()), export_targets);
  EXPECT_EQ(Targets(ImportTable()), import_targets);
  EXPECT_EQ(ExportTable().Partner(), &ImportTable());
  EXPECT_TRUE(TheSession->ChainTablesAction->isChecked());
  EXPECT_TRUE(prompter_->CallsOf("message").empty());
}

TEST_F(IcuTables, AnUnchainedPairIsNotSavedAndABadFileChangesNothing) {
  TheSession->SaveUcm->trigger();
  EXPECT_EQ(prompter_->CallsOf("information").at(0).Text, "Bitte Tabellen verbinden!");
  EXPECT_TRUE(prompter_->CallsOf("save").empty());

  TheSession->LoadDin.Both->trigger();
  const TableState before(ExportTable());
  WriteBytes(Path("mbcs.ucm"),
             "<code_set_name> \"x\"\n<mb_cur_max> 2\n<mb_cur_min> 1\nCHARMAP\n"
             "<U0041> \\xC1 |0\nEND CHARMAP\n");
  prompter_->AnswerFile(Path("mbcs.ucm"));
  TheSession->LoadUcm->trigger();
  ASSERT_EQ(prompter_->CallsOf("message").size(), 1u);
  EXPECT_TRUE(prompter_->CallsOf("message").at(0).Text.startsWith("Datei: " + Path("mbcs.ucm") + "\n"));
  EXPECT_TRUE(TableState(ExportTable()) == before);

  prompter_->AnswerFile(dir_.path());
  TheSession->LoadUcm->trigger();
  EXPECT_EQ(prompter_->CallsOf("message").at(1).Text, "Datei: " + dir_.path() + "\nkann nicht gelesen werden!");
}

// The box lists 20 of the characters left out, so that it fits on the screen.
TEST_F(IcuTables, ALongListOfCharactersLeftOutIsCut) {
  QString ucm = "CHARMAP\n<U00A4> \\x9F |1\n";
  QString expected = QString::fromUtf8("Nicht in der Codepage der Arbeitsstation, bleiben unzugeordnet:");
  for (int i = 0; i < 25; ++i) {
    const QString code = QString::number(0x100 + i, 16).toUpper();
    ucm += "<U0" + code + "> \\x9F |1\n";
    if (i < 20) expected += QString("\nU+0%1 (Zeile %2)").arg(code).arg(i + 3);
  }
  WriteBytes(Path("many.ucm"), (ucm + "END CHARMAP\n").toLatin1());
  prompter_->AnswerFile(Path("many.ucm"));
  TheSession->LoadUcm->trigger();
  EXPECT_EQ(prompter_->CallsOf("information").at(0).Text, expected + "\n... und 5 weitere");
}

// Codec and charset follow the workstation character set, as the .ucm
// export does, and are proposed under their own names.
TEST_F(IcuTables, CodecAndCharsetOfTheChainedPair) {
  TheSession->LoadIsoCp273.Both->trigger();
  TheSession->WorkstationWindows1252->trigger();
  prompter_->AnswerFile(Path("codec.py"));
  TheSession->SavePython->trigger();
  prompter_->AnswerFile(Path("charset.jar"));
  TheSession->SaveJava->trigger();
  const CharsetMapping charset =
      CharsetMappingOf(ExportTable(), ImportTable(), Workstation::kCp1252, ExportTable().HeaderName());
  const std::string module = PythonCodecModule(charset, "Windows-1252");
  const std::vector<uint8_t> jar = JavaCharsetJar(charset);
  EXPECT_EQ(ReadBytes(Path("codec.py")), QByteArray(module.data(), static_cast<int>(module.size())));
  EXPECT_EQ(ReadBytes(Path("charset.jar")), QByteArray(reinterpret_cast<const char*>(jar.data()), jar.size()));
  const auto saves = prompter_->CallsOf("save");
  EXPECT_EQ(saves.at(0).Settings.FileName.toStdString(), "iso8859_1_cp273");
  EXPECT_EQ(saves.at(1).Settings.FileName.toStdString(), "x-ISO8859-1_CP273");
  EXPECT_EQ(saves.at(1).Settings.Title.toStdString(),
            "Tabellen speichern als Java-Zeichensatz ( " + HeaderText(ExportTable()).toStdString() + ")");
}

}  // namespace
