// The twelve preset commands: each single-direction command hands its array
// to the recognising loader, each "&Beide" loads both and chains the pair.
#include "app/dm1unit.h"
#include "model/presets.h"

namespace {

// The loader sends the array into the table of its direction and keeps the
// partner untouched.
void LoadPresetArray(TDM1& dm, const uint8_t (&array)[256], const char* name) {
  dm.LoadTableImage(array, 256, -1, QString::fromLatin1(name));
}

void LoadPresetPair(TDM1& dm, void (TDM1::*loadExport)(), void (TDM1::*loadImport)()) {
  (dm.*loadExport)();
  (dm.*loadImport)();
  dm.ChainTablesAction->setChecked(true);
  dm.ChainTablesActionExecute();
}

}  // namespace

void TDM1::LoadDinExportExecute() { LoadPresetArray(*this, DinPreset.Export, DinPreset.ExportName); }
void TDM1::LoadDinImportExecute() { LoadPresetArray(*this, DinPreset.Import, DinPreset.ImportName); }
void TDM1::LoadDINExecute() { LoadPresetPair(*this, &TDM1::LoadDinExportExecute, &TDM1::LoadDinImportExecute); }

void TDM1::LoadIsoExportCp273Execute() {
  LoadPresetArray(*this, IsoCp273Preset.Export, IsoCp273Preset.ExportName);
}
void TDM1::LoadIsoImportCp273Execute() {
  LoadPresetArray(*this, IsoCp273Preset.Import, IsoCp273Preset.ImportName);
}
void TDM1::LoadIsoCp273Execute() {
  LoadPresetPair(*this, &TDM1::LoadIsoExportCp273Execute, &TDM1::LoadIsoImportCp273Execute);
}

void TDM1::LoadIsoExportCp37Execute() { LoadPresetArray(*this, IsoCp37Preset.Export, IsoCp37Preset.ExportName); }
void TDM1::LoadIsoImportCp37Execute() { LoadPresetArray(*this, IsoCp37Preset.Import, IsoCp37Preset.ImportName); }
void TDM1::LoadIsoCp37Execute() {
  LoadPresetPair(*this, &TDM1::LoadIsoExportCp37Execute, &TDM1::LoadIsoImportCp37Execute);
}

void TDM1::LoadUnixExportExecute() { LoadPresetArray(*this, UnixPreset.Export, UnixPreset.ExportName); }
void TDM1::LoadUnixImportExecute() { LoadPresetArray(*this, UnixPreset.Import, UnixPreset.ImportName); }
void TDM1::LoadUnixExecute() { LoadPresetPair(*this, &TDM1::LoadUnixExportExecute, &TDM1::LoadUnixImportExecute); }
