// Temporary empty bodies for commands whose implementation is under way.
// Each group is removed as its real implementation lands.
#include "app/dm1unit.h"

// files
void TDM1::WriteTableFile(int, const TCodeTab&, const QString&) {}
bool TDM1::ReadTableFile(std::vector<uint8_t>&) { return false; }
void TDM1::LoadTableImage(const uint8_t*, int, int, const QString&) {}
void TDM1::LoadExportImage(const uint8_t*, const QString&) {}
void TDM1::LoadImportImage(const uint8_t*, const QString&) {}
bool TDM1::WriteCDeclaration(QIODevice&, const TCodeTab&) { return false; }
bool TDM1::WritePascalDeclaration(QIODevice&, const TCodeTab&) { return false; }
void TDM1::LoadTableFileExecute() {}
void TDM1::LoadExportExecute() {}
void TDM1::LoadImportExecute() {}
void TDM1::SpeichernUnixExecute() {}
void TDM1::SpeichernWindowsQavo3Execute() {}
void TDM1::SpeichernWindowsQavo5Execute() {}
void TDM1::SpeichernCHeaderExecute() {}
void TDM1::SpeichernPascalExecute() {}

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

// help
void TDM1::HelpExecute() {}
