// "&Tabelle laden": the four presets, each for both tables chained or for
// one of them.
#include "app/session.h"

// The loader recognises the array's direction and keeps the partner as it is.
void Session::LoadPreset(const PresetPair& preset, TableKind kind) {
  ChangeTables([&] {
    if (kind == Export)
      LoadTableImage(preset.Export, preset.ExportName);
    else
      LoadTableImage(preset.Import, preset.ImportName);
  });
}

void Session::LoadPresetPair(const PresetPair& preset) {
  ChangeTables([&] {
    LoadTableImage(preset.Export, preset.ExportName);
    LoadTableImage(preset.Import, preset.ImportName);
    ChainTablesAction->setChecked(true);
    Chain(true);
  });
}
