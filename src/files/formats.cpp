#include "files/formats.h"

#include <cstring>

const char V5Signature[] = "QAVO CodeTab ";

namespace {

// Bytes 14..20 are not read back; "A/E" or "E/A" names the direction.
const char ExportFiller[] = "/E     ";
const char ImportFiller[] = "/A     ";
constexpr size_t FillerSize = V5TextOffset - V5KindOffset - 1;

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
  size_t at = V5TextOffset;
  out[at++] = ']';
  out[at++] = ' ';
  for (const char* c = name; *c != '\0' && at < V5HeaderSize - 1; ++c) out[at++] = static_cast<uint8_t>(*c);
}

std::string V5Name(const uint8_t* image) {
  size_t at = V5TextOffset;
  while (at < V5ImageSize && image[at] != 0 && image[at] != ']') ++at;
  if (at >= V5ImageSize || image[at] != ']') return std::string();
  // The byte after "]" separates; the name runs from the next one to a NUL.
  if (at + 1 >= V5ImageSize || image[at + 1] == 0) return std::string();
  const size_t start = at + 2;
  size_t end = start;
  while (end < V5ImageSize && image[end] != 0) ++end;
  return std::string(reinterpret_cast<const char*>(image) + start, end - start);
}

}  // namespace

uint8_t StoredCode(const CodeTable& table, int position) {
  const int p = position & 0xFF;
  const int target = table.Target(p);
  return static_cast<uint8_t>(target == -1 ? p : target & 0xFF);
}

std::vector<uint8_t> UnixImage(const CodeTable& table) {
  std::vector<uint8_t> image(TableImageSize);
  for (int p = 0; p < 256; ++p) image[p] = StoredCode(table, p);
  return image;
}

std::vector<uint8_t> V3Image(const CodeTable& importTable, const CodeTable& exportTable) {
  std::vector<uint8_t> image;
  image.reserve(V3ImageSize);
  AppendImage(image, UnixImage(importTable));
  AppendImage(image, UnixImage(exportTable));
  return image;
}

std::vector<uint8_t> V5Image(const CodeTable& table, TableKind kind) {
  std::vector<uint8_t> image(V5ImageSize, 0);
  std::memcpy(image.data(), V5Signature, V5SignatureSize);
  const bool isExport = kind == TableKind::kExport;
  image[V5KindOffset] = static_cast<uint8_t>(isExport ? V5ExportLetter : V5ImportLetter);
  std::memcpy(image.data() + V5KindOffset + 1, isExport ? ExportFiller : ImportFiller, FillerSize);
  PutV5Name(image, table.HeaderName());
  for (int p = 0; p < 256; ++p) {
    const size_t at = V5HeaderSize + 4 * p;
    PutInt16(image, at, table.Target(p));
    PutInt16(image, at + 2, table.Count(p));
  }
  return image;
}

std::vector<uint8_t> V5PairImage(const CodeTable& exportTable, const CodeTable& importTable) {
  std::vector<uint8_t> image;
  image.reserve(V5PairImageSize);
  AppendImage(image, V5Image(exportTable, TableKind::kExport));
  AppendImage(image, V5Image(importTable, TableKind::kImport));
  return image;
}

bool HasV5Signature(const uint8_t* data, size_t length) {
  return length >= V5SignatureSize && std::memcmp(data, V5Signature, V5SignatureSize) == 0;
}

V5Table DecodeV5Image(const uint8_t* image) {
  V5Table table;
  const uint8_t letter = image[V5KindOffset];
  if (letter == V5ExportLetter) table.Kind = TableKind::kExport;
  if (letter == V5ImportLetter) table.Kind = TableKind::kImport;
  table.Name = V5Name(image);
  for (int p = 0; p < 256; ++p) {
    // Only a stored -1 leaves the position open; any other value counts by its
    // low 8 bits, as an assignment would cut it.
    const int16_t target = GetInt16(image + V5HeaderSize + 4 * p);
    table.Entries[p].Target = static_cast<int16_t>(target == -1 ? -1 : target & 0xFF);
    table.Entries[p].Count = -1;
  }
  return table;
}
