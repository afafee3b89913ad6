#include "files/sampletext.h"

namespace {

uint8_t Through(const CodeTable& table, uint8_t byte) {
  const int target = table.Target(byte);
  return target == -1 ? byte : static_cast<uint8_t>(target);
}

}  // namespace

SampleByte TranslateSampleByte(uint8_t byte, const CodeTable& export_table, const CodeTable& import_table) {
  const uint8_t host = Through(export_table, byte);
  const uint8_t back = Through(import_table, host);
  SampleState state = SampleState::kBack;
  if (back != byte)
    state = SampleState::kLost;
  else if (export_table.Target(byte) == -1)
    state = SampleState::kUnassigned;
  return {host, back, state};
}

SampleCounts CountSample(const long long (&occurrences)[256], const CodeTable& export_table,
                         const CodeTable& import_table) {
  SampleCounts counts;
  for (int byte = 0; byte < 256; ++byte) {
    if (occurrences[byte] == 0) continue;
    if (TranslateSampleByte(static_cast<uint8_t>(byte), export_table, import_table).State == SampleState::kLost)
      counts.Lost += occurrences[byte];
    if (export_table.Target(byte) == -1) counts.Unassigned += occurrences[byte];
  }
  return counts;
}
