// The table grid: one table as 17 x 17 cells with labels, state colours,
// the current-entry mark and the active border.
#pragma once

#include <QFrame>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/displayfont.h"
#include "ui/celltextpainter.h"
#include "ui/gridmath.h"
#include "ui/textfit.h"

class QKeyEvent;
class QPainter;
class QRect;
class CodeTable;
class Session;
class BorderPanel;
class GridList;

class TableGrid : public QFrame {
  Q_OBJECT

 public:
  explicit TableGrid(Session& session, QWidget* parent = nullptr);

  QWidget* Border;
  QWidget* CellPanel;
  QWidget* Cells;  // the owner-drawn grid list

  GridMapping ItemMapper = MapColumnsHigh;
  // Called with an entry number when an entry cell is chosen (click, or
  // Enter on the current entry, -1 when there is none).
  std::function<void(int)> OnSelectEntry;
  // Called with the entry an arrow key steps to.
  std::function<void(int)> OnStepEntry;
  // Escape: the user leaves the grid.
  std::function<void()> OnLeave;

  void SetTable(const CodeTable* table);
  const CodeTable* Table() const;
  void Refresh();
  void UpdateBorder();
  // The display font the grid draws with (a copy).
  void SetListFont(const DisplayFont& font);
  // Cells, labels and font at percent of their designed size.
  void SetZoom(int percent);
  int RowHeight() const;
  // Empties the list (no table).
  void ClearList();

  // What the grid shows as of the last refresh.
  int ItemCount() const;
  int ItemIndex() const;  // the selected item, -1 = none
  int CurrentEntry() const;
  GridColors CachedColors() const;
  int32_t BorderColor() const;

  // The font and baseline the cells are drawn with: the display font,
  // smaller where it would not fit a cell whole.
  const TextFit& CellFit() const;

  // Handlers of the list.
  void CellsDrawItem(QPainter& painter, int item, const QRect& rect);
  void CellsDblClick();
  void CellsKeyDown(const QKeyEvent& key);
  // The tooltip of an item: the entry in words; none on the labels.
  void ShowEntryTooltip(int item, const QPoint& at);

 private:
  void Step(int position);
  QFont ZoomedFont() const;

  Session& session_;
  BorderPanel* border_;
  GridList* list_;
  const CodeTable* table_ = nullptr;
  GridColors cached_ = DefaultGridColors;
  int currentEntry_ = -1;
  DisplayFont listFont_;
  CellTextPainter cellText_;
  mutable TextFit cellFit_;
  mutable QSize fittedCell_;
  mutable bool fitted_ = false;
  int zoom_ = 100;
};
