// "&Tabelle laden": the four presets, each for both tables chained or for
// one of them.
#include "app/session.h"

// The loader recognises the array's direction and keeps the partner as it is.
// A preset built for ISO 8859-1 makes it the workstation character set.
void Session::LoadPreset(const PresetPair& preset, TableKind kind) {
  const char* name = kind == TableKind::kExport ? preset.ExportName : preset.ImportName;
  ChangeTables(QString::fromLatin1(name) + " laden (" + TableName(kind) + ")", [&] {
    if (kind == TableKind::kExport)
      LoadTableImage(preset.Export, preset.ExportName);
    else
      LoadTableImage(preset.Import, preset.ImportName);
  });
  if (preset.Iso88591) SetWorkstationCharset(Workstation::kIsoLatin1);
}

void Session::LoadPresetPair(const PresetPair& preset) {
  ChangeTables(QString::fromLatin1(preset.ExportName) + " laden", [&] {
    LoadTableImage(preset.Export, preset.ExportName);
    LoadTableImage(preset.Import, preset.ImportName);
    ChainTablesAction->setChecked(true);
    Chain(true);
  });
  if (preset.Iso88591) SetWorkstationCharset(Workstation::kIsoLatin1);
}
