// What the grid draws in a cell, recorded instead of painted.
#pragma once

#include <QColor>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QPen>
#include <QString>
#include <vector>

#include "ui/gridmath.h"
#include "ui/tablegrid.h"

// The item of the grid that shows an entry, under the grid's present mapping.
inline int ItemOfEntry(const TableGrid& grid, int entry) {
  for (int item = 0; item < kGridItems; ++item) {
    const GridItem cell = grid.ItemMapper(item);
    if (cell.High >= 0 && cell.Low >= 0 && cell.Entry == entry) return item;
  }
  return -1;
}

// A paint device that keeps what is drawn on it: texts with their pen
// colours, and dotted rectangles.
class RecordingEngine : public QPaintEngine {
 public:
  struct ShownText {
    QString Text;
    QColor Color;
  };
  std::vector<ShownText> Texts;
  int DottedFrames = 0;

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& state) override {
    if (state.state() & QPaintEngine::DirtyPen) pen_ = state.pen();
  }
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {
    if (pen_.style() == Qt::DotLine) ++DottedFrames;
  }
  void drawTextItem(const QPointF&, const QTextItem& item) override { Texts.push_back({item.text(), pen_.color()}); }
  Type type() const override { return QPaintEngine::User; }

 private:
  QPen pen_;
};

class RecordingDevice : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &Engine; }
  mutable RecordingEngine Engine;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
        return 100;
      case PdmHeight:
        return 16;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 96;
    }
  }
};

// One cell as the grid draws it.
struct ShownCell {
  QString Text;
  QColor Color;
  bool Marked = false;  // the dotted frame of the current entry
};

// The colour the grid's border shows.
inline QColor ShownBorder(const TableGrid& grid) { return grid.Border->grab().toImage().pixelColor(1, 1); }

inline ShownCell DrawnItem(TableGrid& grid, int item) {
  RecordingDevice device;
  QPainter painter(&device);
  grid.CellsDrawItem(painter, item, QRect(0, 0, 100, 16));
  painter.end();
  ShownCell cell;
  for (const auto& text : device.Engine.Texts) {
    cell.Text += text.Text;
    cell.Color = text.Color;
  }
  cell.Marked = device.Engine.DottedFrames > 0;
  return cell;
}

// The colour the grid draws an entry's text in.
inline QColor ShownColor(TableGrid& grid, int entry) { return DrawnItem(grid, ItemOfEntry(grid, entry)).Color; }

// The colour the list shows in an item's inner bottom-right corner, where no
// text reaches: the highlight of the selected item, the face of a label.
inline QColor ShownItemCorner(const TableGrid& grid, int item) {
  const CellRect cell = ItemRect(item, grid.Cells->width(), grid.RowHeight());
  const QImage image = grid.Cells->grab().toImage();
  const qreal ratio = image.devicePixelRatio();
  return image.pixelColor(static_cast<int>((cell.X + cell.Width - 2) * ratio),
                          static_cast<int>((cell.Y + cell.Height - 2) * ratio));
}

inline bool ShownSelected(const TableGrid& grid, int item) {
  return ShownItemCorner(grid, item) == grid.Cells->palette().color(QPalette::Highlight);
}
