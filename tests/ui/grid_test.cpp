// The table grid and its window: mappings, labels, clicks, keys, state
// colours, the border, the window's size and caption, and repaint counts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <set>

#include "app/session.h"
#include "model/codetable.h"
#include "platform/colors.h"
#include "support/drawncells.h"
#include "support/paintcounter.h"
#include "support/scriptedprompter.h"
#include "support/session.h"
#include "support/tablechecks.h"
#include "ui/gridmath.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

namespace {

int ItemOf(int row, int column) { return column * kGridSide + row; }

TEST(GridMath, RowsHighPutsTheHighNibbleDownTheRows) {
  const GridItem item = MapRowsHigh(ItemOf(11, 4));
  EXPECT_EQ(item.High, 0xA);
  EXPECT_EQ(item.Low, 3);
  EXPECT_EQ(item.Entry, 0xA3);
  EXPECT_EQ(MapRowsHigh(ItemOf(16, 16)).Entry, 0xFF);
  EXPECT_EQ(MapRowsHigh(ItemOf(1, 1)).Entry, 0x00);
}

TEST(GridMath, ColumnsHighPutsTheHighNibbleAcrossTheColumns) {
  const GridItem item = MapColumnsHigh(ItemOf(4, 11));
  EXPECT_EQ(item.High, 0xA);
  EXPECT_EQ(item.Low, 3);
  EXPECT_EQ(item.Entry, 0xA3);
  EXPECT_EQ(MapColumnsHigh(ItemOf(2, 1)).Entry, 0x01);
}

TEST(GridMath, EachMappingShowsEveryEntryOnce) {
  for (GridMapping mapper : {MapRowsHigh, MapColumnsHigh}) {
    std::set<int> entries;
    int labels = 0;
    for (int item = 0; item < kGridItems; ++item) {
      const GridItem cell = mapper(item);
      if (cell.High < 0 || cell.Low < 0)
        ++labels;
      else
        entries.insert(cell.Entry);
    }
    EXPECT_EQ(entries.size(), 256u);
    EXPECT_EQ(labels, 33);
  }
}

TEST(GridMath, LabelTexts) {
  std::string top, left;
  for (int i = 1; i < kGridSide; ++i) {
    top += LabelText(MapRowsHigh(ItemOf(0, i)));
    left += LabelText(MapRowsHigh(ItemOf(i, 0)));
  }
  EXPECT_EQ(top, "  00   01   02   03   04   05   06   07   08   09   0A   0B   0C   0D   0E   0F ");
  EXPECT_EQ(left, "  00   10   20   30   40   50   60   70   80   90   A0   B0   C0   D0   E0   F0 ");
  EXPECT_EQ(LabelText(MapColumnsHigh(ItemOf(0, 11))), "  A0 ");
  EXPECT_EQ(LabelText(MapColumnsHigh(ItemOf(11, 0))), "  0A ");
  EXPECT_EQ(LabelText(MapRowsHigh(0)), "     ");
  EXPECT_EQ(LabelText(MapColumnsHigh(0)), "     ");
}

TEST(GridMath, CellGeometry) {
  EXPECT_EQ(GridColumnWidth(790), 46);
  const CellRect rect = ItemRect(ItemOf(11, 4), 790);
  EXPECT_EQ(rect.X, 4 * 46);
  EXPECT_EQ(rect.Y, 11 * 16);
  EXPECT_EQ(rect.Width, 46);
  EXPECT_EQ(rect.Height, 16);
  EXPECT_EQ(ItemAt(4 * 46 + 45, 11 * 16 + 15, 790, kGridItems), ItemOf(11, 4));
  EXPECT_EQ(ItemAt(17 * 46 + 1, 5, 790, kGridItems), -1);  // right of the last column
  EXPECT_EQ(ItemAt(5, 17 * 16 + 1, 790, kGridItems), -1);  // below the last row
  EXPECT_EQ(ItemAt(5, 5, 790, 0), -1);
}

TEST(GridMath, NoItemLeftOfAboveOrInATooNarrowGrid) {
  EXPECT_EQ(ItemAt(-5, 5, 790, kGridItems), -1);
  EXPECT_EQ(ItemAt(5, -5, 790, kGridItems), -1);
  EXPECT_EQ(ItemAt(-46, -16, 790, kGridItems), -1);
  for (const int width : {16, 1, 0, -20}) EXPECT_EQ(ItemAt(5, 5, width, kGridItems), -1) << width;
  EXPECT_EQ(ItemAt(0, 0, 17, kGridItems), 0);
}

// Two tables with the session's colours.
class GridColours : public testing::Test {
 protected:
  CodeTable exp_{TableKind::kExport};
  CodeTable imp_{TableKind::kImport};
  const GridColors colors_ = GridColorsOf(RgbColor(200, 0, 0), RgbColor(0, 200, 0));
};

TEST_F(GridColours, UnassignedUniqueAndAmbiguous) {
  EXPECT_EQ(GridTextColor(exp_, 0x41, colors_), kColorGrayText);
  exp_.Assign(0x41, 0xC1);
  EXPECT_EQ(GridTextColor(exp_, 0x41, colors_), kColorWindowText);
  exp_.Assign(0x42, 0xC1);
  EXPECT_EQ(GridTextColor(exp_, 0x41, colors_), RgbColor(200, 0, 0));
  EXPECT_EQ(GridTextColor(exp_, 0x42, colors_), RgbColor(200, 0, 0));
  exp_.Unassign(0x42);
  EXPECT_EQ(GridTextColor(exp_, 0x41, colors_), kColorWindowText);
  EXPECT_EQ(GridTextColor(exp_, 0x42, colors_), kColorGrayText);
}

TEST_F(GridColours, ProofColourOnlyWhileChained) {
  exp_.Assign(0x41, 0xC1);
  imp_.Assign(0xC1, 0x41);
  imp_.Assign(0xC2, 0x42);  // no way back: EXPORT 0x42 is unassigned
  EXPECT_EQ(GridTextColor(exp_, 0x41, colors_), kColorWindowText);
  exp_.Link(&imp_);
  exp_.SetActive(true);
  EXPECT_EQ(GridTextColor(exp_, 0x41, colors_), RgbColor(0, 200, 0));
  EXPECT_EQ(GridTextColor(imp_, 0xC1, colors_), RgbColor(0, 200, 0));
  EXPECT_EQ(GridTextColor(imp_, 0xC2, colors_), kColorWindowText);
  exp_.Link(nullptr);
  EXPECT_EQ(GridTextColor(exp_, 0x41, colors_), kColorWindowText);
}

TEST_F(GridColours, UnsetColoursFallBackToRedAndGreen) {
  EXPECT_EQ(GridColorsOf(kNoColor, kNoColor).Ambiguous, kColorRed);
  EXPECT_EQ(GridColorsOf(kNoColor, kNoColor).Proof, kColorGreen);
  EXPECT_EQ(GridColorsOf(RgbColor(0, 0, 255), kNoColor).Ambiguous, RgbColor(0, 0, 255));
}

// A session with a scripted prompter and one table window.
class GridWindow : public testing::Test {
 protected:
  ScriptedPrompter* prompter_ = new ScriptedPrompter;
  Session session_;
  CodeTable& exp_ = *session_.ExportTable;
  CodeTable& imp_ = *session_.ImportTable;
  DisplayFont font_{"Courier New", -12};
  TableWindow* window_ = nullptr;
  std::vector<int> selected_;

