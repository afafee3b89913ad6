#include "ui/menurows.h"

#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

MenuRows::MenuRows(int width, QWidget* parent) : QWidget(parent), width_(width) {
  layout_ = new QVBoxLayout(this);
  layout_->setContentsMargins(0, 0, 0, 0);
  layout_->setSpacing(0);
  setFixedWidth(width);
}

QMenu* MenuRows::AddMenu(const QString& title) {
  auto* menu = new QMenu(title, this);
  addAction(menu->menuAction());
  return menu;
}

QMenuBar* MenuRows::NewRow() {
  auto* row = new QMenuBar(this);
  row->setNativeMenuBar(false);
  layout_->addWidget(row);
  return row;
}

void MenuRows::Arrange() {
  QMenuBar* row = NewRow();
  for (QAction* title : actions()) {
    row->addAction(title);
    if (row->sizeHint().width() > width_ && row->actions().size() > 1) {
      row->removeAction(title);
      row = NewRow();
      row->addAction(title);
    }
  }
}
