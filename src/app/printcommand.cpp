// Printing: the table windows as pictures on one page.
#include <QApplication>
#include <QPainter>
#include <QPrinter>

#include "app/session.h"
#include "platform/printing.h"

namespace {

// One print document of one page; the first picture begins it.
class PrintDocument {
 public:
  PrintDocument(Session& session, QPrinter& printer) : session_(session), printer_(printer) {}
  ~PrintDocument() {
    if (painter_.isActive()) painter_.end();
  }

  // False when the printer refuses the document; the user has been told.
  bool PrintWindow(QWidget& window, PrintPosition position) {
    const QImage picture = CaptureWindow(window);
    if (!painter_.isActive() && !painter_.begin(&printer_)) {
      session_.Prompt().Message(QString::fromUtf8("Der Druck konnte nicht begonnen werden."));
      return false;
    }
    const QRect place = PictureRect(QSize(printer_.width(), printer_.height()), picture.size(), position);
    DrawPicture(painter_, picture, place);
    if (session_.PicturePrinted) session_.PicturePrinted(window, place);
    return true;
  }

 private:
  Session& session_;
  QPrinter& printer_;
  QPainter painter_;
};

}  // namespace

void Session::PrintExecute() {
  QPrinter printer(QPrinter::HighResolution);
  if (!Prompt().ChoosePrinter(printer)) return;
  PrintDocument document(*this, printer);
  const bool chained = ExportTable->Partner;
  if (exportWindow_ && (ExportTable->Active || chained)) {
    if (document.PrintWindow(*exportWindow_, PrintPosition::Upper) && chained && importWindow_)
      document.PrintWindow(*importWindow_, PrintPosition::Lower);
    return;
  }
  // The IMPORT window also prints while its table is the one being edited,
  // not only while the window itself is active.
  if (importWindow_ && (ImportTable->Active || QApplication::activeWindow() == importWindow_))
    document.PrintWindow(*importWindow_, PrintPosition::Lower);
}
