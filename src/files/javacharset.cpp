#include "files/javacharset.h"

#include "files/zip.h"

namespace {

constexpr char kProviderName[] = "qavo.charset.TableCharsetProvider";
constexpr uint16_t kUnmappable = 0xFFFE;

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value >> 8));
  out.push_back(static_cast<uint8_t>(value));
}

std::vector<uint8_t> Text(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// As Java's DataInputStream reads it; the name is ASCII.
std::vector<uint8_t> TableResource(const CharsetMapping& mapping) {
  std::vector<uint8_t> out;
  const std::string name = JavaCharsetName(mapping.Name);
  Put16(out, static_cast<uint32_t>(name.size()));
  out.insert(out.end(), name.begin(), name.end());
  for (const int32_t character : mapping.ToUnicode)
    Put16(out, character == -1 ? kUnmappable : static_cast<uint32_t>(character));
  Put16(out, static_cast<uint32_t>(mapping.FromUnicode.size()));
  for (const auto& pair : mapping.FromUnicode) {
    Put16(out, pair.first);
    out.push_back(pair.second);
  }
  return out;
}

}  // namespace

std::vector<uint8_t> JavaCharsetJar(const CharsetMapping& mapping) {
  std::vector<ZipEntry> entries = {
      {"META-INF/MANIFEST.MF", Text("Manifest-Version: 1.0\r\nCreated-By: QAVO Code Table Editor\r\n\r\n")},
      {"META-INF/services/java.nio.charset.spi.CharsetProvider", Text(std::string(kProviderName) + "\n")},
      {"qavo/charset/table.bin", TableResource(mapping)},
  };
  for (size_t i = 0; i < kProviderClassCount; ++i) {
    const EmbeddedFile& file = kProviderClasses[i];
    entries.push_back({file.Name, std::vector<uint8_t>(file.Data, file.Data + file.Size)});
  }
  return ZipArchive(entries);
}
