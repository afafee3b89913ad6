// The arithmetic of the 17 x 17 table grid, kept apart from painting.
// Items are numbered column by column: item n stands in grid column n / 17,
// grid row n % 17. Row 0 and column 0 hold the labels, item 0 is the corner.
#pragma once

#include <string>

constexpr int GridSide = 17;
constexpr int GridItems = GridSide * GridSide;
constexpr int GridRowHeight = 16;

struct TGridItem {
  int High;   // high nibble, -1 in a label cell
  int Low;    // low nibble, -1 in a label cell
  int Entry;  // (High & 15) * 16 | Low
};

using TItemMapper = TGridItem (*)(int item);

// Transposition off: the high nibble runs down the rows.
TGridItem MapRowsHigh(int item);
// Transposition on: the high nibble runs across the columns.
TGridItem MapColumnsHigh(int item);

// Five characters: two blanks, the two label digits, one blank.
std::string LabelText(const TGridItem& item);
