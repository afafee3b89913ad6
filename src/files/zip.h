// A ZIP archive of stored (uncompressed) entries, as a JAR may be.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ZipEntry {
  std::string Name;
  std::vector<uint8_t> Content;
};

// The archive's bytes; every entry dated 1980-01-01 so that the same
// entries give the same bytes.
std::vector<uint8_t> ZipArchive(const std::vector<ZipEntry>& entries);

// The CRC-32 of ZIP, gzip and PNG.
uint32_t Crc32(const uint8_t* data, size_t length);
