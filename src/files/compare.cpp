#include "files/compare.h"

#include "model/hexdigits.h"

std::string CodeText(int code) {
  if (code < 0) return "--";
  char digits[3] = {};
  WriteHexByte(code, digits);
  return digits;
}

std::vector<Difference> CompareTables(const CodeTable& table, const TableEntry (&other)[256]) {
  std::vector<Difference> differences;
  for (int p = 0; p < 256; ++p) {
    const int mine = table.Target(p);
    const int theirs = other[p].Target;
    if (mine != theirs) differences.push_back({p, mine, theirs});
  }
  return differences;
}
