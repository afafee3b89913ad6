#include "ui/gridmath.h"

#include "model/codetable.h"
#include "model/hexdigits.h"
#include "platform/colors.h"

namespace {

GridItem Make(int high, int low) { return {high, low, ((high & 15) * 16) | (low & 15)}; }
}  // namespace

GridItem MapRowsHigh(int item) { return Make(item % kGridSide - 1, item / kGridSide - 1); }

GridItem MapColumnsHigh(int item) { return Make(item / kGridSide - 1, item % kGridSide - 1); }

int ItemOfEntry(GridMapping mapping, int entry) {
  for (int item = 0; item < kGridItems; ++item) {
    const GridItem cell = mapping(item);
    if (cell.High >= 0 && cell.Low >= 0 && cell.Entry == entry) return item;
  }
  return -1;
}

std::string LabelText(const GridItem& item) {
  std::string text = "     ";
  if (item.High < 0 && item.Low >= 0) {
    text[2] = '0';
    text[3] = HexDigit(item.Low);
  } else if (item.High >= 0 && item.Low < 0) {
    text[2] = HexDigit(item.High);
    text[3] = '0';
  }
  return text;
}

int GridColumnWidth(int client_width) { return client_width / kGridSide; }

CellRect ItemRect(int item, int client_width, int row_height) {
  const int width = GridColumnWidth(client_width);
  return {item / kGridSide * width, item % kGridSide * row_height, width, row_height};
}

int ItemAt(int x, int y, int client_width, int item_count, int row_height) {
  const int width = GridColumnWidth(client_width);
  if (x < 0 || y < 0 || width <= 0 || row_height <= 0) return -1;
  const int column = x / width;
  const int row = y / row_height;
  if (column >= kGridSide || row >= kGridSide) return -1;
  const int item = column * kGridSide + row;
  return item < item_count ? item : -1;
}

GridColors GridColorsOf(int32_t ambiguous, int32_t proof) {
  GridColors colors = {ambiguous, proof};
  if (colors.Ambiguous < 0) colors.Ambiguous = kDefaultGridColors.Ambiguous;
  if (colors.Proof < 0) colors.Proof = kDefaultGridColors.Proof;
  return colors;
}

int32_t GridTextColor(const CodeTable& table, int entry, const GridColors& colors) {
  switch (table.State(entry)) {
    case EntryState::kUnassigned:
      return kColorGrayText;
    case EntryState::kAmbiguous:
      return colors.Ambiguous;
    case EntryState::kProven:
      return colors.Proof;
    case EntryState::kUnique:
      break;
  }
  return kColorWindowText;
}
