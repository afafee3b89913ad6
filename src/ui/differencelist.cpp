#include "ui/differencelist.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/session.h"
#include "model/codetable.h"
#include "platform/codepage.h"
#include "platform/displayfont.h"

namespace {

enum Column { PositionColumn, CharColumn, ThisColumn, OtherColumn };

QString Hex(int code) { return code == -1 ? QStringLiteral("--") : HexText(code); }

// The character the grid shows in the cell: the source for an EXPORT
// table, the target for an IMPORT table.
QString CellChar(const CodeTable& table, int position, bool oem) {
  const QString cell = DisplayCell(table.Cell(position), oem);
  return cell.startsWith(' ') ? cell.mid(1, 1) : cell.left(2);
}

}  // namespace

DifferenceList::DifferenceList(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("DifferenceList");
  setFont(DisplayFont("MS Sans Serif", -11).ToQFont());
  LblSummary = new QLabel(this);
  LblSummary->setObjectName("Summary");
  ListDiff = new QTreeWidget(this);
  ListDiff->setObjectName("Differences");
  ListDiff->setRootIsDecorated(false);
  ListDiff->setUniformRowHeights(true);
  ListDiff->setAllColumnsShowFocus(true);
  ListDiff->setColumnCount(4);
  ListDiff->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ListDiff->header()->setSectionResizeMode(QHeaderView::Stretch);
  ListDiff->header()->setDefaultAlignment(Qt::AlignCenter);
  connect(ListDiff, &QTreeWidget::clicked, this, &DifferenceList::Choose);
  connect(ListDiff, &QTreeWidget::activated, this, &DifferenceList::Choose);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(LblSummary);
  layout->addWidget(ListDiff);
  resize(340, 320);
}

void DifferenceList::ShowDifferences(const CodeTable& table, const QString& word, const QString& otherName,
                                     const std::vector<Difference>& differences, const DisplayFont* font, bool oem) {
  setWindowTitle(QStringLiteral("Unterschiede ") + word + QStringLiteral(" - ") + otherName);
  LblSummary->setText(word + QStringLiteral("-Tabelle verglichen mit ") + otherName + QStringLiteral(": ") +
                      (differences.size() == 1 ? QStringLiteral("1 Unterschied")
                                               : QStringLiteral("%1 Unterschiede").arg(differences.size())));
  ListDiff->setHeaderLabels({QStringLiteral("Position"), QStringLiteral("Zeichen"), word, otherName});
  ListDiff->clear();
  QList<QTreeWidgetItem*> rows;
  for (const Difference& difference : differences) {
    auto* row = new QTreeWidgetItem({Hex(difference.Position), CellChar(table, difference.Position, oem),
                                     Hex(difference.ThisTarget), Hex(difference.OtherTarget)});
    row->setData(PositionColumn, Qt::UserRole, difference.Position);
    if (font) row->setFont(CharColumn, font->ToQFont());
    for (int column = PositionColumn; column <= OtherColumn; ++column) row->setTextAlignment(column, Qt::AlignCenter);
    rows << row;
  }
  ListDiff->addTopLevelItems(rows);
  if (!rows.isEmpty()) ListDiff->setCurrentItem(rows.first());
}

void DifferenceList::Choose(const QModelIndex& index) {
  if (!index.isValid() || !OnChoose) return;
  OnChoose(index.sibling(index.row(), PositionColumn).data(Qt::UserRole).toInt());
  // Choosing brings the entry editor to the front; the keys stay here, so
  // the arrows go on walking the differences.
  if (!isVisible()) return;
  activateWindow();
  ListDiff->setFocus(Qt::OtherFocusReason);
}
