// A table window: a small tool window that hosts one table grid.
#pragma once

#include <QWidget>

class TCodeTab;
class TFrmListBox;

class TListBoxForm : public QWidget {
  Q_OBJECT

 public:
  explicit TListBoxForm(QWidget* parent = nullptr);

  TFrmListBox* FrmListBox1;

  void SetTable(TCodeTab* table);
  void Update();

 protected:
  void showEvent(QShowEvent* event) override;
};
