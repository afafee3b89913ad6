// A table window: a small tool window that hosts the grid of one table and
// follows the session's changes.
#pragma once

#include <QWidget>

#include "model/codetable.h"

class Session;
class TableGrid;

class TableWindow : public QWidget {
  Q_OBJECT

 public:
  TableWindow(Session& session, TableKind kind, QWidget* parent = nullptr);

  TableGrid* Grid;

  // Shows the table as it is now: caption, font and grid.
  void Refresh();
  // Takes the session's zoom: the grid and the window grow or shrink.
  void FollowZoom();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FollowSwap();

  Session& session_;
  const TableKind kind_;
};
