// Printing the table windows to a PDF file through the print dialog.
#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "platform/printing.h"
#include "support/pdftext.h"
#include "support/session.h"
#include "support/tablefiles.h"
#include "ui/tablewindow.h"

namespace {

struct PrintedPicture {
  const QWidget* Window;
  QRect Place;
  bool operator==(const PrintedPicture& o) const { return Window == o.Window && Place == o.Place; }
};

std::ostream& operator<<(std::ostream& out, const PrintedPicture& p) {
  return out << p.Window->windowTitle().toStdString() << " at " << p.Place.x() << "," << p.Place.y() << " "
             << p.Place.width() << "x" << p.Place.height();
}

// A print dialog that also turns the page to landscape and keeps the page size.
class LandscapeDialog : public ScriptedPrompter {
 public:
  QSize Page;
  bool ChoosePrinter(QPrinter& printer) override {
    if (!ScriptedPrompter::ChoosePrinter(printer)) return false;
    printer.setPageOrientation(QPageLayout::Landscape);
    Page = QSize(printer.width(), printer.height());
    return true;
  }
};

QByteArray ReadFile(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int PageCount(const QByteArray& pdf) {
  static const QRegularExpression kPage("/Type\\s*/Page(?![a-zA-Z])");
  return static_cast<int>(QString::fromLatin1(pdf).count(kPage));
}

bool HasImages(const QByteArray& pdf) { return pdf.contains("/Subtype /Image") || pdf.contains("/Subtype/Image"); }

class Printing : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(ShowControlWindow());
    ASSERT_TRUE(dir_.isValid());
    pdf_ = dir_.filePath("tables.pdf");
    QObject::connect(TheSession, &Session::PicturePrinted, [this](const QWidget& window, const QRect& place) {
      printed_.push_back({&window, place});
    });
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    page_ = QSize(reference.width(), reference.height());
  }

  void SetActive(int export_active, int import_active) {
    ExportTable().SetActive(export_active);
    ImportTable().SetActive(import_active);
  }

  void Chain() {
    ExportTable().Link(&ImportTable());
    emit TheSession->TablesChanged();
  }

  void Print() {
    prompter_->AnswerPrinter(pdf_);
    TheSession->Print->trigger();
  }

  PrintedPicture Upper() const {
    return {TheControl->ExportWindow, PictureRect(page_, window_size_, PrintPosition::kUpper)};
  }
  PrintedPicture Lower() const {
    return {TheControl->ImportWindow, PictureRect(page_, window_size_, PrintPosition::kLower)};
  }

  // One page on which the printed windows are text and lines, not images:
  // caption, labels and cells of each, and the time of printing.
  void ExpectPdfShowing(bool export_window, bool import_window) const {
    const QByteArray bytes = ReadFile(pdf_);
    ASSERT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(PageCount(bytes), 1);
    EXPECT_FALSE(HasImages(bytes));
    const QString text = PdfText(pdf_);
    EXPECT_EQ(text.contains("QAVO CodeTab EXPORT [Courier New]"), export_window) << text.toStdString();
    EXPECT_EQ(text.contains("QAVO CodeTab IMPORT [Courier New]"), import_window) << text.toStdString();
    EXPECT_FALSE(text.contains("[*]")) << text.toStdString();
    EXPECT_EQ(text.contains(QString::fromUtf8("A:41")) && text.contains(QString::fromUtf8("À:C0")), export_window);
    EXPECT_EQ(text.contains(QString::fromUtf8("A=41")) && text.contains(QString::fromUtf8("ÿ=FF")), import_window);
    static const QRegularExpression kLabels("00 +01 +02 +03 +04 +05 +06 +07 +08 +09 +0A +0B +0C +0D +0E +0F");
    EXPECT_EQ(text.count(kLabels), int(export_window) + int(import_window)) << text.toStdString();
    EXPECT_EQ(text.count(QRegularExpression("^ *F0 ", QRegularExpression::MultilineOption)),
              int(export_window) + int(import_window));
    EXPECT_TRUE(text.contains(QRegularExpression("Gedruckt am \\d\\d\\.\\d\\d\\.\\d{4} um \\d\\d:\\d\\d Uhr")));
  }

  QTemporaryDir dir_;
  QString pdf_;
  QSize page_;
  const QSize window_size_{808, 328};
  std::vector<PrintedPicture> printed_;
};

TEST_F(Printing, ChainedTablesPrintBothWindowsOnOnePageWhicheverIsActive) {
  Chain();
  for (const auto& active : {std::make_pair(1, 0), std::make_pair(0, 1), std::make_pair(0, 0)}) {
    SetActive(active.first, active.second);
    printed_.clear();
    QFile::remove(pdf_);
    Print();
    EXPECT_EQ(printed_, (std::vector<PrintedPicture>{Upper(), Lower()}));
    ExpectPdfShowing(true, true);
  }
  EXPECT_EQ(printed_[0].Place.topLeft(), QPoint(200, 800));
  EXPECT_EQ(printed_[1].Place.topLeft(), QPoint(200, page_.height() / 2));
}

TEST_F(Printing, UnchainedExportActivePrintsTheExportWindowAlone) {
  SetActive(1, 0);
  Print();
  EXPECT_EQ(printed_, (std::vector<PrintedPicture>{Upper()}));
  ExpectPdfShowing(true, false);
}

TEST_F(Printing, UnchainedImportActivePrintsTheImportWindowAloneInTheLowerHalf) {
  SetActive(0, 1);
  ASSERT_NE(QApplication::activeWindow(), TheControl->ImportWindow);
  Print();
  EXPECT_EQ(printed_, (std::vector<PrintedPicture>{Lower()}));
  ExpectPdfShowing(false, true);
}

