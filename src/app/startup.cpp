#include "app/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/dm1unit.h"
#include "ui/teunit1.h"

int RunEditor(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("QAVO Code Table Editor");
  // Qt's own dialogs speak German like the rest of the program.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&translator);

  DM1 = new TDM1(&app);
  Qctecp = new TQctecp();
  Qctecp->FormCreate();
  Qctecp->show();
  const int result = QApplication::exec();
  delete Qctecp;
  return result;
}
