// Temporary empty bodies for views whose implementation is under way.
// Each group is removed as its real implementation lands.
#include "ui/frmunit2.h"
#include "ui/listform.h"

// grid and table window
TFrmListBox::TFrmListBox(QWidget* parent) : QFrame(parent) {}
void TFrmListBox::SetTable(TCodeTab*) {}
TCodeTab* TFrmListBox::Table() const { return nullptr; }
void TFrmListBox::Update() {}
void TFrmListBox::SetActive(bool) {}
void TFrmListBox::UpdateBorder() {}
void TFrmListBox::SetListFont(const TFont&) {}
TListBoxForm::TListBoxForm(QWidget* parent) : QWidget(parent) {}
void TListBoxForm::SetTable(TCodeTab*) {}
void TListBoxForm::Update() {}
void TListBoxForm::showEvent(QShowEvent*) {}
