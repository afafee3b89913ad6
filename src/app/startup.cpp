#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/session.h"
#include "ui/controlwindow.h"

int RunEditor(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("QAVO Code Table Editor");
  // Qt's own dialogs speak German like the rest of the program.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&translator);

  DM1 = new Session(&app);
  Qctecp = new ControlWindow();
  Qctecp->FormCreate();
  Qctecp->show();
  const int result = QApplication::exec();
  delete Qctecp;
  return result;
}
