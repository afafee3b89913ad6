// The table grid: one table as 17 x 17 cells with labels, state colours,
// the current-entry mark and the active border.
#pragma once

#include <QFrame>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "platform/fontobj.h"
#include "ui/gridmath.h"

class TCodeTab;

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
};
