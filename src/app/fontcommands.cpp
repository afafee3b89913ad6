// "&Einstellungen -> &Zeichensatz": the display font of all views.
#include "app/session.h"

namespace {

constexpr int kTallestHeight = -12;

}  // namespace

void Session::ApplyFont(DisplayFont* font) {
  if (!font) return;
  OemFontShown = font->Name == "Terminal";
  if (OemFontShown) {
    font = &Defaults.Terminal;
  } else if (font->Height < kTallestHeight) {
    // Cut on the font object itself, so the font dialog offers the cut
    // size next time.
    font->Height = kTallestHeight;
  }
  CurrentFont = font;
  SetTableFont(*ExportTable, font);
  SetTableFont(*ImportTable, font);
  emit DisplayFontChanged();
}

void Session::UseCourierNew() { ApplyFont(&Defaults.CourierNew); }

void Session::UseSansSerif() { ApplyFont(&Defaults.SansSerif); }

void Session::UseFixedSys() { ApplyFont(&Defaults.FixedSys); }

void Session::UseTerminal() { ApplyFont(&Defaults.Terminal); }

// A font without a family is no choice: the tables' headers would lose
// their names behind it.
void Session::AskForFont() {
  DisplayFont chosen = CurrentFont ? *CurrentFont : FontDialog;
  if (!Prompt().ChooseFont(chosen) || chosen.Name.isEmpty()) return;
  FontDialog = chosen;
  ApplyFont(&FontDialog);
}
