// The display font and the state colours shared by all views.
#include <QApplication>

#include "app/session.h"
#include "platform/colors.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"
#include "ui/controlwindow.h"

namespace {

constexpr int TallestHeight = -12;

void RefreshViews() {
  if (Qctecp) Qctecp->RefreshViews();
}

// The colour dialog loaded with a session colour; a system colour shows as
// its present RGB value. False when the user cancels.
bool AskColor(Prompter& prompter, int32_t& color) {
  QColor chosen = ResolveColor(color, QApplication::palette());
  if (!prompter.ChooseColor(chosen)) return false;
  color = ColorFromQColor(chosen);
  return true;
}

}  // namespace

void Session::ApplyFont(DisplayFont* font) {
  if (!font) return;
  OemFont = font->Name == "Terminal";
  if (OemFont && Qctecp) {
    font = &Qctecp->LblOem->SampleFont;
  } else if (!OemFont && font->Height < TallestHeight) {
    // Cut on the font object itself, so the font dialog offers the cut
    // size next time.
    font->Height = TallestHeight;
  }
  CurrentFont = font;
  if (ExportTable) SetTableFont(*ExportTable, font);
  if (ImportTable) SetTableFont(*ImportTable, font);
  if (ImportWindow) ImportWindow->Grid->SetListFont(*font);
  if (ExportWindow) ExportWindow->Grid->SetListFont(*font);
  RefreshViews();
}

void Session::FontCourierNewExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblCurier->SampleFont);
}

void Session::FontFixedSysExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblFixedSys->SampleFont);
}

void Session::FontSansSerifExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblSanSerif->SampleFont);
}

void Session::FontTerminalExecute() {
  if (Qctecp) ApplyFont(&Qctecp->LblOem->SampleFont);
}

void Session::ChooseFontExecute() {
  if (CurrentFont) FontDialog = *CurrentFont;
  if (Prompt().ChooseFont(FontDialog)) ApplyFont(&FontDialog);
}

void Session::SetChainedColor(int32_t color) {
  ChainedColor = color;
  RefreshViews();
}

void Session::SetActiveColor(int32_t color) {
  if (color == NoColor) return;
  ActiveColor = color;
  if (ExportTable) ExportTable->ActiveColor = color;
  if (ImportTable) ImportTable->ActiveColor = color;
}

void Session::SetAmbiguousColor(int32_t color) {
  if (color == NoColor) return;
  AmbiguousColor = color;
  if (ExportTable) ExportTable->AmbiguousColor = color;
  if (ImportTable) ImportTable->AmbiguousColor = color;
  RefreshViews();
}

void Session::SetProofColor(int32_t color) {
  if (color == NoColor) return;
  ProofColor = color;
  if (ExportTable) ExportTable->ProofColor = color;
  if (ImportTable) ImportTable->ProofColor = color;
}

void Session::ColorChainedActionExecute() {
  int32_t color = ChainedColor;
  if (!AskColor(Prompt(), color)) return;
  SetChainedColor(color);
  RefreshViews();
}

void Session::ColorActiveActionExecute() {
  int32_t color = ActiveColor;
  if (!AskColor(Prompt(), color)) return;
  SetActiveColor(color);
  RefreshViews();
}

void Session::ColorProofActionExecute() {
  int32_t color = ProofColor;
  if (!AskColor(Prompt(), color)) return;
  SetProofColor(color);
  RefreshViews();
}

void Session::ColorAmbiguousActionExecute() {
  int32_t color = AmbiguousColor;
  if (!AskColor(Prompt(), color)) return;
  SetAmbiguousColor(color);
  RefreshViews();
}
