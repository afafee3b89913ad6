// The display font and the state colours shared by all views.
#include <QApplication>

#include "app/dm1unit.h"
#include "platform/colors.h"
#include "ui/frmunit2.h"
#include "ui/listform.h"
#include "ui/teunit1.h"

namespace {

constexpr int TallestHeight = -12;

void RefreshViews() {
  if (Qctecp) Qctecp->RefreshViews();
}

// The colour dialog loaded with a session colour; a system colour shows as
// its present RGB value. False when the user cancels.
bool AskColor(TPrompter& prompter, int32_t& color) {
  QColor chosen = ResolveColor(color, QApplication::palette());
  if (!prompter.ChooseColor(chosen)) return false;
  color = ColorFromQColor(chosen);
  return true;
}

}  // namespace

void TDM1::ApplyFont(TFont* font) {
  if (!font) return;
  OemFont = font->Name == "Terminal";
  if (OemFont && Qctecp) {
    font = &Qctecp->LblOem->SampleFont;
  } else if (!OemFont && font->Height < TallestHeight) {
    // Cut on the font object itself, so the font dialog offers the cut
    // size next time.
    font->Height = TallestHeight;
  }
  DisplayFont = font;
  if (ExportTable) SetTableFont(*ExportTable, font);
  if (ImportTable) SetTableFont(*ImportTable, font);
  if (ImportWindow) ImportWindow->FrmListBox1->SetListFont(*font);
  if (ExportWindow) ExportWindow->FrmListBox1->SetListFont(*font);
  RefreshViews();
}

void TDM1::FontCourierNewExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblCurier->SampleFont);
}

void TDM1::FontFixedSysExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblFixedSys->SampleFont);
}

void TDM1::FontSansSerifExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblSanSerif->SampleFont);
}

void TDM1::FontTerminalExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblOem->SampleFont);
}

void TDM1::FontSetzenExecute() {
  if (DisplayFont) FontDialog1 = *DisplayFont;
  if (Prompter().ChooseFont(FontDialog1)) ApplyFont(&FontDialog1);
}

void TDM1::SetChainedColor(int32_t color) {
  ChainedColor = color;
  RefreshViews();
}

void TDM1::SetActiveColor(int32_t color) {
  if (color == NoColor) return;
  ActiveColor = color;
  if (ExportTable) ExportTable->ActiveColor = color;
  if (ImportTable) ImportTable->ActiveColor = color;
}

void TDM1::SetAmbiguousColor(int32_t color) {
  if (color == NoColor) return;
  AmbiguousColor = color;
  if (ExportTable) ExportTable->AmbiguousColor = color;
  if (ImportTable) ImportTable->AmbiguousColor = color;
  RefreshViews();
}

void TDM1::SetProofColor(int32_t color) {
  if (color == NoColor) return;
  ProofColor = color;
  if (ExportTable) ExportTable->ProofColor = color;
  if (ImportTable) ImportTable->ProofColor = color;
}

void TDM1::ColorChainedActionExecute() {
  int32_t color = ChainedColor;
  if (!AskColor(Prompter(), color)) return;
  SetChainedColor(color);
  RefreshViews();
}

void TDM1::ColorActiveActionExecute() {
  int32_t color = ActiveColor;
  if (!AskColor(Prompter(), color)) return;
  SetActiveColor(color);
  RefreshViews();
}

void TDM1::ColorProofActionExecute() {
  int32_t color = ProofColor;
  if (!AskColor(Prompter(), color)) return;
  SetProofColor(color);
  RefreshViews();
}

void TDM1::ColorAmbiguousActionExecute() {
  int32_t color = AmbiguousColor;
  if (!AskColor(Prompter(), color)) return;
  SetAmbiguousColor(color);
  RefreshViews();
}
