#include "main/editor.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/session.h"
#include "fileio/signalcleanup.h"
#include "platform/lazyimagestyle.h"
#include "ui/controlwindow.h"

int RunEditor(int argc, char** argv) {
  RemoveTemporaryFileOnSignals();
  QApplication app(argc, argv);
  QApplication::setStyle(new LazyImageStyle);
  QApplication::setApplicationName("QAVO Code Table Editor");
  // Qt's own dialogs speak German like the rest of the program.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&translator);

  Session session;
  ControlWindow control(session);
  control.show();
  // qcte FILE [FILE]: each file loads as "&automatische Erkennung" loads it.
  // The arguments as the system spells them: a name need not be UTF-8.
  session.OpenFiles(std::vector<std::string>(argv + 1, argv + argc));
  return QApplication::exec();
}
