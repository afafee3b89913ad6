#include "platform/helpviewer.h"

#include <QApplication>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>

const char* HelpAddress(int context) {
  switch (context) {
    case kHelpExportEditor:
      return "qrc:/help/index.html#topic5";
    case kHelpImportEditor:
      return "qrc:/help/index.html#topic6";
    case kHelpSaving:
      return "qrc:/help/index.html#topic11";
    case kHelpEditing:
      return "qrc:/help/index.html#topic12";
    default:
      return "qrc:/help/index.html";
  }
}

void ShowHelp(int context) {
  static QPointer<QTextBrowser> viewer;
  if (!viewer) {
    viewer = new QTextBrowser();
    viewer->setObjectName("HelpViewer");
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setOpenExternalLinks(false);
    viewer->resize(640, 560);
    // Escape closes the help as it closes a dialog.
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), viewer), &QShortcut::activated, viewer,
                     &QWidget::close);
  }
  viewer->setWindowTitle(QString::fromUtf8("QAVO Code Table Editor – Hilfe"));
  viewer->setSource(QUrl(QString::fromLatin1(HelpAddress(context))));
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
}
