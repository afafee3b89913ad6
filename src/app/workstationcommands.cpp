// "&Einstellungen -> &Arbeitsplatz-Zeichensatz": the character set of the
// workstation side, for every view and every export.
#include "app/session.h"

void Session::SetWorkstationCharset(Workstation workstation) {
  (workstation == Workstation::Cp1252 ? WorkstationWindows1252 : WorkstationIso8859)->setChecked(true);
  if (workstation == workstation_) return;
  workstation_ = workstation;
  emit WorkstationCharsetChanged();
}

void Session::WorkstationIso8859Execute() { SetWorkstationCharset(Workstation::Iso8859_1); }

void Session::WorkstationWindows1252Execute() { SetWorkstationCharset(Workstation::Cp1252); }
