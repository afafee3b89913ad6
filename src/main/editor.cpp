#include "main/editor.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "app/session.h"
#include "fileio/signalcleanup.h"
#include "main/commandline.h"
#include "platform/lazyimagestyle.h"
#include "ui/controlwindow.h"

int RunEditor(int argc, char** argv) {
  // Answered before any window: --help works without a display.
  int exit_code = 0;
  if (AnswerCommandLine(argc, argv, exit_code)) return exit_code;
  RemoveTemporaryFileOnSignals();
  QApplication app(argc, argv);
  QApplication::setStyle(new LazyImageStyle);
  QApplication::setApplicationName("QAVO Code Table Editor");
  // Matches the windows to the launcher's entry.
  QGuiApplication::setDesktopFileName("qavo-cte");
  // Qt's own dialogs speak German like the rest of the program.
  QTranslator translator;
  if (translator.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&translator);

  Session session;
  ControlWindow control(session);
  control.show();
  // qcte FILE [FILE]: each file loads as "&automatische Erkennung" loads it;
  // the arguments as the system spells them, since a name need not be UTF-8.
  session.OpenFiles(FileArguments(argc, argv));
  return QApplication::exec();
}
