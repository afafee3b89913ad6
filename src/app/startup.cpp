#include "app/startup.h"

#include <QApplication>

int RunEditor(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("QAVO Code Table Editor");
  return 0;
}
