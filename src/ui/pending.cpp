// Temporary empty bodies for views whose implementation is under way.
// Each group is removed as its real implementation lands.
#include "ui/frmunit1.h"

// entry editor
TFrame1::TFrame1(QWidget* parent) : QFrame(parent) {}
void TFrame1::SetRole(bool) {}
void TFrame1::SetTable(TCodeTab*) {}
void TFrame1::SetActive(bool) {}
void TFrame1::SetActiveColor(int32_t) {}
void TFrame1::SetPartnerFrame(TFrame1*) {}
void TFrame1::RandEnter(QObject*) {}
void TFrame1::RandExit() {}
void TFrame1::ClearSelection() {}
void TFrame1::SelectSource(int) {}
void TFrame1::MoveTo(int) {}
void TFrame1::Repaint() {}
void TFrame1::Update() {}
int TFrame1::AssignFromHex(const QString&, const QString&) { return -1; }
void TFrame1::RemoveAssignment(const QString&) {}
int32_t TFrame1::EntryColor(int) const { return -1; }
bool TFrame1::IsActive() const { return false; }
int TFrame1::HexValue(const QString&) { return -1; }
QString TFrame1::HexToChar(const QString&) const { return QString(); }
void TFrame1::SetDisplayFont(const TFont&) {}
