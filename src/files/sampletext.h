// Workstation text sent to the host with the EXPORT table and back with the
// IMPORT table, as the product translates it: an unassigned entry passes its
// byte unchanged.
#pragma once

#include <cstdint>

#include "model/codetable.h"

enum class SampleState {
  kBack,        // comes back as it was
  kLost,        // comes back as another byte, whether assigned or not
  kUnassigned,  // comes back, having passed 1:1 an unassigned EXPORT entry
};

struct SampleByte {
  uint8_t Host;
  uint8_t Back;
  SampleState State;
};

SampleByte TranslateSampleByte(uint8_t byte, const CodeTable& export_table, const CodeTable& import_table);

// How many bytes of a text do not come back and how many pass unassigned
// (a byte may be both),
// from how often each byte occurs in it: the work does not grow with the text.
struct SampleCounts {
  long long Lost = 0;
  long long Unassigned = 0;
};
SampleCounts CountSample(const long long (&occurrences)[256], const CodeTable& export_table,
                         const CodeTable& import_table);
