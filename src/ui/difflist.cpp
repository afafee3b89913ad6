#include "ui/difflist.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "model/codetab.h"
#include "platform/codepage.h"
#include "platform/fontobj.h"

namespace {

enum Column { PositionColumn, CharColumn, ThisColumn, OtherColumn };

QString Hex(int code) {
  if (code == -1) return QStringLiteral("--");
  return QStringLiteral("%1").arg(code & 0xFF, 2, 16, QChar('0')).toUpper();
}

// The character the grid shows in the cell: the source for an EXPORT
// table, the target for an IMPORT table.
QString CellChar(const TCodeTab& table, int position, bool oem) {
  const QString cell = DisplayCell(table.CellText[position], oem);
  return cell.startsWith(' ') ? cell.mid(1, 1) : cell.left(2);
}

}  // namespace

TDiffList::TDiffList(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("DiffList");
  setFont(TFont("MS Sans Serif", -11).ToQFont());
  LblSummary = new QLabel(this);
  LblSummary->setObjectName("LblSummary");
  ListDiff = new QTreeWidget(this);
  ListDiff->setObjectName("ListDiff");
  ListDiff->setRootIsDecorated(false);
  ListDiff->setUniformRowHeights(true);
  ListDiff->setAllColumnsShowFocus(true);
  ListDiff->setColumnCount(4);
  ListDiff->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListDiff->header()->setSectionResizeMode(QHeaderView::Stretch);
  ListDiff->header()->setDefaultAlignment(Qt::AlignCenter);
  connect(ListDiff, &QTreeWidget::clicked, this, &TDiffList::Choose);
  connect(ListDiff, &QTreeWidget::activated, this, &TDiffList::Choose);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(LblSummary);
  layout->addWidget(ListDiff);
  resize(340, 320);
}

void TDiffList::ShowDifferences(const TCodeTab& table, const QString& word, const QString& otherName,
                                const std::vector<TDifference>& differences, const TFont* font, bool oem) {
  setWindowTitle(QStringLiteral("Unterschiede ") + word + QStringLiteral(" - ") + otherName);
  LblSummary->setText(word + QStringLiteral("-Tabelle verglichen mit ") + otherName + QStringLiteral(": ") +
                      (differences.size() == 1 ? QStringLiteral("1 Unterschied")
                                               : QStringLiteral("%1 Unterschiede").arg(differences.size())));
  ListDiff->setHeaderLabels({QStringLiteral("Position"), QStringLiteral("Zeichen"), word, otherName});
  ListDiff->clear();
  QList<QTreeWidgetItem*> rows;
  for (const TDifference& difference : differences) {
    auto* row = new QTreeWidgetItem(
        {Hex(difference.Position), CellChar(table, difference.Position, oem), Hex(difference.ThisTarget),
         Hex(difference.OtherTarget)});
    row->setData(PositionColumn, Qt::UserRole, difference.Position);
    if (font) row->setFont(CharColumn, font->ToQFont());
    for (int column = PositionColumn; column <= OtherColumn; ++column)
      row->setTextAlignment(column, Qt::AlignCenter);
    rows << row;
  }
  ListDiff->addTopLevelItems(rows);
  if (!rows.isEmpty()) ListDiff->setCurrentItem(rows.first());
}

void TDiffList::Choose(const QModelIndex& index) {
  if (!index.isValid() || !OnChoose) return;
  OnChoose(index.sibling(index.row(), PositionColumn).data(Qt::UserRole).toInt());
}
