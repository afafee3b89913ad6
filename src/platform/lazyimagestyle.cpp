#include "platform/lazyimagestyle.h"

#include <qdrawutil.h>

#include <QGroupBox>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

namespace {

// Stands for a standard icon of a style until something needs its pixels or
// sizes; then the style makes the icon, which answers from then on.
class LazyIconEngine : public QIconEngine {
 public:
  LazyIconEngine(QStyle* style, QStyle::StandardPixmap icon, const QWidget* widget)
      : style_(style), which_(icon), widget_(const_cast<QWidget*>(widget)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  // Asked at once by every widget that takes an icon; answering it must not
  // read the images.
  bool isNull() override { return false; }
  QIconEngine* clone() const override { return new LazyIconEngine(*this); }

 private:
  const QIcon& Icon() {
    if (!made_ && style_) icon_ = style_->standardIcon(which_, nullptr, widget_);
    made_ = true;
    return icon_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  QPointer<QWidget> widget_;
  bool made_ = false;
  QIcon icon_;
};

// Fusion draws this image around every group box.
const QPixmap& FusionGroupBoxImage() {
  static const QPixmap kImage = [] {
    QImageReader reader(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png", "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
  }();
  return kImage;
}

}  // namespace

LazyImageStyle::LazyImageStyle(QStyle* base) : QProxyStyle(base) {}

QIcon LazyImageStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  // An option may not outlive this call; icons asked for with one are made now.
  if (option) return QProxyStyle::standardIcon(icon, option, widget);
  return QIcon(new LazyIconEngine(baseStyle(), icon, widget));
}

void LazyImageStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                   const QWidget* widget) const {
  const bool fusion_group_box = element == PE_FrameGroupBox &&
                                baseStyle()->name().compare("fusion", Qt::CaseInsensitive) == 0 &&
                                !FusionGroupBoxImage().isNull();
  if (!fusion_group_box) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // Fusion's own geometry: the frame starts below the title, or 3 pixels
  // down for a group box without title and check box.
  constexpr int kTopMargin = 3;
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const bool titled = !box || box->isCheckable() || !box->title().isEmpty();
  const int top =
      titled
          ? std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) + kTopMargin
          : kTopMargin;
  qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6), FusionGroupBoxImage());
}
