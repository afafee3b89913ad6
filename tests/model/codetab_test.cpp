#include "model/codetab.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Cell(const TCodeTab& tab, int p) { return std::string(tab.CellText[p], 5); }

TEST(CodeTabNew, ExportTableStartsEmptyWithOwnPositions) {
  TCodeTab tab(Export);
  EXPECT_EQ(tab.CountAssigned(), 0);
  int position = 7;
  EXPECT_EQ(tab.FirstAssigned(position), -1);
  EXPECT_EQ(position, -1);
  EXPECT_EQ(Cell(tab, 0x41), " A:41");
  EXPECT_EQ(Cell(tab, 0), "00:00");
  EXPECT_STREQ(tab.Header, "QAVO CodeTab EXPORT ");
}

TEST(CodeTabAssign, ExportAssignment) {
  TCodeTab tab(Export);
  EXPECT_EQ(tab.Assign(0x41, 0xC1), 0);
  EXPECT_EQ(tab.Entries[0x41].Target, 0xC1);
  EXPECT_EQ(tab.Entries[0xC1].Count, 0);
  EXPECT_EQ(Cell(tab, 0x41), " A:C1");
  EXPECT_EQ(tab.CurrentPosition, 0x41);
}

TEST(CodeTabLink, MirrorsIntoInactivePartner) {
  TCodeTab exportTab(Export), importTab(Import);
  exportTab.Link(&importTab);
  exportTab.SetActive(1);
  exportTab.Assign(0x41, 0xC1);
  EXPECT_EQ(importTab.Entries[0xC1].Target, 0x41);
  EXPECT_EQ(Cell(importTab, 0xC1), " A=41");
}

}  // namespace
