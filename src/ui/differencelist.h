// The list window of a comparison: every position where a table differs
// from another mapping, with both targets. Choosing a row reports its
// position.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "files/compare.h"

class QLabel;
class QTreeWidget;
class QModelIndex;
class CodeTable;
struct DisplayFont;

class DifferenceList : public QWidget {
  Q_OBJECT

 public:
  explicit DifferenceList(QWidget* parent = nullptr);

  QLabel* LblSummary;
  QTreeWidget* ListDiff;

  // Called with the position of a row the user chooses (click, Enter).
  std::function<void(int position)> OnChoose;

  // Fills the list: word names the table ("EXPORT"), otherName the mapping
  // it was compared with. Characters are shown in font through the OEM code
  // page when oem is set, as the grid shows them.
  void ShowDifferences(const CodeTable& table, const QString& word, const QString& otherName,
                       const std::vector<Difference>& differences, const DisplayFont* font, bool oem);

 private:
  void Choose(const QModelIndex& index);
};
