#include "model/tablecontent.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kKindWordEnd = 20;
constexpr size_t kFontPartMax = 20;

}  // namespace

const char* HeaderNamePart(const CodeTable& table) {
  size_t offset = kKindWordEnd;
  // "[", at most 20 characters of the font name, "] ".
  if (table.FontName()[0] != '\0') offset += std::min(std::strlen(table.FontName()), kFontPartMax) + 3;
  return std::strlen(table.Header()) > offset ? table.Header() + offset : "";
}

TableContent::TableContent(const CodeTable& table) : Targets(), Kind(table.Kind()), Name() {
  for (int p = 0; p < 256; ++p) Targets[p] = table.Target(p);
  std::strncpy(Name, HeaderNamePart(table), sizeof Name - 1);
}

bool TableContent::operator==(const TableContent& other) const {
  return std::memcmp(Targets, other.Targets, sizeof Targets) == 0 && Kind == other.Kind &&
         std::strcmp(Name, other.Name) == 0;
}