  void SetUp() override {
    session_.SetPrompter(std::unique_ptr<Prompter>(prompter_));
    exp_.SetFontName("Courier New");
    window_ = new TableWindow(session_, TableKind::kExport);
    Frame()->ItemMapper = MapRowsHigh;
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
  }

  void TearDown() override { delete window_; }

  TableGrid* Frame() const { return window_->Grid; }
  QWidget* List() const { return window_->findChild<QWidget*>("Cells"); }

  void InstallHandler() {
    QObject::connect(Frame(), &TableGrid::EntryChosen, [this](int entry) { selected_.push_back(entry); });
  }

  QPoint CellCenter(int row, int column) const {
    const CellRect rect = ItemRect(ItemOf(row, column), List()->width());
    return QPoint(rect.X + rect.Width / 2, rect.Y + rect.Height / 2);
  }

  void Click(int row, int column) { QTest::mouseClick(List(), Qt::LeftButton, {}, CellCenter(row, column)); }

  QImage Picture() const { return List()->grab().toImage(); }

  // How many pixels of a cell have exactly this colour.
  int PixelsOf(const QImage& image, int row, int column, const QColor& color) const {
    const CellRect rect = ItemRect(ItemOf(row, column), List()->width());
    int count = 0;
    for (int y = rect.Y; y < rect.Y + rect.Height; ++y)
      for (int x = rect.X; x < rect.X + rect.Width; ++x)
        if (image.pixelColor(x, y).rgb() == color.rgb()) ++count;
    return count;
  }
};

TEST_F(GridWindow, ClickSelectsTheEntryUnderEitherOrientation) {
  InstallHandler();
  Click(11, 4);
  EXPECT_EQ(selected_, std::vector<int>{0xA3});
  EXPECT_TRUE(ShownSelected(*Frame(), ItemOf(11, 4)));
  EXPECT_EQ(exp_.IsActive(), 1);
  Frame()->ItemMapper = MapColumnsHigh;
  Click(4, 11);
  EXPECT_EQ(selected_, (std::vector<int>{0xA3, 0xA3}));
  Click(11, 4);
  EXPECT_EQ(selected_.back(), 0x3A);
  EXPECT_EQ(prompter_->Beeps(), 0);
}

TEST_F(GridWindow, DoubleClickRunsTheSelectionAgain) {
  InstallHandler();
  // Qt delivers the second press of a double click as the double click.
  QTest::mouseClick(List(), Qt::LeftButton, {}, CellCenter(2, 3));
  QTest::mouseDClick(List(), Qt::LeftButton, {}, CellCenter(2, 3));
  EXPECT_EQ(selected_, (std::vector<int>{0x12, 0x12}));
}

TEST_F(GridWindow, CornerAndLabelsBeepAndSelectNothing) {
  InstallHandler();
  Click(0, 0);
  Click(0, 7);
  Click(9, 0);
  EXPECT_TRUE(selected_.empty());
  EXPECT_EQ(prompter_->Beeps(), 3);
  EXPECT_EQ(exp_.IsActive(), 0);
}

TEST_F(GridWindow, ClickBesideTheItemsIsAClickWithoutSelection) {
  InstallHandler();
  Click(5, 5);
  QTest::mouseClick(List(), Qt::LeftButton, {}, QPoint(List()->width() - 2, 5));
  EXPECT_EQ(selected_, std::vector<int>{0x44});
  EXPECT_FALSE(ShownSelected(*Frame(), ItemOf(5, 5)));
  EXPECT_EQ(prompter_->Beeps(), 1);
}

TEST_F(GridWindow, KeysBesideArrowsEnterEscapeBeepAndLeaveTheSelection) {
  InstallHandler();
  Click(3, 3);
  List()->setFocus();
  for (Qt::Key key : {Qt::Key_Home, Qt::Key_A, Qt::Key_Tab, Qt::Key_PageDown}) QTest::keyClick(List(), key);
  EXPECT_EQ(prompter_->Beeps(), 4);
  EXPECT_TRUE(ShownSelected(*Frame(), ItemOf(3, 3)));
  EXPECT_EQ(selected_, std::vector<int>{0x22});
  EXPECT_TRUE(List()->hasFocus());
}

TEST_F(GridWindow, WithoutATableTheListIsEmpty) {
  TableGrid empty(session_);
  empty.resize(800, 294);
  empty.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&empty));
  EXPECT_EQ(ShownItemCorner(empty, 0), empty.Cells->palette().color(QPalette::Base));
  QWidget* empty_list = empty.findChild<QWidget*>("Cells");
  QObject::connect(&empty, &TableGrid::EntryChosen, [this](int entry) { selected_.push_back(entry); });
  QTest::mouseClick(empty_list, Qt::LeftButton, {}, QPoint(70, 40));
  EXPECT_EQ(prompter_->Beeps(), 1);
  EXPECT_TRUE(selected_.empty());
}

