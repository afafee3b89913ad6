// "&Einstellungen -> &Farben": the state colours of all views.

#include "app/session.h"

namespace {

// The colour dialog loaded with a session colour; a system colour shows as
// its present RGB value. False when the user cancels.
bool AskColor(Prompter& prompter, int32_t& color) {
  QColor chosen = ResolveColor(color, LightPalette());
  if (!prompter.ChooseColor(chosen)) return false;
  color = ColorFromQColor(chosen);
  return true;
}

}  // namespace

void Session::SetChainedColor(int32_t color) {
  ChainedColor = color;
  emit ColorsChanged();
}

void Session::SetActiveColor(int32_t color) {
  if (color == kNoColor) return;
  ActiveColor = color;
  emit ColorsChanged();
}

void Session::SetAmbiguousColor(int32_t color) {
  if (color == kNoColor) return;
  AmbiguousColor = color;
  emit ColorsChanged();
}

void Session::SetProofColor(int32_t color) {
  if (color == kNoColor) return;
  ProofColor = color;
  emit ColorsChanged();
}

void Session::AskChainedColor() {
  int32_t color = ChainedColor;
  if (AskColor(Prompt(), color)) SetChainedColor(color);
}

void Session::AskActiveColor() {
  int32_t color = ActiveColor;
  if (AskColor(Prompt(), color)) SetActiveColor(color);
}

void Session::AskProofColor() {
  int32_t color = ProofColor;
  if (AskColor(Prompt(), color)) SetProofColor(color);
}

void Session::AskAmbiguousColor() {
  int32_t color = AmbiguousColor;
  if (AskColor(Prompt(), color)) SetAmbiguousColor(color);
}
