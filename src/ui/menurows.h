// A main menu that wraps its titles onto as many rows as the window's width
// needs, as a narrow window's menu bar does on the desktop the program
// comes from. actions() lists the title of every menu in order.
#pragma once

#include <QWidget>

class QMenu;
class QMenuBar;
class QVBoxLayout;

class MenuRows : public QWidget {
  Q_OBJECT

 public:
  MenuRows(int width, QWidget* parent);

  QMenu* AddMenu(const QString& title);
  // Distributes the menus onto rows, once, after the last AddMenu.
  void Arrange();

 private:
  QMenuBar* NewRow();

  int width_;
  QVBoxLayout* layout_;
};
