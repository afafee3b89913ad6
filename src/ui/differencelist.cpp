#include "ui/differencelist.h"

#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/session.h"
#include "model/codetable.h"
#include "platform/codepage.h"
#include "platform/displayfont.h"

namespace {

enum Column { kPositionColumn, kCharColumn, kThisColumn, kOtherColumn };
// The entry a row stands for: its position is in the first column.
constexpr int kKindRole = Qt::UserRole + 1;

QString Hex(int code) { return code == -1 ? QStringLiteral("--") : HexText(code); }

// The character the grid shows in the cell: the source for an EXPORT
// table, the target for an IMPORT table.
QString CellChar(const CodeTable& table, int position, ByteCharset charset) {
  const QString cell = DisplayCell(table.Cell(position), charset);
  return cell.startsWith(' ') ? cell.mid(1, 1) : cell.left(2);
}

}  // namespace

DifferenceList::DifferenceList(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("DifferenceList");
  setFont(DisplayFont("MS Sans Serif", -11).ToQFont());
  Summary = new QLabel(this);
  Summary->setObjectName("Summary");
  Rows = new QTreeWidget(this);
  Rows->setObjectName("Differences");
  Rows->setRootIsDecorated(false);
  Rows->setUniformRowHeights(true);
  Rows->setAllColumnsShowFocus(true);
  Rows->setColumnCount(4);
  Rows->header()->setDefaultAlignment(Qt::AlignCenter);
  connect(Rows, &QTreeWidget::clicked, this, &DifferenceList::Choose);
  connect(Rows, &QTreeWidget::activated, this, &DifferenceList::Choose);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(Summary);
  layout->addWidget(Rows);
  resize(340, 320);
}

void DifferenceList::ShowDifferences(const CodeTable& table, const QString& word, const QString& other_name,
                                     const std::vector<Difference>& differences, const DisplayFont* font,
                                     ByteCharset charset) {
  setWindowTitle(QStringLiteral("Unterschiede ") + word + QStringLiteral(" - ") + other_name);
  Summary->setText(word + QStringLiteral("-Tabelle verglichen mit ") + other_name + QStringLiteral(": ") +
                   (differences.size() == 1 ? QStringLiteral("1 Unterschied")
                                            : QStringLiteral("%1 Unterschiede").arg(differences.size())));
  Rows->setColumnCount(4);
  Rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Rows->header()->setSectionResizeMode(QHeaderView::Stretch);
  Rows->setHeaderLabels({QStringLiteral("Position"), QStringLiteral("Zeichen"), word, other_name});
  Rows->clear();
  QList<QTreeWidgetItem*> rows;
  for (const Difference& difference : differences) {
    auto* row = new QTreeWidgetItem({Hex(difference.Position), CellChar(table, difference.Position, charset),
                                     Hex(difference.ThisTarget), Hex(difference.OtherTarget)});
    row->setData(kPositionColumn, Qt::UserRole, difference.Position);
    row->setData(kPositionColumn, kKindRole, static_cast<int>(table.Kind()));
    if (font) row->setFont(kCharColumn, font->ToQFont());
    for (int column = kPositionColumn; column <= kOtherColumn; ++column) row->setTextAlignment(column, Qt::AlignCenter);
    rows << row;
  }
  ShowRows(rows);
}

void DifferenceList::ShowPageComparison(const PageComparison& comparison) {
  const QString page = QStringLiteral("CP %1").arg(comparison.CodePage);
  setWindowTitle(QStringLiteral("Unterschiede Paar - ") + page);
  Summary->setText(QString::fromStdString(ComparisonHeading(comparison)) + "\n" +
                   QString::fromStdString(ComparisonSummary(comparison)));
  Rows->setColumnCount(5);
  // Unicode names are long: each column as wide as its texts.
  Rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Rows->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Rows->setHeaderLabels({QStringLiteral("Tabelle"), QStringLiteral("Position"), QStringLiteral("Paar"),
                         QStringLiteral("iconv"), QStringLiteral("ICU")});
  Rows->clear();
  QList<QTreeWidgetItem*> rows;
  for (const PageDifference& difference : comparison.Differences) {
    const auto target = [&](int code) { return QString::fromStdString(TargetText(comparison, difference.Kind, code)); };
    // A library that lacks the page has no entry.
    const auto library = [&](const std::string& name, int code) {
      return name.empty() ? QStringLiteral("fehlt") : target(code);
    };
    auto* row = new QTreeWidgetItem({QString::fromLatin1(TableName(difference.Kind)),
                                     QString::fromStdString(PositionText(comparison, difference)),
                                     target(difference.Pair), library(comparison.IconvName, difference.Iconv),
                                     library(comparison.IcuName, difference.Icu)});
    row->setData(kPositionColumn, Qt::UserRole, difference.Position);
    row->setData(kPositionColumn, kKindRole, static_cast<int>(difference.Kind));
    rows << row;
  }
  ShowRows(rows);
  resize(qMax(width(), 900), height());
}

void DifferenceList::ShowRows(const QList<QTreeWidgetItem*>& rows) {
  Rows->addTopLevelItems(rows);
  if (!rows.isEmpty()) Rows->setCurrentItem(rows.first());
}

void DifferenceList::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!event->spontaneous()) emit Hidden();
}

void DifferenceList::Choose(const QModelIndex& index) {
  if (!index.isValid()) return;
  const QModelIndex entry = index.sibling(index.row(), kPositionColumn);
  emit EntryChosen(static_cast<TableKind>(entry.data(kKindRole).toInt()), entry.data(Qt::UserRole).toInt());
  // Choosing brings the entry editor to the front; the keys stay here, so
  // the arrows go on walking the differences.
  if (!isVisible()) return;
  activateWindow();
  Rows->setFocus(Qt::OtherFocusReason);
}
