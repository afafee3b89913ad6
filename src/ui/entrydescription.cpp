#include "ui/entrydescription.h"

#include <QStringList>

#include "app/session.h"
#include "platform/charactername.h"

namespace {

// "A  LATIN CAPITAL LETTER A"; a control character has no glyph to show.
QString CharacterLine(int byte, ByteCharset charset) {
  const char16_t unicode = UnicodeOf(static_cast<uint8_t>(byte), charset);
  const QString name = CharacterName(unicode);
  if (QChar(unicode).category() == QChar::Other_Control) return name;
  return QString(QChar(unicode)) + "  " + name;
}

QString State(const CodeTable& table, int position) {
  const int target = table.Target(position);
  switch (table.State(position)) {
    case EntryState::kUnassigned:
      return QStringLiteral("nicht zugeordnet");
    case EntryState::kAmbiguous: {
      QStringList others;
      for (int p = 0; p < 256; ++p)
        if (p != position && table.Target(p) == target) others << HexText(p);
      return QStringLiteral("mehrdeutig (auch ") + others.join(", ") + ")";
    }
    case EntryState::kProven:
      return QString::fromUtf8("bestätigt");
    case EntryState::kUnique:
      break;
  }
  return QStringLiteral("eindeutig");
}

}  // namespace

QString DescribeEntry(const CodeTable& table, int position, ByteCharset charset) {
  const int p = position & 0xFF;
  const int target = table.Target(p);
  // The workstation side of an EXPORT entry is its position, of an IMPORT
  // entry its target.
  const int workstation = table.Kind() == TableKind::kImport ? target : p;
  QStringList lines;
  lines << QStringLiteral("Position %1 (%2)").arg(HexText(p)).arg(p);
  if (workstation != -1) lines << QStringLiteral("Zeichen: ") + CharacterLine(workstation, charset);
  lines << QStringLiteral("Ziel: ") + (target == -1 ? QStringLiteral("--") : HexText(target));
  lines << State(table, p);
  return lines.join('\n');
}
