#include "app/droppedfile.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

DroppedFile TableFileOfDrop(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.size() > 1) return {QString(), QStringLiteral("Bitte nur eine Tabellendatei ablegen!")};
  if (urls.isEmpty() || !urls.first().isLocalFile())
    return {QString(), QString::fromUtf8("Nur Dateien können als Tabelle geladen werden!")};
  const QString fileName = urls.first().toLocalFile();
  if (QFileInfo(fileName).isDir())
    return {QString(), QStringLiteral("Ein Ordner kann nicht als Tabelle geladen werden!")};
  return {fileName, QString()};
}
