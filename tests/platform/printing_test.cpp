// Where window pictures land on a printed page, and the pictures themselves.
#include "platform/printing.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/colors.h"
#include "support/pdftext.h"

namespace {

constexpr PrintPosition kUpper = PrintPosition::kUpper;
constexpr PrintPosition kLower = PrintPosition::kLower;

TEST(PicturePlace, PortraitPageGivesTheWorkedNumbers) {
  const QSize page(4960, 7016);
  const QSize window(808, 328);
  EXPECT_EQ(PicturePlace(page, window, kUpper), QRect(200, 800, 4464, 1771));
  EXPECT_EQ(PicturePlace(page, window, kLower), QRect(200, 3508, 4464, 1771));
  EXPECT_EQ(PictureRect(page, window, kUpper), QRect(200, 800, 4464, 1771));
  EXPECT_EQ(PictureRect(page, window, kLower), QRect(200, 3508, 4464, 1771));
}

TEST(PicturePlace, LandscapePageFillsTheHeightAndScalesTheWidthByWholeSteps) {
  // 4960 div 328 = 15, so the width is 15 x 808 = 12120 before the 90 per cent.
  EXPECT_EQ(PicturePlace(QSize(7016, 4960), QSize(808, 328), kUpper), QRect(200, 800, 10908, 4464));
  EXPECT_EQ(PicturePlace(QSize(7016, 4960), QSize(808, 328), kLower), QRect(200, 2480, 10908, 4464));
  // A square page counts as landscape.
  EXPECT_EQ(PicturePlace(QSize(5000, 5000), QSize(1000, 300), kUpper), QRect(200, 800, 14400, 4500));
}

TEST(PicturePlace, NinetyPerCentIsTruncatedNotRounded) {
  // 7 x 111 = 777; 0.9 x 777 = 699.3. 0.9 x 1000 = 900.
  EXPECT_EQ(PicturePlace(QSize(1000, 3000), QSize(140, 111), kUpper), QRect(200, 800, 900, 699));
  // 0.9 x 19 = 17.1 and 0.9 x 2999 = 2699.1.
  EXPECT_EQ(PicturePlace(QSize(2999, 3000), QSize(2999, 19), kLower), QRect(200, 1500, 2699, 17));
}

TEST(PicturePlace, EmptySizesGiveNoPicture) {
  EXPECT_TRUE(PicturePlace(QSize(4960, 7016), QSize(0, 328), kUpper).isEmpty());
  EXPECT_TRUE(PicturePlace(QSize(4960, 7016), QSize(808, 0), kUpper).isEmpty());
  EXPECT_TRUE(PicturePlace(QSize(0, 0), QSize(808, 328), kLower).isEmpty());
  EXPECT_TRUE(PictureRect(QSize(4960, 7016), QSize(), kLower).isEmpty());
}

TEST(FitOnPage, LandscapePicturesShrinkIntoTheirHalves) {
  const QSize page(7016, 4960);
  EXPECT_EQ(PictureRect(page, QSize(808, 328), kUpper), QRect(200, 800, 4105, 1680));
  EXPECT_EQ(PictureRect(page, QSize(808, 328), kLower), QRect(200, 2480, 6060, 2480));
  // Qt's A4 landscape at 600 dpi within the default margins.
  EXPECT_EQ(PictureRect(QSize(6851, 4792), QSize(808, 328), kUpper), QRect(200, 800, 3767, 1596));
  EXPECT_EQ(PictureRect(QSize(6851, 4792), QSize(808, 328), kLower), QRect(200, 2396, 5656, 2396));
}

TEST(FitOnPage, PortraitPicturePastTheBottomOrTheRightEdgeShrinks) {
  // Past the bottom: 800 + 4320 > 5000.
  EXPECT_EQ(PictureRect(QSize(4960, 5000), QSize(808, 800), kUpper), QRect(200, 800, 1756, 1700));
  EXPECT_EQ(PictureRect(QSize(4960, 5000), QSize(808, 800), kLower), QRect(200, 2500, 2583, 2500));
  // Past the right edge: 200 + 900 > 1000; the width is the tighter limit.
  EXPECT_EQ(PictureRect(QSize(1000, 3000), QSize(100, 50), kUpper), QRect(200, 800, 800, 400));
  EXPECT_EQ(PictureRect(QSize(1000, 3000), QSize(100, 50), kLower), QRect(200, 1500, 800, 400));
}

TEST(FitOnPage, PlaceReachingExactlyToTheEdgeIsKept) {
  const QSize page(1200, 4000);
  const QRect place(200, 2000, 1000, 2000);
  EXPECT_EQ(FitOnPage(place, page, kLower), place);
  EXPECT_EQ(FitOnPage(place.adjusted(0, 0, 1, 0), page, kLower), QRect(200, 2000, 1000, 1998));
}

TEST(FitOnPage, NoUpperRoomOnATinyPageGivesNoPictureRatherThanANegativeOne) {
  const QRect fitted = PictureRect(QSize(500, 1200), QSize(100, 50), kUpper);
  EXPECT_GE(fitted.width(), 0);
  EXPECT_GE(fitted.height(), 0);
  EXPECT_TRUE(fitted.isEmpty());
}

TEST(FitOnPage, EveryPictureEndsOnThePageAndChangedOnesInTheirHalfWithTheirShape) {
  const QSize windows[] = {{808, 328}, {328, 808}, {808, 800}, {214, 440}, {1600, 200}};
  for (int pw = 1800; pw <= 15000; pw += 733) {
    for (int ph = 1800; ph <= 15000; ph += 911) {
      const QSize page(pw, ph);
      for (const QSize& window : windows) {
        for (const PrintPosition position : {kUpper, kLower}) {
          const QRect place = PicturePlace(page, window, position);
          const QRect fitted = FitOnPage(place, page, position);
          const std::string at = std::to_string(pw) + "x" + std::to_string(ph);
          ASSERT_TRUE(QRect(QPoint(0, 0), page).contains(fitted) || fitted.isEmpty()) << at;
          ASSERT_EQ(fitted.topLeft(), place.topLeft()) << at;
          if (fitted == place) continue;
          ASSERT_LE(fitted.width(), place.width()) << at;
          ASSERT_LE(fitted.height(), place.height()) << at;
          const int half = position == kUpper ? ph / 2 : ph;
          ASSERT_LE(fitted.bottom(), half - 1) << at;
          // One side meets its limit; the other keeps the shape within a pixel.
          ASSERT_TRUE(fitted.right() == pw - 1 || fitted.bottom() == half - 1) << at;
          const double shape = double(place.width()) / place.height();
          ASSERT_NEAR(fitted.width(), fitted.height() * shape, shape + 1) << at;
        }
      }
    }
  }
}

class PlainWindow : public QWidget {
 public:
  explicit PlainWindow(const QColor& fill) : fill_(fill) {}

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), fill_); }

 private:
  QColor fill_;
};

