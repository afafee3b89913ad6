#include "ui/gridmath.h"

#include "model/codetable.h"
#include "model/hexdigits.h"
#include "platform/colors.h"

namespace {

GridItem Make(int high, int low) { return {high, low, ((high & 15) * 16) | (low & 15)}; }
}  // namespace

GridItem MapRowsHigh(int item) { return Make(item % GridSide - 1, item / GridSide - 1); }

GridItem MapColumnsHigh(int item) { return Make(item / GridSide - 1, item % GridSide - 1); }

int ItemOfEntry(GridMapping mapping, int entry) {
  for (int item = 0; item < GridItems; ++item) {
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

int GridColumnWidth(int clientWidth) { return clientWidth / GridSide; }

CellRect ItemRect(int item, int clientWidth, int rowHeight) {
  const int width = GridColumnWidth(clientWidth);
  return {item / GridSide * width, item % GridSide * rowHeight, width, rowHeight};
}

int ItemAt(int x, int y, int clientWidth, int itemCount, int rowHeight) {
  const int width = GridColumnWidth(clientWidth);
  if (x < 0 || y < 0 || width <= 0 || rowHeight <= 0) return -1;
  const int column = x / width;
  const int row = y / rowHeight;
  if (column >= GridSide || row >= GridSide) return -1;
  const int item = column * GridSide + row;
  return item < itemCount ? item : -1;
}

GridColors GridColorsOf(int32_t ambiguous, int32_t proof) {
  GridColors colors = {ambiguous, proof};
  if (colors.Ambiguous < 0) colors.Ambiguous = DefaultGridColors.Ambiguous;
  if (colors.Proof < 0) colors.Proof = DefaultGridColors.Proof;
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
