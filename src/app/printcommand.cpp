// Printing: the table windows, each drawn from its own rendering with its
// frame, on one page.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "app/session.h"
#include "fileio/outputfile.h"
#include "platform/printing.h"

namespace {

// One print document of one page; the first picture begins it.
class PrintDocument {
 public:
  PrintDocument(Session& session, QPrinter& printer) : session_(session), printer_(printer) {}
  // A begun page ends with the time of printing at its foot.
  ~PrintDocument() {
    if (!painter_.isActive()) return;
    DrawPrintTime(painter_, Page(), QDateTime::currentDateTime());
    painter_.end();
  }

  // False when the printer refuses the document; the user has been told.
  bool PrintWindow(QWidget& window, PrintPosition position) {
    if (!painter_.isActive() && !painter_.begin(&printer_)) {
      session_.Prompt().Message(QString::fromUtf8("Der Druck konnte nicht begonnen werden."));
      return false;
    }
    const QRect place = PictureRect(Page(), FramedSize(window), position);
    DrawFramedWindow(painter_, window, place);
    if (session_.PicturePrinted) session_.PicturePrinted(window, place);
    return true;
  }

 private:
  QSize Page() const { return QSize(printer_.width(), printer_.height()); }

  Session& session_;
  QPrinter& printer_;
  QPainter painter_;
};

// A print file must be a regular file or a new one: opening a pipe would
// wait for a reader for ever, a device might never take the document.
bool PrintFileRefused(Prompter& prompter, const QPrinter& printer) {
  const QString fileName = printer.outputFileName();
  std::string target, reason;
  if (fileName.isEmpty() || ResolveOutputTarget(QFile::encodeName(fileName).toStdString(), target, reason))
    return false;
  prompter.Message(QStringLiteral("Datei: ") + fileName + QStringLiteral("\nkonnte nicht geschrieben werden (") +
                   QString::fromStdString(reason) + QStringLiteral(")!\nDer Druck wurde nicht ausgeführt."));
  return true;
}

}  // namespace

void Session::PrintExecute() {
  QPrinter printer(QPrinter::HighResolution);
  if (!Prompt().ChoosePrinter(printer) || PrintFileRefused(Prompt(), printer)) return;
  PrintDocument document(*this, printer);
  const bool chained = ExportTable->Partner();
  if (exportWindow_ && (ExportTable->IsActive() || chained)) {
    if (document.PrintWindow(*exportWindow_, PrintPosition::Upper) && chained && importWindow_)
      document.PrintWindow(*importWindow_, PrintPosition::Lower);
    return;
  }
  // The IMPORT window also prints while its table is the one being edited,
  // not only while the window itself is active.
  if (importWindow_ && (ImportTable->IsActive() || QApplication::activeWindow() == importWindow_))
    document.PrintWindow(*importWindow_, PrintPosition::Lower);
}
