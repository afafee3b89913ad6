// The arithmetic of the 17 x 17 table grid, kept apart from painting.
// Items are numbered column by column: item n stands in grid column n / 17,
// grid row n % 17. Row 0 and column 0 hold the labels, item 0 is the corner.
#pragma once

#include <cstdint>
#include <string>

#include "platform/colors.h"

class CodeTable;

constexpr int kGridSide = 17;
constexpr int kGridItems = kGridSide * kGridSide;
constexpr int kGridRowHeight = 16;

struct GridItem {
  int High;   // high nibble, -1 in a label cell
  int Low;    // low nibble, -1 in a label cell
  int Entry;  // (High & 15) * 16 | Low
};

using GridMapping = GridItem (*)(int item);

// Transposition off: the high nibble runs down the rows.
GridItem MapRowsHigh(int item);
// Transposition on: the high nibble runs across the columns.
GridItem MapColumnsHigh(int item);

// The item that shows an entry under a mapping.
int ItemOfEntry(GridMapping mapping, int entry);

// Five characters: two blanks, the two label digits, one blank.
std::string LabelText(const GridItem& item);

struct CellRect {
  int X, Y, Width, Height;
};

// Columns are one seventeenth of the client width, truncated; rows are
// rowHeight pixels high (more than GridRowHeight in a zoomed grid).
int GridColumnWidth(int client_width);
CellRect ItemRect(int item, int client_width, int row_height = kGridRowHeight);
// The item under a point of the list, -1 where there is none.
int ItemAt(int x, int y, int client_width, int item_count, int row_height = kGridRowHeight);

// The state colours a grid keeps between refreshes.
struct GridColors {
  int32_t Ambiguous;
  int32_t Proof;
};
constexpr GridColors kDefaultGridColors = {kColorRed, kColorGreen};

// Ambiguous and proof colour for drawing a table: unset colours fall back
// to red and green.
GridColors GridColorsOf(int32_t ambiguous, int32_t proof);
// The text colour of an entry cell: grey text when unassigned, the
// ambiguous colour when its target has another source, the proof colour
// when the chained partner maps it back, window text otherwise.
int32_t GridTextColor(const CodeTable& table, int entry, const GridColors& colors);
