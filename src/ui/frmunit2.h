// The table grid: one table as 17 x 17 cells with labels, state colours,
// the current-entry mark and the active border.
#pragma once

#include <QFrame>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/fontobj.h"
#include "ui/celltext.h"
#include "ui/gridmath.h"

class QPainter;
class QRect;
class TCodeTab;
class TBorderPanel;
class TGridList;

class TFrmListBox : public QFrame {
  Q_OBJECT

 public:
  explicit TFrmListBox(QWidget* parent = nullptr);

  QWidget* Border;
  QWidget* Panel2;
  QWidget* ListBox1;  // the owner-drawn grid list

  TItemMapper ItemMapper = MapColumnsHigh;
  // Called with an entry number when an entry cell is chosen.
  std::function<void(int)> OnSelectEntry;

  void SetTable(TCodeTab* table);
  TCodeTab* Table() const;
  void Update();
  void SetActive(bool on);
  void UpdateBorder();
  // The display font the grid draws with (a copy).
  void SetListFont(const TFont& font);
  // Empties the list (no table).
  void ClearList();

  // What the grid shows as of the last refresh.
  int ItemCount() const;
  int ItemIndex() const;  // the selected item, -1 = none
  int CurrentEntry() const;
  TGridColors CachedColors() const;
  int32_t BorderColor() const;

  // Handlers of the list.
  void ListBox1DrawItem(QPainter& painter, int item, const QRect& rect);
  void ListBox1DblClick();
  void ListBox1KeyDown();

 private:
  TBorderPanel* border_;
  TGridList* list_;
  TCodeTab* table_ = nullptr;
  TGridColors cached_ = DefaultGridColors;
  int currentEntry_ = -1;
  TFont listFont_;
  TCellText cellText_;
};
