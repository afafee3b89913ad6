// Temporary empty bodies for commands whose implementation is under way.
// Each group is removed as its real implementation lands.
#include "app/dm1unit.h"

// fonts and colours
void TDM1::ApplyFont(TFont*) {}
void TDM1::SetChainedColor(int32_t) {}
void TDM1::SetActiveColor(int32_t) {}
void TDM1::SetAmbiguousColor(int32_t) {}
void TDM1::SetProofColor(int32_t) {}
void TDM1::FontCourierNewExecute() {}
void TDM1::FontFixedSysExecute() {}
void TDM1::FontSansSerifExecute() {}
void TDM1::FontTerminalExecute() {}
void TDM1::FontSetzenExecute() {}
void TDM1::ColorChainedActionExecute() {}
void TDM1::ColorActiveActionExecute() {}
void TDM1::ColorProofActionExecute() {}
void TDM1::ColorAmbiguousActionExecute() {}

// printing
void TDM1::DruckenExecute() {}

