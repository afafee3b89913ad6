#include "ui/gridmath.h"

namespace {
const char HexDigits[] = "0123456789ABCDEF";

TGridItem Make(int high, int low) { return {high, low, ((high & 15) * 16) | (low & 15)}; }
}  // namespace

TGridItem MapRowsHigh(int item) { return Make(item % GridSide - 1, item / GridSide - 1); }

TGridItem MapColumnsHigh(int item) { return Make(item / GridSide - 1, item % GridSide - 1); }

std::string LabelText(const TGridItem& item) {
  std::string text = "     ";
  if (item.High < 0 && item.Low >= 0) {
    text[2] = '0';
    text[3] = HexDigits[item.Low & 15];
  } else if (item.High >= 0 && item.Low < 0) {
    text[2] = HexDigits[item.High & 15];
    text[3] = '0';
  }
  return text;
}
