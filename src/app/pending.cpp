// Temporary empty bodies for commands whose implementation is under way.
// Each group is removed as its real implementation lands.
#include "app/dm1unit.h"

// pair
void TDM1::ChainTablesActionExecute() {}
void TDM1::ClearBothExecute() {}
void TDM1::ClearExportExecute() {}
void TDM1::ClearImportExecute() {}
void TDM1::CopyExport2ImportExecute() {}
void TDM1::CopyImport2ExportExecute() {}
void TDM1::LoadDINExecute() {}
void TDM1::LoadDinExportExecute() {}
void TDM1::LoadDinImportExecute() {}
void TDM1::LoadIsoCp273Execute() {}
void TDM1::LoadIsoExportCp273Execute() {}
void TDM1::LoadIsoImportCp273Execute() {}
void TDM1::LoadIsoCp37Execute() {}
void TDM1::LoadIsoExportCp37Execute() {}
void TDM1::LoadIsoImportCp37Execute() {}
void TDM1::LoadUnixExecute() {}
void TDM1::LoadUnixExportExecute() {}
void TDM1::LoadUnixImportExecute() {}
