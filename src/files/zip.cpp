#include "files/zip.h"

namespace {

constexpr uint32_t kLocalHeader = 0x04034b50;
constexpr uint32_t kCentralHeader = 0x02014b50;
constexpr uint32_t kEndOfCentral = 0x06054b50;
constexpr uint16_t kVersion = 10;  // 1.0: stored entries
constexpr uint16_t kUtf8Names = 0x0800;
constexpr uint16_t kDate1980 = 0x21;  // 1980-01-01

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// The fields that the local and the central header share, from the version
// needed to the extra field's length.
void PutCommon(std::vector<uint8_t>& out, const ZipEntry& entry) {
  Put16(out, kVersion);
  Put16(out, kUtf8Names);
  Put16(out, 0);  // stored
  Put16(out, 0);  // time
  Put16(out, kDate1980);
  Put32(out, Crc32(entry.Content.data(), entry.Content.size()));
  Put32(out, static_cast<uint32_t>(entry.Content.size()));
  Put32(out, static_cast<uint32_t>(entry.Content.size()));
  Put16(out, static_cast<uint32_t>(entry.Name.size()));
  Put16(out, 0);
}

}  // namespace

std::vector<uint8_t> ZipArchive(const std::vector<ZipEntry>& entries) {
  std::vector<uint8_t> out, central;
  for (const ZipEntry& entry : entries) {
    const uint32_t offset = static_cast<uint32_t>(out.size());
    Put32(out, kLocalHeader);
    PutCommon(out, entry);
    out.insert(out.end(), entry.Name.begin(), entry.Name.end());
    out.insert(out.end(), entry.Content.begin(), entry.Content.end());

    Put32(central, kCentralHeader);
    Put16(central, kVersion);  // made by
    PutCommon(central, entry);
    Put16(central, 0);  // comment length
    Put16(central, 0);  // disk
    Put16(central, 0);  // internal attributes
    Put32(central, 0);  // external attributes
    Put32(central, offset);
    central.insert(central.end(), entry.Name.begin(), entry.Name.end());
  }
  const uint32_t central_offset = static_cast<uint32_t>(out.size());
  out.insert(out.end(), central.begin(), central.end());
  Put32(out, kEndOfCentral);
  Put16(out, 0);  // this disk
  Put16(out, 0);  // disk of the directory
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put16(out, static_cast<uint32_t>(entries.size()));
  Put32(out, static_cast<uint32_t>(central.size()));
  Put32(out, central_offset);
  Put16(out, 0);  // comment length
  return out;
}

uint32_t Crc32(const uint8_t* data, size_t length) {
  static const auto kTable = [] {
    std::vector<uint32_t> values(256);
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      values[n] = c;
    }
    return values;
  }();
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i) crc = kTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}
