// A table window: a small tool window that hosts one table grid.
#pragma once

#include <QWidget>

class CodeTable;
class TableGrid;

class TableWindow : public QWidget {
  Q_OBJECT

 public:
  explicit TableWindow(QWidget* parent = nullptr);

  TableGrid* Grid;

  void SetTable(CodeTable* table);
  void Update();

 protected:
  void showEvent(QShowEvent* event) override;
};
