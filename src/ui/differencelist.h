// The list window of a comparison: every position where a table differs
// from another mapping, with both targets, or where the pair differs from a
// code page as iconv and ICU build it. Choosing a row reports its entry.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "files/compare.h"
#include "files/pagecomparison.h"
#include "platform/codepage.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QModelIndex;
class CodeTable;
struct DisplayFont;

class DifferenceList : public QWidget {
  Q_OBJECT

 public:
  explicit DifferenceList(QWidget* parent = nullptr);

  QLabel* Summary;
  QTreeWidget* Rows;

  // Fills the list: word names the table ("EXPORT"), otherName the mapping
  // it was compared with. Characters are shown in font through charset, as
  // the grid shows them.
  void ShowDifferences(const CodeTable& table, const QString& word, const QString& other_name,
                       const std::vector<Difference>& differences, const DisplayFont* font, ByteCharset charset);
  // Fills the list with the pair's entries and both libraries' per line.
  void ShowPageComparison(const PageComparison& comparison);

 signals:
  // The user chose a row (click, Enter).
  void EntryChosen(TableKind kind, int position);
  // The user closed or hid the window.
  void Hidden();

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Choose(const QModelIndex& index);
  void ShowRows(const QList<QTreeWidgetItem*>& rows);
};
