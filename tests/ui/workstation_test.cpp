// The workstation character set: one setting for the grid, the tooltips,
// the editors, the Probetext and the exports.
#include <QApplication>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include "support/acceptance.h"
#include "support/drawncells.h"
#include "support/session.h"
#include "support/tablefiles.h"
#include "support/typing.h"
#include "ui/entryeditor.h"
#include "ui/sampletextwindow.h"
#include "ui/tablewindow.h"

namespace {

class WorkstationCharset : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    TheControl->show();
  }

  // CP 1141 against ISO 8859-1 from "Weitere Codepages ...".
  void LoadCp1141Iso() {
    CodePageChoice choice;
    choice.CodePage = 1141;
    prompter->AnswerCodePage(choice);
    TheSession->MoreCodePages->trigger();
  }

  QString HoveredTooltip(int entry) const {
    TableGrid& grid = *TheControl->ExportWindow->Grid;
    const CellRect cell = ItemRect(ItemOfEntry(grid, entry), grid.Cells->width());
    const QPoint at(cell.X + 3, cell.Y + 3);
    QHelpEvent hover(QEvent::ToolTip, at, grid.Cells->mapToGlobal(at));
    QApplication::sendEvent(grid.Cells, &hover);
    const QString text = QToolTip::text();
    QToolTip::hideText();
    return text;
  }

  QByteArray SavedUcm(const QString& name) {
    prompter->AnswerFile(dir.filePath(name));
    TheSession->SaveUcm->trigger();
    return ReadBytes(dir.filePath(name));
  }

  QTemporaryDir dir;
};

// Byte 80 is a control character in ISO 8859-1 and the euro sign in
// Windows-1252; so is 9F, where the pair puts the euro of CP 1141 (9F).
TEST_F(WorkstationCharset, Byte80OfTheCp1141IsoPairInEachSetting) {
  LoadCp1141Iso();
  EXPECT_TRUE(TheSession->WorkstationIso8859->isChecked());
  EXPECT_EQ(TheControl->WorkstationCharsetLabel->text(), "ISO 8859-1");
  const QString control = DisplayChar(0x0A, {});
  EXPECT_EQ(acceptance::DrawnEntry(TheControl->ExportWindow, 0x80).Text, " " + control + ":20");
  EXPECT_EQ(HoveredTooltip(0x80), "Position 80 (128)\nZeichen: <control-0080>\nZiel: 20\nbestätigt");
  EXPECT_EQ(acceptance::DrawnEntry(TheControl->ImportWindow, 0x9F).Text, " " + control + "=9F");
  const QByteArray iso = SavedUcm("iso.ucm");

  TheSession->WorkstationWindows1252->trigger();
  EXPECT_EQ(TheControl->WorkstationCharsetLabel->text(), "Windows-1252");
  EXPECT_EQ(acceptance::DrawnEntry(TheControl->ExportWindow, 0x80).Text, QString::fromUtf8(" €:20"));
  EXPECT_EQ(HoveredTooltip(0x80), QString::fromUtf8("Position 80 (128)\nZeichen: €  EURO SIGN\nZiel: 20\nbestätigt"));
  const QByteArray windows = SavedUcm("windows.ucm");

  EXPECT_TRUE(iso.contains("# Arbeitsplatz: ISO 8859-1\n"));
  EXPECT_TRUE(iso.contains("\n<U0080> \\x20 |0\n"));
  EXPECT_FALSE(iso.contains("<U20AC>"));
  EXPECT_TRUE(windows.contains("# Arbeitsplatz: Windows-1252\n"));
  EXPECT_TRUE(windows.contains("\n<U20AC> \\x20 |0\n"));
  EXPECT_FALSE(windows.contains("<U0080>"));
}

// A pair built for a workstation set switches the setting to it; the others
// leave it as it is. The code page dialog offers the setting.
TEST_F(WorkstationCharset, PresetsAndCodePagesSwitchTheSetting) {
  struct Step {
    QAction* Action;
    bool Windows1252After;
  };
  const Step steps[] = {
      {TheSession->LoadIsoCp37.Export, false}, {TheSession->WorkstationWindows1252, true},
      {TheSession->LoadDin.Both, true},        {TheSession->LoadIsoCp273.Import, false},
      {TheSession->LoadUnix.Both, false},      {TheSession->LoadIsoCp273.Both, false},
  };
  EXPECT_TRUE(TheSession->WorkstationWindows1252->isChecked());
  for (const Step& step : steps) {
    step.Action->trigger();
    EXPECT_EQ(TheSession->WorkstationWindows1252->isChecked(), step.Windows1252After)
        << step.Action->objectName().toStdString();
    EXPECT_NE(TheSession->WorkstationIso8859->isChecked(), step.Windows1252After);
  }
  CodePageChoice windows;
  windows.CodePage = 1141;
  windows.Windows1252 = true;
  prompter->AnswerCodePage(windows);
  TheSession->MoreCodePages->trigger();
  EXPECT_EQ(TheSession->WorkstationCharset(), Workstation::Cp1252);
  LoadCp1141Iso();
  EXPECT_EQ(TheSession->WorkstationCharset(), Workstation::Iso8859_1);
  TheSession->WorkstationWindows1252->trigger();
  TheSession->ComparePage->trigger();
  const auto shown = prompter->CallsOf("codepage");
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(
      std::vector<bool>({shown[0].CodePage.Windows1252, shown[1].CodePage.Windows1252, shown[2].CodePage.Windows1252}),
      std::vector<bool>({false, true, true}));
}

// A typed euro sign is position 80 in Windows-1252 and refused in
// ISO 8859-1, in the editor as in the Probetext.
TEST_F(WorkstationCharset, TypedEuroSign) {
  EntryEditor& editor = *TheControl->ExportEditor;
  const QChar euro(0x20AC);
  TypeChar(editor.SourceChar, euro);
  EXPECT_EQ(exportTable().CurrentPosition(), 0x80);
  EXPECT_EQ(editor.SourceChar->text(), QString(euro));
  TheSession->ShowSampleText->trigger();
  SampleTextWindow* sample = TheControl->SampleWindow;
  ASSERT_NE(sample, nullptr);
  sample->Input->setPlainText(QString::fromUtf8("€ab"));
  EXPECT_TRUE(sample->Summary->text().startsWith("3 Zeichen:"));

  TheSession->WorkstationIso8859->trigger();
  EXPECT_EQ(editor.SourceChar->text(), DisplayChar(0x0A, {}));
  EXPECT_TRUE(sample->Summary->text().startsWith("2 Zeichen:"));
  EXPECT_TRUE(sample->Summary->text().endsWith(QString::fromUtf8("Nicht in der Codepage der Arbeitsstation: €")));
  prompter->Clear();
  TypeChar(editor.SourceChar, euro);
  EXPECT_EQ(prompter->Beeps(), 1);
  EXPECT_EQ(exportTable().CurrentPosition(), 0x80);
}

}  // namespace
