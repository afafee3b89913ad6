#include "ui/listform.h"

#include <QVBoxLayout>

#include "app/dm1unit.h"
#include "model/codetab.h"
#include "platform/fontobj.h"
#include "ui/frmunit2.h"

TListBoxForm::TListBoxForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("ListBoxForm");
  setFont(TFont("MS Sans Serif", -11).ToQFont());
  FrmListBox1 = new TFrmListBox(this);
  FrmListBox1->setFixedSize(800, 294);
  // The window keeps exactly the grid's size: 17 rows of 16 pixels must fit.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(FrmListBox1);
  SetTable(nullptr);
}

void TListBoxForm::SetTable(TCodeTab* table) {
  FrmListBox1->SetTable(table);
  if (!table) {
    FrmListBox1->ClearList();
    setWindowTitle("QAVO CodeTable");
    return;
  }
  if (table->Font) FrmListBox1->SetListFont(*table->Font);
  setWindowTitle(HeaderText(*table));
}

void TListBoxForm::Update() {
  TCodeTab* table = FrmListBox1->Table();
  if (!table) {
    FrmListBox1->ClearList();
    return;
  }
  if (table->Font) FrmListBox1->SetListFont(*table->Font);
  const QString caption = HeaderText(*table);
  if (windowTitle() != caption) setWindowTitle(caption);
  FrmListBox1->Update();
}

void TListBoxForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Update();
}
