// "&Einstellungen -> &Arbeitsplatz-Zeichensatz": the character set of the
// workstation side, for every view and every export.
#include "app/session.h"

void Session::SetWorkstationCharset(Workstation workstation) {
  (workstation == Workstation::kCp1252 ? WorkstationWindows1252 : WorkstationIso8859)->setChecked(true);
  if (workstation == workstation_) return;
  workstation_ = workstation;
  emit WorkstationCharsetChanged();
}

void Session::UseIso8859Workstation() { SetWorkstationCharset(Workstation::kIsoLatin1); }

void Session::UseWindows1252Workstation() { SetWorkstationCharset(Workstation::kCp1252); }
