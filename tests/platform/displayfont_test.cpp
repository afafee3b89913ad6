// The classic font names draw with installed faces that have their glyphs,
// found directly rather than through a fallback search.
#include "platform/displayfont.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <QPicture>

namespace {

TEST(FontObject, ClassicNamesDrawWithTheirStandInFaces) {
  struct Case {
    const char* Name;
    const char* Face;
    bool FixedPitch;
  };
  for (const Case& c : {Case{"Courier New", "Liberation Mono", true}, Case{"Fixedsys", "Liberation Mono", true},
                        Case{"MS Sans Serif", "Liberation Sans", false}, Case{"Terminal", "DejaVu Sans Mono", true}}) {
    const DisplayFont font(c.Name, -12);
    const QFontInfo info(font.ToQFont());
    EXPECT_EQ(info.family(), c.Face) << c.Name;
    EXPECT_TRUE(info.exactMatch()) << c.Name;
    EXPECT_EQ(info.fixedPitch(), c.FixedPitch) << c.Name;
    EXPECT_EQ(info.pixelSize(), 12) << c.Name;
    EXPECT_EQ(font.Name, c.Name);
  }
}

TEST(FontObject, OtherNamesAreAskedForAsTheyAre) {
  const QFontInfo info(DisplayFont("DejaVu Sans", -16, false, true).ToQFont());
  EXPECT_EQ(info.family(), "DejaVu Sans");
  EXPECT_EQ(info.pixelSize(), 16);
  EXPECT_TRUE(info.bold());
}

TEST(FontObject, NoNameGivesTheApplicationFaceThatARecordingCanKeep) {
  const QFont font = DisplayFont("", -12).ToQFont();
  EXPECT_EQ(font.family(), QFont().family());
  QPicture picture;
  QPainter painter(&picture);
  painter.setFont(font);
  painter.drawText(0, 10, "A");
  EXPECT_TRUE(painter.end());
  EXPECT_GT(picture.size(), 0u);
}

}  // namespace