int CountPixels(const QImage& image, const QRect& area, const QColor& color) {
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixelColor(x, y) == color) ++n;
  return n;
}

// The window drawn with its frame at its outer size on a white image.
QImage Framed(QWidget& window) {
  QImage image(FramedSize(window), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  DrawFramedWindow(painter, window, image.rect());
  return image;
}

TEST(WindowPrint, CaptionShowsTheChangedMarkAsTheScreenDoes) {
  const struct {
    const char* Title;
    bool Modified;
    const char* Shown;
  } cases[] = {
      {"QAVO CodeTab EXPORT [Courier New] QAVO[*]", false, "QAVO CodeTab EXPORT [Courier New] QAVO"},
      {"QAVO CodeTab EXPORT [Courier New] QAVO[*]", true, "QAVO CodeTab EXPORT [Courier New] QAVO*"},
      {"a[*][*]b [*]", true, "a[*]b *"},
      {"a[*][*][*]", false, "a[*]"},
      {"Probetext", true, "Probetext"},
  };
  for (const auto& c : cases) EXPECT_EQ(ShownCaption(c.Title, c.Modified), c.Shown) << c.Title;
}

TEST(WindowPrint, CaptionCarriesTheTitle) {
  PlainWindow window(Qt::white);
  window.resize(300, 100);
  const QRect title_area(8, 4, 200, 25);
  window.setWindowTitle(QString());
  const QImage bare = Framed(window);
  window.setWindowTitle("QAVO CodeTab IMPORT ");
  const QImage titled = Framed(window);
  const QColor text_color =
      LightPalette().color(window.isActiveWindow() ? QPalette::HighlightedText : QPalette::WindowText);
  EXPECT_EQ(CountPixels(bare, title_area, text_color), 0);
  EXPECT_GT(CountPixels(titled, title_area, text_color), 50);
}

TEST(WindowPrint, FramedWindowFillsItsPlaceWithCaptionBorderAndContent) {
  PlainWindow window(QColor(10, 200, 30));
  window.resize(800, 294);
  window.setWindowTitle("QAVO CodeTab EXPORT [Courier New] ");
  for (const int scale : {1, 3}) {
    QImage page(QSize(900, 400) * scale, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter painter(&page);
      DrawFramedWindow(painter, window, QRect(QPoint(50, 20) * scale, QSize(808, 328) * scale));
    }
    const QColor content(10, 200, 30);
    const QRect inner(QPoint(54, 50) * scale, QSize(800, 294) * scale);
    EXPECT_EQ(CountPixels(page, inner, content), inner.width() * inner.height()) << scale;
    EXPECT_EQ(CountPixels(page, QRect(QPoint(50, 20) * scale, QSize(808, 30) * scale), content), 0) << scale;
    // Nothing outside the place.
    EXPECT_EQ(CountPixels(page, QRect(0, 0, page.width(), 20 * scale), Qt::white), page.width() * 20 * scale);
    EXPECT_EQ(CountPixels(page, QRect(0, 348 * scale, page.width(), 52 * scale), Qt::white), page.width() * 52 * scale);
  }
}

TEST(WindowPrint, WindowIsDrawnWithItsFrameAsTextAndTheTimeAtTheFoot) {
  QWidget window;
  window.setWindowTitle("QAVO CodeTab EXPORT [Courier New] ");
  auto* layout = new QVBoxLayout(&window);
  auto* label = new QLabel(QString::fromUtf8("À:C0   Á:C1   F0"));
  QFont font("Liberation Mono");
  font.setPixelSize(12);
  label->setFont(font);
  layout->addWidget(label);
  window.resize(800, 294);
  window.show();
  EXPECT_EQ(window.size().grownBy(FrameMarginsOf(window)), QSize(808, 328));

  QTemporaryDir dir;
  const QString pdf = dir.filePath("window.pdf");
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFileName(pdf);
  const QDateTime printed(QDate(2026, 3, 7), QTime(9, 5));
  {
    QPainter painter(&printer);
    const QSize page(printer.width(), printer.height());
    DrawFramedWindow(painter, window, PictureRect(page, QSize(808, 328), PrintPosition::kUpper));
    DrawPrintTime(painter, page, printed);
  }
  const QString text = PdfText(pdf);
  EXPECT_TRUE(text.contains("QAVO CodeTab EXPORT [Courier New]")) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromUtf8("À:C0   Á:C1   F0"))) << text.toStdString();
  EXPECT_TRUE(text.contains("Gedruckt am 07.03.2026 um 09:05 Uhr")) << text.toStdString();
}

}  // namespace
