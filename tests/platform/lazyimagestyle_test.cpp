// The start-up style draws exactly what Fusion draws, and makes a standard
// icon only when its pixels are needed.
#include "platform/lazyimagestyle.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QImage>
#include <QStyleFactory>
#include <memory>

namespace {

QImage Grab(QWidget& widget, QStyle* style) {
  widget.setStyle(style);
  return widget.grab().toImage();
}

TEST(LazyImageStyle, GroupBoxesLookAsUnderFusion) {
  QGroupBox titled("Export von ASCII");
  QGroupBox untitled;
  QGroupBox checkable;
  checkable.setCheckable(true);
  std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
  LazyImageStyle lazy(QStyleFactory::create("Fusion"));
  for (QGroupBox* box : {&titled, &untitled, &checkable}) {
    box->resize(200, 120);
    const QImage expected = Grab(*box, fusion.get());
    EXPECT_EQ(Grab(*box, &lazy), expected) << box->title().toStdString() << " " << box->isCheckable();
  }
}

// Counts the icons its base style makes.
class CountingStyle : public QProxyStyle {
 public:
  CountingStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override {
    ++Made;
    return QProxyStyle::standardIcon(icon, option, widget);
  }
  mutable int Made = 0;
};

TEST(LazyImageStyle, MakesAStandardIconWhenItsPixelsAreNeeded) {
  auto* counting = new CountingStyle;
  LazyImageStyle lazy(counting);
  const QIcon icon = lazy.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, nullptr);
  EXPECT_FALSE(icon.isNull());
  EXPECT_EQ(counting->Made, 0);

  const QImage shown = icon.pixmap(16, 16).toImage();
  EXPECT_EQ(counting->Made, 1);
  const QIcon made = counting->QProxyStyle::standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr, nullptr);
  EXPECT_EQ(shown, made.pixmap(16, 16).toImage());
  icon.pixmap(32, 32);
  EXPECT_EQ(counting->Made, 1);
}

}  // namespace
