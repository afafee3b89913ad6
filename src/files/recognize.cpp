#include "files/recognize.h"

#include <algorithm>

#include "files/formats.h"

namespace {

const char kKindNotRecognised[] = "IMPORT/EXPORT nicht erkannt\nEvtl. 256 Byte vorgeben";
const char kHeaderNotRecognised[] = "Tabelle nicht erkannt!\nerwarte: QAVO CodeTab\nerhalte: ";
const char kUnknownFormat[] = "unbekanntes Dateiformat";
const char kWrongLength[] = "Datei nicht erkannt: falsche L\xC3\xA4nge ";

LoadStep MessageStep(const std::string& message) {
  LoadStep step;
  step.Message = message;
  return step;
}

LoadStep BytesStep(const uint8_t* image, TableKind table, const std::string& name) {
  LoadStep step;
  step.Table = table;
  for (int p = 0; p < 256; ++p) {
    step.Entries[p].Target = image[p];
    step.Entries[p].Count = -1;
  }
  step.Name = name;
  return step;
}

// Byte 32 holding the EBCDIC blank marks an EXPORT image; byte 64 holding the
// ASCII blank an IMPORT image. EXPORT wins when both hold.
TableKind RecognizeKind(const uint8_t* image) {
  if (image[32] == 0x40) return TableKind::kExport;
  if (image[64] == 0x20) return TableKind::kImport;
  return TableKind::kUnknown;
}

void PlanTableImage(const uint8_t* image, TableKind kind, const std::string& name, LoadPlan& plan) {
  if (kind != TableKind::kExport && kind != TableKind::kImport) kind = RecognizeKind(image);
  if (kind == TableKind::kUnknown)
    plan.Steps.push_back(MessageStep(kKindNotRecognised));
  else
    plan.Steps.push_back(BytesStep(image, kind, name));
}

// The image's leading text, up to its first NUL, for the refusal message.
std::string LeadingText(const uint8_t* image, size_t length) {
  size_t end = 0;
  while (end < length && image[end] != 0) ++end;
  return std::string(reinterpret_cast<const char*>(image), end);
}

void PlanV5Image(const uint8_t* image, LoadPlan& plan) {
  if (!HasV5Signature(image, kV5ImageSize)) {
    plan.Steps.push_back(MessageStep(kHeaderNotRecognised + Latin1ToUtf8(LeadingText(image, kV5ImageSize))));
    return;
  }
  const V5Table table = DecodeV5Image(image);
  if (table.Kind == TableKind::kUnknown) return;
  LoadStep step;
  step.Table = table.Kind;
  for (int p = 0; p < 256; ++p) step.Entries[p] = table.Entries[p];
  step.Name = table.Name;
  plan.Steps.push_back(step);
}

// A pair loads whole or not at all: one EXPORT and one IMPORT table, else
// it is refused as a single image with a bad kind letter is, and only the
// halves' messages stay.
void KeepOnlyWholePair(LoadPlan& plan) {
  const auto& steps = plan.Steps;
  if (steps.size() == 2 && steps[0].Loads() && steps[1].Loads() && steps[0].Table != steps[1].Table) return;
  plan.Steps.erase(
      std::remove_if(plan.Steps.begin(), plan.Steps.end(), [](const LoadStep& step) { return step.Loads(); }),
      plan.Steps.end());
}

}  // namespace

LoadPlan RecognizeTableImage(const uint8_t* data, size_t length, TableKind kind, const std::string& name) {
  LoadPlan plan;
  if (length == kTableImageSize) {
    PlanTableImage(data, kind, name, plan);
  } else if (length == kV3ImageSize) {
    plan.Steps.push_back(BytesStep(data, TableKind::kImport, name));
    plan.Steps.push_back(BytesStep(data + kTableImageSize, TableKind::kExport, name));
  } else if (length == kV5ImageSize) {
    PlanV5Image(data, plan);
  } else if (length == kV5PairImageSize) {
    // Each half is read as if it were a file of its own.
    PlanV5Image(data, plan);
    PlanV5Image(data + kV5ImageSize, plan);
    KeepOnlyWholePair(plan);
  } else {
    plan.Steps.push_back(MessageStep(kUnknownFormat));
  }
  return plan;
}

bool LengthAccepted(size_t length) { return length >= kTableImageSize && length <= kV5PairImageSize; }

std::string LengthRefusal(size_t length) { return kWrongLength + std::to_string(length); }

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (const char c : bytes) {
    const unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      text += static_cast<char>(b);
    } else {
      text += static_cast<char>(0xC0 | (b >> 6));
      text += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return text;
}

std::string Utf8ToLatin1(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size();) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      bytes += static_cast<char>(lead);
      ++i;
      continue;
    }
    size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned long code = lead & (0x3F >> extra);
    size_t taken = 1;
    while (taken <= extra && i + taken < text.size() && (static_cast<unsigned char>(text[i + taken]) & 0xC0) == 0x80)
      code = (code << 6) | (static_cast<unsigned char>(text[i + taken++]) & 0x3F);
    const bool whole = extra > 0 && taken == extra + 1;
    const bool latin1 = whole && extra == 1 && code >= 0x80 && code < 0x100;
    bytes += latin1 ? static_cast<char>(code) : '?';
    i += taken;
  }
  return bytes;
}