TEST_F(GridWindow, ClientAreaCaptionAndFont) {
  EXPECT_EQ(window_->geometry().size(), QSize(800, 294));
  EXPECT_EQ(Frame()->size(), QSize(800, 294));
  EXPECT_EQ(List()->size(), QSize(790, 284));
  EXPECT_LE(kGridSide * kGridRowHeight, List()->height());
  EXPECT_TRUE(window_->windowFlags() & Qt::Tool);
  EXPECT_EQ(ShownItemCorner(*Frame(), 0), ResolveColor(kColorButtonFace, List()->palette()));
  EXPECT_EQ(CaptionText(*window_), "QAVO CodeTab EXPORT [Courier New] ");
  EXPECT_EQ(List()->font().pixelSize(), 12);

  // Header bytes are Latin-1; the caption follows every refresh.
  DisplayFont oem("Terminal", -16, true);
  session_.CurrentFont = &oem;
  exp_.SetFontName(
      "Gr\xF6\xDF"
      "e");
  exp_.BuildHeader(TableKind::kUnknown,
                   "M\xFC"
                   "ller");
  window_->Refresh();
  EXPECT_EQ(CaptionText(*window_), QString::fromUtf8("QAVO CodeTab EXPORT [Größe] Müller"));
  EXPECT_EQ(List()->font().pixelSize(), 16);
}

