#include "support/pdftext.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

bool Run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return false;
  if (output) *output = process.readAllStandardOutput();
  return true;
}

}  // namespace

QString PdfText(const QString& pdf) {
  QByteArray text;
  return Run("pdftotext", {"-layout", pdf, "-"}, &text) ? QString::fromUtf8(text) : QString();
}

QImage PdfPage(const QString& pdf, int dots_per_inch) {
  QTemporaryDir dir;
  const QString stem = dir.filePath("page");
  if (!Run("pdftoppm", {"-png", "-singlefile", "-f", "1", "-l", "1", "-r", QString::number(dots_per_inch), pdf, stem}))
    return QImage();
  return QImage(stem + ".png");
}
