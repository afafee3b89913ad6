#include "files/sampletext.h"

namespace {

uint8_t Through(const CodeTable& table, uint8_t byte) {
  const int target = table.Target(byte);
  return target == -1 ? byte : static_cast<uint8_t>(target);
}

}  // namespace

SampleByte TranslateSampleByte(uint8_t byte, const CodeTable& exportTable, const CodeTable& importTable) {
  const uint8_t host = Through(exportTable, byte);
  const uint8_t back = Through(importTable, host);
  SampleState state = SampleState::Back;
  if (back != byte)
    state = SampleState::Lost;
  else if (exportTable.Target(byte) == -1)
    state = SampleState::Unassigned;
  return {host, back, state};
}

SampleCounts CountSample(const long long (&occurrences)[256], const CodeTable& exportTable,
                         const CodeTable& importTable) {
  SampleCounts counts;
  for (int byte = 0; byte < 256; ++byte) {
    if (occurrences[byte] == 0) continue;
    if (TranslateSampleByte(static_cast<uint8_t>(byte), exportTable, importTable).State == SampleState::Lost)
      counts.Lost += occurrences[byte];
    if (exportTable.Target(byte) == -1) counts.Unassigned += occurrences[byte];
  }
  return counts;
}