TEST_F(GridWindow, EveryShowRefreshes) {
  window_->hide();
  exp_.Assign(0x41, 0xC1);
  EXPECT_FALSE(DrawnItem(*Frame(), ItemOfEntry(*Frame(), 0x41)).Marked);
  window_->show();
  EXPECT_TRUE(DrawnItem(*Frame(), ItemOfEntry(*Frame(), 0x41)).Marked);
}

TEST_F(GridWindow, BorderFollowsTheActiveFlag) {
  session_.SetActiveColor(kColorFuchsia);
  exp_.Link(&imp_);
  window_->Refresh();
  EXPECT_EQ(ShownBorder(*Frame()), ResolveColor(kColorButtonFace, Frame()->palette()));
  exp_.SetActive(true);
  window_->Refresh();
  EXPECT_EQ(window_->grab().toImage().pixelColor(2, 2), QColor(255, 0, 255));
  session_.SetActiveTable(TableKind::kImport);
  EXPECT_EQ(imp_.IsActive(), 1);
  EXPECT_EQ(window_->grab().toImage().pixelColor(2, 2), ResolveColor(kColorButtonFace, Frame()->palette()));
}

TEST_F(GridWindow, ARefreshChangesNoState) {
  exp_.Link(&imp_);
  imp_.SetActive(true);
  exp_.Select(0x41);
  const CodeTable export_before = exp_;
  const CodeTable import_before = imp_;
  window_->Refresh();
  EXPECT_EQ(RecordDifference(exp_, export_before), "");
  EXPECT_EQ(RecordDifference(imp_, import_before), "");
}

TEST_F(GridWindow, CellsAreDrawnInTheirStateColours) {
  session_.SetAmbiguousColor(RgbColor(230, 0, 0));
  session_.SetProofColor(RgbColor(0, 150, 0));
  exp_.Assign(0x41, 0xC1);
  exp_.Assign(0x42, 0xC1);  // ambiguous pair
  exp_.Assign(0x43, 0xC3);  // proven once chained
  imp_.Assign(0xC3, 0x43);
  exp_.Link(&imp_);
  exp_.SetActive(true);
  window_->Refresh();
  const QImage image = Picture();
  const QColor red(230, 0, 0), green(0, 150, 0);
  EXPECT_GT(PixelsOf(image, 5, 2, red), 0);    // 0x41
  EXPECT_GT(PixelsOf(image, 5, 3, red), 0);    // 0x42
  EXPECT_GT(PixelsOf(image, 5, 4, green), 0);  // 0x43
  EXPECT_EQ(PixelsOf(image, 5, 4, red), 0);
  EXPECT_EQ(PixelsOf(image, 5, 5, red) + PixelsOf(image, 5, 5, green), 0);  // 0x44 unassigned
  const QColor face = ResolveColor(kColorButtonFace, List()->palette());
  EXPECT_GT(PixelsOf(image, 0, 0, face), 46 * 16 - 1);  // the corner is plain button face
}

TEST_F(GridWindow, FocusRectangleMarksTheCurrentEntryOfTheLastUpdate) {
  const QColor text = ResolveColor(kColorWindowText, List()->palette());
  const auto edge_marked = [&](const QImage& image, int row, int column) {
    const CellRect rect = ItemRect(ItemOf(row, column), List()->width());
    int dots = 0;
    for (int y = rect.Y; y < rect.Y + rect.Height; ++y)
      if (image.pixelColor(rect.X, y).rgb() == text.rgb()) ++dots;
    return dots > 2;
  };
  exp_.Select(0x41);
  window_->Refresh();
  QImage image = Picture();
  EXPECT_TRUE(edge_marked(image, 5, 2));
  EXPECT_FALSE(edge_marked(image, 5, 3));
  exp_.Select(0x42);
  EXPECT_TRUE(edge_marked(Picture(), 5, 2));
  window_->Refresh();
  image = Picture();
  EXPECT_FALSE(edge_marked(image, 5, 2));
  EXPECT_TRUE(edge_marked(image, 5, 3));
}

TEST_F(GridWindow, OneRefreshPaintsTheGridOnce) {
  PaintCounter counter(List());
  QApplication::processEvents();
  counter.Paints = 0;
  exp_.Assign(0x41, 0xC1);
  exp_.SetActive(true);
  session_.SetActiveColor(kColorFuchsia);
  window_->Refresh();
  QApplication::processEvents();
  EXPECT_EQ(counter.Paints, 1);
  counter.Paints = 0;
  window_->Refresh();
  Frame()->Refresh();
  window_->Refresh();
  QApplication::processEvents();
  EXPECT_EQ(counter.Paints, 1);
}

}  // namespace
