#include "files/formats.h"

#include <cstring>

const char kV5Signature[] = "QAVO CodeTab ";

namespace {

// Bytes 14..20 are not read back; "A/E" or "E/A" names the direction.
const char kExportFiller[] = "/E     ";
const char kImportFiller[] = "/A     ";
constexpr size_t kFillerSize = kV5TextOffset - kV5KindOffset - 1;

void PutInt16(std::vector<uint8_t>& out, size_t offset, int16_t value) {
  const uint16_t bits = static_cast<uint16_t>(value);
  out[offset] = static_cast<uint8_t>(bits & 0xFF);
  out[offset + 1] = static_cast<uint8_t>(bits >> 8);
}

int16_t GetInt16(const uint8_t* in) { return static_cast<int16_t>(static_cast<uint16_t>(in[0] | (in[1] << 8))); }

void AppendImage(std::vector<uint8_t>& out, const std::vector<uint8_t>& image) {
  out.insert(out.end(), image.begin(), image.end());
}

// "] " and the name, which is cut so that at least one NUL ends the header.
// The font is left out: the loader gives the table the display font anyway,
// and without it every name the header line can hold fits whole.
void PutV5Name(std::vector<uint8_t>& out, const char* name) {
  size_t at = kV5TextOffset;
  out[at++] = ']';
  out[at++] = ' ';
  for (const char* c = name; *c != '\0' && at < kV5HeaderSize - 1; ++c) out[at++] = static_cast<uint8_t>(*c);
}

std::string V5Name(const uint8_t* image) {
  size_t at = kV5TextOffset;
  while (at < kV5ImageSize && image[at] != 0 && image[at] != ']') ++at;
  if (at >= kV5ImageSize || image[at] != ']') return std::string();
  // The byte after "]" separates; the name runs from the next one to a NUL.
  if (at + 1 >= kV5ImageSize || image[at + 1] == 0) return std::string();
  const size_t start = at + 2;
  size_t end = start;
  while (end < kV5ImageSize && image[end] != 0) ++end;
  return std::string(reinterpret_cast<const char*>(image) + start, end - start);
}

}  // namespace

uint8_t StoredCode(const CodeTable& table, int position) {
  const int p = position & 0xFF;
  const int target = table.Target(p);
  return static_cast<uint8_t>(target == -1 ? p : target & 0xFF);
}

std::vector<uint8_t> UnixImage(const CodeTable& table) {
  std::vector<uint8_t> image(kTableImageSize);
  for (int p = 0; p < 256; ++p) image[p] = StoredCode(table, p);
  return image;
}

std::vector<uint8_t> V3Image(const CodeTable& import_table, const CodeTable& export_table) {
  std::vector<uint8_t> image;
  image.reserve(kV3ImageSize);
  AppendImage(image, UnixImage(import_table));
  AppendImage(image, UnixImage(export_table));
  return image;
}

std::vector<uint8_t> V5Image(const CodeTable& table, TableKind kind) {
  std::vector<uint8_t> image(kV5ImageSize, 0);
  std::memcpy(image.data(), kV5Signature, kV5SignatureSize);
  const bool is_export = kind == TableKind::kExport;
  image[kV5KindOffset] = static_cast<uint8_t>(is_export ? kV5ExportLetter : kV5ImportLetter);
  std::memcpy(image.data() + kV5KindOffset + 1, is_export ? kExportFiller : kImportFiller, kFillerSize);
  PutV5Name(image, table.HeaderName());
  for (int p = 0; p < 256; ++p) {
    const size_t at = kV5HeaderSize + 4 * p;
    PutInt16(image, at, table.Target(p));
    PutInt16(image, at + 2, table.Count(p));
  }
  return image;
}

std::vector<uint8_t> V5PairImage(const CodeTable& export_table, const CodeTable& import_table) {
  std::vector<uint8_t> image;
  image.reserve(kV5PairImageSize);
  AppendImage(image, V5Image(export_table, TableKind::kExport));
  AppendImage(image, V5Image(import_table, TableKind::kImport));
  return image;
}

bool HasV5Signature(const uint8_t* data, size_t length) {
  return length >= kV5SignatureSize && std::memcmp(data, kV5Signature, kV5SignatureSize) == 0;
}

V5Table DecodeV5Image(const uint8_t* image) {
  V5Table table;
  const uint8_t letter = image[kV5KindOffset];
  if (letter == kV5ExportLetter) table.Kind = TableKind::kExport;
  if (letter == kV5ImportLetter) table.Kind = TableKind::kImport;
  table.Name = V5Name(image);
  for (int p = 0; p < 256; ++p) {
    // Only a stored -1 leaves the position open; any other value counts by its
    // low 8 bits, as an assignment would cut it.
    const int16_t target = GetInt16(image + kV5HeaderSize + 4 * p);
    table.Entries[p].Target = static_cast<int16_t>(target == -1 ? -1 : target & 0xFF);
    table.Entries[p].Count = -1;
  }
  return table;
}