TEST_F(Printing, ActiveImportWindowPrintsAloneWhenNeitherTableIsActive) {
  SetActive(0, 0);
  QApplication::setActiveWindow(TheControl->ImportWindow);
  ASSERT_TRUE(QTest::qWaitForWindowActive(TheControl->ImportWindow));
  Print();
  EXPECT_EQ(printed_, (std::vector<PrintedPicture>{Lower()}));
  ExpectPdfShowing(false, true);
}

TEST_F(Printing, NothingToPrintLeavesNoFile) {
  SetActive(0, 0);
  Print();
  EXPECT_TRUE(printed_.empty());
  EXPECT_FALSE(QFile::exists(pdf_));
}

TEST_F(Printing, CancelledDialogPrintsNothing) {
  Chain();
  prompter_->AnswerCancel();
  TheSession->Print->trigger();
  EXPECT_EQ(prompter_->CallsOf("print").size(), 1u);
  EXPECT_TRUE(printed_.empty());
  EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

TEST_F(Printing, RefusedDocumentIsReportedAndPrintsNothing) {
  Chain();
  prompter_->AnswerPrinter(dir_.filePath("missing/tables.pdf"));
  TheSession->Print->trigger();
  EXPECT_EQ(
      prompter_->TextsOf("message"),
      std::vector<QString>{"Datei: " + dir_.filePath("missing/tables.pdf") +
                           "\nkonnte nicht geschrieben werden (nicht gefunden)!\nDer Druck wurde nicht ausgeführt."});
  EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

TEST_F(Printing, APipeAsPrintFileIsRefusedInsteadOfWaitedFor) {
  Chain();
  const QString pipe = dir_.filePath("drucker");
  ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
  prompter_->AnswerPrinter(pipe);
  TheSession->Print->trigger();
  EXPECT_TRUE(printed_.empty());
  ASSERT_EQ(prompter_->CallsOf("message").size(), 1u);
  EXPECT_EQ(prompter_->CallsOf("message")[0].Text,
            "Datei: " + pipe +
                QString::fromUtf8("\nkonnte nicht geschrieben werden (keine reguläre Datei)!\nDer Druck wurde nicht "
                                  "ausgeführt."));
}

// A print file is replaced only once all of it is written.
TEST_F(Printing, AFailedPrintFileLeavesTheFormerFileAndSaysWhy) {
  Chain();
  WriteBytes(pdf_, "alt");
  {
    const FileSizeLimit limit(1000);
    Print();
  }
  EXPECT_EQ(
      prompter_->TextsOf("message"),
      std::vector<QString>{"Datei: " + pdf_ +
                           "\nkonnte nicht geschrieben werden (Datei zu groß)!\nDer Druck wurde nicht ausgeführt."});
  EXPECT_EQ(ReadFile(pdf_), "alt");
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"tables.pdf"});
  Print();
  EXPECT_EQ(PageCount(ReadFile(pdf_)), 1);
}

TEST_F(Printing, LandscapePageKeepsBothPicturesOnThePage) {
  auto dialog = std::make_unique<LandscapeDialog>();
  LandscapeDialog* landscape = dialog.get();
  TheSession->SetPrompter(std::move(dialog));
  prompter_ = landscape;
  Chain();
  Print();
  ASSERT_EQ(printed_.size(), 2u);
  const QSize& sheet = landscape->Page;
  ASSERT_GT(sheet.width(), sheet.height());
  EXPECT_TRUE(QRect(0, 800, sheet.width(), sheet.height() / 2 - 800).contains(printed_[0].Place));
  EXPECT_TRUE(
      QRect(0, sheet.height() / 2, sheet.width(), sheet.height() - sheet.height() / 2).contains(printed_[1].Place));
  EXPECT_EQ(printed_[0].Place, PictureRect(sheet, window_size_, PrintPosition::kUpper));
  EXPECT_EQ(printed_[1].Place, PictureRect(sheet, window_size_, PrintPosition::kLower));
  ExpectPdfShowing(true, true);
}

// Under a dark desktop theme the page still shows the light windows on
// white paper; a changed table's caption carries the mark as the screen does.
class DarkThemePrinting : public Printing {
 protected:
  void SetUp() override {
    QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Base, QColor(0x10, 0x10, 0x10));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::WindowText, Qt::white);
    QApplication::setPalette(dark);
    Printing::SetUp();
  }
  void TearDown() override {
    Printing::TearDown();
    QApplication::setPalette(QPalette());
  }
};

TEST_F(DarkThemePrinting, ThePageIsLightAndTheCaptionsReadAsOnTheScreen) {
  TheSession->LoadIsoCp273.Both->trigger();
  TheSession->CommitPair(TableKind::kExport, 0x41, 0xC1);
  Print();
  ASSERT_EQ(printed_.size(), 2u);
  const QString text = PdfText(pdf_);
  EXPECT_TRUE(text.contains("QAVO CodeTab EXPORT [Courier New] *")) << text.toStdString();
  EXPECT_TRUE(text.contains("QAVO CodeTab IMPORT [Courier New] *")) << text.toStdString();
  EXPECT_FALSE(text.contains("[*]")) << text.toStdString();
  const QImage image = PdfPage(pdf_, 40);
  ASSERT_FALSE(image.isNull());
  const double scale = double(image.width()) / page_.width();
  for (const PrintedPicture& picture : printed_) {
    const QRect area(picture.Place.topLeft() * scale, picture.Place.size() * scale);
    long long lightness = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) lightness += image.pixelColor(x, y).lightness();
    EXPECT_GT(lightness / (area.width() * area.height()), 200) << picture;
  }
}

}  // namespace
