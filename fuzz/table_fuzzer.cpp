// libFuzzer entry: any bytes through recognition, loading and every writer
// of the file layer. Aborts on a crash or when a written image does not read
// back as the table it came from.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/declaration.h"
#include "files/formats.h"
#include "files/recognize.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// Declarations keep to printable bytes and line feeds.
void CheckDeclaration(const std::string& text) {
  for (const char c : text) Require(c == '\n' || (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F));
}

void CheckTable(const LoadStep& step) {
  CodeTable table(step.Table);
  table.LoadEntries(step.Entries);
  table.SetFontName("Courier New");
  table.BuildHeader(step.Table, step.Name.c_str());
  const V5Table back = DecodeV5Image(V5Image(table, step.Table).data());
  Require(back.Kind() == step.Table);
  for (int p = 0; p < 256; ++p) Require(back.Target(p) == table.Target(p));
  Require(UnixImage(table).size() == TableImageSize);
  CheckDeclaration(CDeclaration(table));
  CheckDeclaration(PascalDeclaration(table));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte picks the forced kind and the name; the rest is the file.
  const int kind = data[0] % 3 - 1;
  const std::string name(reinterpret_cast<const char*>(data), size < 40 ? size : 40);
  const LoadPlan plan = RecognizeTableImage(data + 1, size - 1, kind, name);
  for (const LoadStep& step : plan.Steps)
    if (step.Loads()) CheckTable(step);
  return 0;
}
