// The table grid: one table as 17 x 17 cells with labels, state colours,
// the current-entry mark and the active border.
#pragma once

#include <QFrame>
#include <QWidget>
#include <cstdint>

#include "platform/codepage.h"
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
  void SetTable(const CodeTable* table);
  void Refresh();
  // The display font the grid draws with (a copy).
  void SetListFont(const DisplayFont& font);
  // Cells, labels and font at percent of their designed size.
  void SetZoom(int percent);
  int RowHeight() const;

  // The font and baseline the cells are drawn with: the display font,
  // smaller where it would not fit a cell whole.
  const TextFit& CellFit() const;

  // Handlers of the list.
  void CellsDrawItem(QPainter& painter, int item, const QRect& rect);
  // A press on a cell: an entry cell is chosen, any other beeps.
  void CellPressed();
  void CellsKeyDown(const QKeyEvent& key);
  // The tooltip of an item: the entry in words; none on the labels.
  void ShowEntryTooltip(int item, const QPoint& at);

 signals:
  // An entry cell was chosen; its table is the active one.
  void EntryChosen(int entry);
  // An arrow key stepped the current entry to this one.
  void EntryStepped(int entry);
  // Escape: the user leaves the grid.
  void LeaveRequested();

 private:
  // Empties the list (no table).
  void ClearList();
  void UpdateBorder();
  // The character set the cells show their bytes in.
  ByteCharset Charset() const;
  void Step(int position);
  QFont ZoomedFont() const;

  Session& session_;
  BorderPanel* border_;
  GridList* list_;
  const CodeTable* table_ = nullptr;
  GridColors cached_ = kDefaultGridColors;
  int current_entry_ = -1;
  DisplayFont list_font_;
  CellTextPainter cell_text_;
  mutable TextFit cell_fit_;
  mutable QSize fitted_cell_;
  mutable bool fitted_ = false;
  int zoom_ = 100;
};
