// Printing: the table windows, each drawn from its own rendering with its
// frame, on one page.
#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "app/session.h"
#include "fileio/outputfile.h"
#include "platform/printing.h"

namespace {

// One print document of one page; the first picture begins it.
class PrintDocument {
 public:
  PrintDocument(Session& session, QPagedPaintDevice& printer) : session_(session), printer_(printer) {}
  // A begun page ends with the time of printing at its foot.
  ~PrintDocument() {
    if (!painter_.isActive()) return;
    DrawPrintTime(painter_, Page(), QDateTime::currentDateTime());
    painter_.end();
  }

  bool Begun() const { return painter_.isActive(); }
  // False when the printer refuses the document; the user has been told.
  bool PrintWindow(QWidget& window, PrintPosition position) {
    if (!painter_.isActive() && !painter_.begin(&printer_)) {
      session_.Prompt().Message(QString::fromUtf8("Der Druck konnte nicht begonnen werden."));
      return false;
    }
    const QRect place = PictureRect(Page(), FramedSize(window), position);
    DrawFramedWindow(painter_, window, place);
    emit session_.PicturePrinted(window, place);
    return true;
  }

 private:
  QSize Page() const { return QSize(printer_.width(), printer_.height()); }

  Session& session_;
  QPagedPaintDevice& printer_;
  QPainter painter_;
};

void ReportPrintFileNotWritten(Prompter& prompter, const QString& file_name, const QString& reason) {
  prompter.Message(QStringLiteral("Datei: ") + file_name + QStringLiteral("\nkonnte nicht geschrieben werden (") +
                   reason + QStringLiteral(")!\nDer Druck wurde nicht ausgeführt."));
}

// A print file must be a regular file or a new one: opening a pipe would
// wait for a reader for ever, a device might never take the document.
bool PrintFileRefused(Prompter& prompter, const QPrinter& printer) {
  const QString file_name = printer.outputFileName();
  std::string target, reason;
  if (file_name.isEmpty() || ResolveOutputTarget(QFile::encodeName(file_name).toStdString(), target, reason))
    return false;
  ReportPrintFileNotWritten(prompter, file_name, QString::fromStdString(reason));
  return true;
}

}  // namespace

// printWindows prints the EXPORT window, with the IMPORT window below it
// while the pair is chained, else the IMPORT window alone; false when nothing
// was printed.
void Session::PrintWindows() {
  const auto print_windows = [this](PrintDocument& document) {
    const bool chained = ExportTable->Partner();
    if (export_window_ && (ExportTable->IsActive() || chained)) {
      if (document.PrintWindow(*export_window_, PrintPosition::kUpper) && chained && import_window_)
        document.PrintWindow(*import_window_, PrintPosition::kLower);
      return document.Begun();
    }
    // The IMPORT window also prints while its table is the one being edited,
    // not only while the window itself is active.
    if (import_window_ && (ImportTable->IsActive() || QApplication::activeWindow() == import_window_))
      document.PrintWindow(*import_window_, PrintPosition::kLower);
    return document.Begun();
  };
  QPrinter printer(QPrinter::HighResolution);
  if (!Prompt().ChoosePrinter(printer) || PrintFileRefused(Prompt(), printer)) return;
  const QString file_name = printer.outputFileName();
  if (file_name.isEmpty()) {
    PrintDocument document(*this, printer);
    print_windows(document);
    return;
  }
  // A print file is made in memory and then saved as a table file is, so
  // that a failed write leaves a former file of that name as it was.
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  QPdfWriter writer(&pdf);
  writer.setResolution(printer.resolution());
  writer.setPageLayout(printer.pageLayout());
  writer.setCreator(printer.creator());
  writer.setTitle(printer.docName());
  {
    PrintDocument document(*this, writer);
    if (!print_windows(document)) return;
  }
  const QByteArray& bytes = pdf.data();
  const QString reason = WriteFile(file_name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
  if (!reason.isEmpty()) ReportPrintFileNotWritten(Prompt(), file_name, reason);
}
