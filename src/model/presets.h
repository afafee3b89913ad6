// The built-in table pairs: for each preset an EXPORT array (workstation
// to host, "a/e") and an IMPORT array (host to workstation, "e/a"), byte p
// being the target code of position p, and the names the loaded tables carry
// in their headers.
#pragma once

#include <cstdint>

#include "model/codetable.h"

extern const uint8_t kDinExport[256];
extern const uint8_t kDinImport[256];
extern const uint8_t kIsoCp273Export[256];
extern const uint8_t kIsoCp273Import[256];
extern const uint8_t kIsoCp37Export[256];
extern const uint8_t kIsoCp37Import[256];
extern const uint8_t kUnixExport[256];
extern const uint8_t kUnixImport[256];

struct PresetPair {
  const uint8_t (&Export)[256];
  const uint8_t (&Import)[256];
  const char* ExportName;
  const char* ImportName;
  // Built for the ISO 8859-1 workstation character set; the others for none
  // in particular.
  bool Iso88591;
};

extern const PresetPair kDinPreset;
extern const PresetPair kIsoCp273Preset;
extern const PresetPair kIsoCp37Preset;
extern const PresetPair kUnixPreset;

// A preset array as table entries: byte p is the target of position p.
void EntriesOf(const uint8_t (&bytes)[256], TableEntry (&entries)[256]);
