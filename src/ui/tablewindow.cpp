#include "ui/tablewindow.h"

#include <QVBoxLayout>

#include "app/session.h"
#include "model/codetable.h"
#include "platform/displayfont.h"
#include "ui/tablegrid.h"

TableWindow::TableWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("ListBoxForm");
  setFont(DisplayFont("MS Sans Serif", -11).ToQFont());
  Grid = new TableGrid(this);
  Grid->setFixedSize(800, 294);
  // The window keeps exactly the grid's size: 17 rows of 16 pixels must fit.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(Grid);
  SetTable(nullptr);
}

void TableWindow::SetTable(CodeTable* table) {
  Grid->SetTable(table);
  if (!table) {
    Grid->ClearList();
    setWindowTitle("QAVO CodeTable");
    return;
  }
  if (table->Font) Grid->SetListFont(*table->Font);
  setWindowTitle(HeaderText(*table));
}

void TableWindow::Update() {
  CodeTable* table = Grid->Table();
  if (!table) {
    Grid->ClearList();
    return;
  }
  if (table->Font) Grid->SetListFont(*table->Font);
  const QString caption = HeaderText(*table);
  if (windowTitle() != caption) setWindowTitle(caption);
  Grid->Update();
}

void TableWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Update();
}
