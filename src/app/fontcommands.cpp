// "&Einstellungen -> &Zeichensatz": the display font of all views.
#include "app/session.h"

namespace {

constexpr int TallestHeight = -12;

}  // namespace

void Session::ApplyFont(DisplayFont* font) {
  if (!font) return;
  OemFontShown = font->Name == "Terminal";
  if (OemFontShown) {
    font = &Defaults.Terminal;
  } else if (font->Height < TallestHeight) {
    // Cut on the font object itself, so the font dialog offers the cut
    // size next time.
    font->Height = TallestHeight;
  }
  CurrentFont = font;
  SetTableFont(*ExportTable, font);
  SetTableFont(*ImportTable, font);
  emit DisplayFontChanged();
}

void Session::FontCourierNewExecute() { ApplyFont(&Defaults.CourierNew); }

void Session::FontSansSerifExecute() { ApplyFont(&Defaults.SansSerif); }

void Session::FontFixedSysExecute() { ApplyFont(&Defaults.FixedSys); }

void Session::FontTerminalExecute() { ApplyFont(&Defaults.Terminal); }

// A font without a family is no choice: the tables' headers would lose
// their names behind it.
void Session::ChooseFontExecute() {
  DisplayFont chosen = CurrentFont ? *CurrentFont : FontDialog;
  if (!Prompt().ChooseFont(chosen) || chosen.Name.isEmpty()) return;
  FontDialog = chosen;
  ApplyFont(&FontDialog);
}
