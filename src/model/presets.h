// The built-in table pairs: for each preset an EXPORT array (workstation
// to host, "a/e") and an IMPORT array (host to workstation, "e/a"), byte p
// being the target code of position p, and the names the loaded tables carry
// in their headers.
#pragma once

#include <cstdint>

#include "model/codetable.h"

extern const uint8_t DinExport[256];
extern const uint8_t DinImport[256];
extern const uint8_t IsoCp273Export[256];
extern const uint8_t IsoCp273Import[256];
extern const uint8_t IsoCp37Export[256];
extern const uint8_t IsoCp37Import[256];
extern const uint8_t UnixExport[256];
extern const uint8_t UnixImport[256];

struct PresetPair {
  const uint8_t (&Export)[256];
  const uint8_t (&Import)[256];
  const char* ExportName;
  const char* ImportName;
  // Built for the ISO 8859-1 workstation character set; the others for none
  // in particular.
  bool Iso8859_1;
};

extern const PresetPair DinPreset;
extern const PresetPair IsoCp273Preset;
extern const PresetPair IsoCp37Preset;
extern const PresetPair UnixPreset;

// A preset array as table entries: byte p is the target of position p.
void EntriesOf(const uint8_t (&bytes)[256], TableEntry (&entries)[256]);
