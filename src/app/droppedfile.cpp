#include "app/droppedfile.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

DroppedFile TableFileOfDrop(const QMimeData& data) {
  const QList<QUrl> urls = data.urls();
  if (urls.size() > 1) return {QString(), QStringLiteral("Bitte nur eine Tabellendatei ablegen!")};
  if (urls.isEmpty() || !urls.first().isLocalFile())
    return {QString(), QString::fromUtf8("Nur Dateien können als Tabelle geladen werden!")};
  const QString file_name = urls.first().toLocalFile();
  if (QFileInfo(file_name).isDir())
    return {QString(), QStringLiteral("Ein Ordner kann nicht als Tabelle geladen werden!")};
  return {file_name, QString()};
}
