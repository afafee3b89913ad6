// The "Probetext" window: which characters of a text survive the trip to
// the host and back, following every change of the tables.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include "platform/colors.h"
#include "support/session.h"
#include "support/tablefiles.h"
#include "ui/entryeditor.h"
#include "ui/sampletextwindow.h"

namespace {

class SampleTextTest : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(ShowControlWindow());
    TheSession->LoadIsoCp273.Both->trigger();
    TheSession->CommitPair(TableKind::kExport, 'B', 0xC1);   // B now shares A's host code
    TheSession->RemoveAssignment(TableKind::kExport, "43");  // C passes unassigned and comes back as ä
    TheSession->ShowSampleText->trigger();
    window_ = TheControl->SampleWindow;
    ASSERT_NE(window_, nullptr);
    window_->Input->setPlainText("ABCD");
  }
  // The positions the views link to, in the order they stand.
  static QStringList Links(const QTextBrowser* view) {
    QStringList links;
    const QString html = view->toHtml();
    for (int at = html.indexOf("href=\"#"); at >= 0; at = html.indexOf("href=\"#", at + 1))
      links << html.mid(at + 7, 2);
    return links;
  }
  SampleTextWindow* window_ = nullptr;
};

TEST_F(SampleTextTest, MarksExactlyTheCharactersThatDoNotComeBackOrPassUnassigned) {
  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->windowTitle(), "Probetext");
  EXPECT_EQ(Links(window_->BackText), (QStringList{"42", "43"}));
  EXPECT_EQ(Links(window_->HostCodes), (QStringList{"42", "43"}));
  EXPECT_TRUE(window_->HostCodes->toPlainText().startsWith("C1 C1 43 C4"));
  EXPECT_EQ(window_->Summary->text(), QString::fromUtf8("4 Zeichen: 2 kommen nicht zurück, 1 nicht zugeordnet (1:1)."));

  window_->Input->setPlainText(QString::fromUtf8("AΩ"));
  EXPECT_EQ(window_->Summary->text(), QString::fromUtf8("1 Zeichen: 0 kommen nicht zurück, 0 nicht zugeordnet (1:1). "
                                                        "Nicht in der Codepage der Arbeitsstation: Ω"));
}

// x without its EXPORT entry passes 1:1 and comes back as the IMPORT
// table's 78: lost, though unassigned.
TEST_F(SampleTextTest, AnUnassignedCharacterThatComesBackChangedCountsAsLost) {
  TheSession->RemoveAssignment(TableKind::kExport, "78");
  window_->Input->setPlainText("Text mit x");
  EXPECT_EQ(window_->BackText->toPlainText(), QString::fromUtf8("TeÌt mit Ì"));
  EXPECT_EQ(Links(window_->BackText), (QStringList{"78", "78"}));
  EXPECT_EQ(window_->Summary->text(),
            QString::fromUtf8("10 Zeichen: 2 kommen nicht zurück, 2 nicht zugeordnet (1:1)."));
  // Marked in the lost colour, readable on the view whatever the theme.
  static const QRegularExpression kColor("color:(#[0-9a-f]{6})");
  const QString html = window_->BackText->toHtml();
  const QColor marked(kColor.match(html).captured(1));
  EXPECT_EQ(marked.rgb(), ReadableOn(QColor(Qt::red), Qt::white).rgb());
  EXPECT_GE(Contrast(marked, window_->BackText->palette().color(QPalette::Base)), 4.5);
}

TEST_F(SampleTextTest, FollowsAnEditInTheExportEditorAtOnce) {
  EntryEditor* editor = TheControl->ExportEditor;
  TheControl->activateWindow();
  editor->SourceChar()->setFocus();
  QTest::keyClicks(editor->SourceChar(), "B");
  QTest::keyClicks(editor->TargetHex(), "C2");
  QTest::keyClick(editor->TargetHex(), Qt::Key_Return);
  ASSERT_EQ(ExportTable().Target('B'), 0xC2) << editor->TargetHex()->text().toStdString();
  EXPECT_EQ(Links(window_->BackText), (QStringList{"43"}));
  EXPECT_EQ(window_->Summary->text(), QString::fromUtf8("4 Zeichen: 1 kommen nicht zurück, 1 nicht zugeordnet (1:1)."));
}

TEST_F(SampleTextTest, AClickOnAMarkedCharacterPutsTheExportEditorOnIt) {
  emit window_->BackText->anchorClicked(QUrl("#42"));
  EXPECT_EQ(ExportTable().CurrentPosition(), 0x42);
  EXPECT_EQ(TheControl->ExportEditor->SourceHex()->text(), "42");
  EXPECT_TRUE(ExportTable().IsActive());
}

// A file of the largest size without a line break is shown at once.
TEST_F(SampleTextTest, ALargeFileWithoutLineBreaksLoadsWithinASecond) {
  QTemporaryDir dir;
  const QString name = dir.filePath("line.txt");
  WriteBytes(name, QByteArray(SampleTextWindow::kLargestFile, 'A'));
  prompter_->AnswerFile(name);
  QElapsedTimer timer;
  timer.start();
  window_->LoadButton->click();
  QApplication::processEvents();
  EXPECT_LT(timer.elapsed(), 1000);
  EXPECT_EQ(window_->Summary->text(),
            QString::fromUtf8("1048576 Zeichen: 0 kommen nicht zurück, 0 nicht zugeordnet (1:1). Angezeigt sind die "
                              "ersten 2000 Zeichen."));
}

}  // namespace
