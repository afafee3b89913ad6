// The twelve preset commands: each single-direction command hands its array
// to the recognising loader, each "&Beide" loads both and chains the pair.
#include "app/session.h"
#include "model/presets.h"

namespace {

// The loader sends the array into the table of its direction and keeps the
// partner untouched.
void LoadPresetArray(Session& dm, const uint8_t (&array)[256], const char* name) {
  dm.LoadTableImage(array, 256, -1, QString::fromLatin1(name));
}

void LoadPresetPair(Session& dm, void (Session::*loadExport)(), void (Session::*loadImport)()) {
  (dm.*loadExport)();
  (dm.*loadImport)();
  dm.ChainTablesAction->setChecked(true);
  dm.ChainTablesActionExecute();
}

}  // namespace

void Session::LoadDinExportExecute() { LoadPresetArray(*this, DinPreset.Export, DinPreset.ExportName); }
void Session::LoadDinImportExecute() { LoadPresetArray(*this, DinPreset.Import, DinPreset.ImportName); }
void Session::LoadDINExecute() { LoadPresetPair(*this, &Session::LoadDinExportExecute, &Session::LoadDinImportExecute); }

void Session::LoadIsoExportCp273Execute() {
  LoadPresetArray(*this, IsoCp273Preset.Export, IsoCp273Preset.ExportName);
}
void Session::LoadIsoImportCp273Execute() {
  LoadPresetArray(*this, IsoCp273Preset.Import, IsoCp273Preset.ImportName);
}
void Session::LoadIsoCp273Execute() {
  LoadPresetPair(*this, &Session::LoadIsoExportCp273Execute, &Session::LoadIsoImportCp273Execute);
}

void Session::LoadIsoExportCp37Execute() { LoadPresetArray(*this, IsoCp37Preset.Export, IsoCp37Preset.ExportName); }
void Session::LoadIsoImportCp37Execute() { LoadPresetArray(*this, IsoCp37Preset.Import, IsoCp37Preset.ImportName); }
void Session::LoadIsoCp37Execute() {
  LoadPresetPair(*this, &Session::LoadIsoExportCp37Execute, &Session::LoadIsoImportCp37Execute);
}

void Session::LoadUnixExportExecute() { LoadPresetArray(*this, UnixPreset.Export, UnixPreset.ExportName); }
void Session::LoadUnixImportExecute() { LoadPresetArray(*this, UnixPreset.Import, UnixPreset.ImportName); }
void Session::LoadUnixExecute() { LoadPresetPair(*this, &Session::LoadUnixExportExecute, &Session::LoadUnixImportExecute); }
