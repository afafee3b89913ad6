#include "ui/tablegrid.h"

#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/session.h"
#include "model/codetable.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "ui/entrydescription.h"
#include "ui/textfit.h"

namespace {
constexpr int kBorderWidth = 5;
constexpr int kTextLeft = 2;
}  // namespace

// The coloured margin around the grid. A colour change repaints the margin
// only, never the grid inside it.
class BorderPanel : public QWidget {
 public:
  explicit BorderPanel(QWidget* parent) : QWidget(parent) { setObjectName("Border"); }

  int32_t Color = kColorYellow;

  void SetColor(int32_t color) {
    if (color == Color) return;
    Color = color;
    update(QRegion(rect()) - QRegion(rect().adjusted(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth)));
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QColor color = ResolveColor(Color, palette());
    if (!color.isValid()) color = ResolveColor(kColorButtonFace, palette());
    QPainter(this).fillRect(event->rect(), color);
  }
};

// The owner-drawn list: 0 or 289 items laid out column by column, single
// selection. All items are painted in one pass; every refresh only
// schedules that pass.
class GridList : public QWidget {
 public:
  GridList(TableGrid* frame, QWidget* parent) : QWidget(parent), frame_(frame) {
    setObjectName("Cells");
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  int Count = 0;
  int Index = -1;

  // Highlights one item (-1: none), repainting only the two items involved.
  void Select(int item) {
    if (item == Index) return;
    RepaintItem(Index);
    Index = item;
    RepaintItem(Index);
  }

  void SetCount(int count) {
    if (count != Count) Index = -1;
    Count = count;
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    painter.setFont(frame_->CellFit().Font);
    for (int item = 0; item < Count; ++item) {
      const CellRect cell = ItemRect(item, width(), frame_->RowHeight());
      const QRect rect(cell.X, cell.Y, cell.Width, cell.Height);
      if (!event->rect().intersects(rect)) continue;
      if (item == Index) painter.fillRect(rect, palette().color(QPalette::Highlight));
      painter.save();
      painter.setClipRect(rect);
      frame_->CellsDrawItem(painter, item, rect);
      painter.restore();
    }
  }

  // A double click arrives as press, release, double click, release: both
  // clicks select and run the handler.
  void mousePressEvent(QMouseEvent* event) override { Click(*event); }
  void mouseDoubleClickEvent(QMouseEvent* event) override { Click(*event); }

  // Every key goes to the grid's key handler, Tab included.
  bool event(QEvent* event) override {
    if (event->type() == QEvent::ToolTip) {
      const auto& help = static_cast<const QHelpEvent&>(*event);
      frame_->ShowEntryTooltip(ItemAt(help.pos().x(), help.pos().y(), width(), Count, frame_->RowHeight()),
                               help.globalPos());
      return true;
    }
    if (event->type() != QEvent::KeyPress) return QWidget::event(event);
    event->accept();
    frame_->CellsKeyDown(static_cast<const QKeyEvent&>(*event));
    return true;
  }

 private:
  void Click(const QMouseEvent& event) {
    if (event.button() != Qt::LeftButton) return;
    const QPoint at = event.position().toPoint();
    Select(ItemAt(at.x(), at.y(), width(), Count, frame_->RowHeight()));
    frame_->CellPressed();
  }

  void RepaintItem(int item) {
    if (item < 0) return;
    const CellRect cell = ItemRect(item, width(), frame_->RowHeight());
    update(cell.X, cell.Y, cell.Width, cell.Height);
  }

  TableGrid* frame_;
};

TableGrid::TableGrid(Session& session, QWidget* parent) : QFrame(parent), session_(session) {
  setObjectName("Grid");
  resize(840, 294);
  border_ = new BorderPanel(this);
  Border = border_;
  CellPanel = new QWidget(Border);
  CellPanel->setObjectName("CellPanel");
  list_ = new GridList(this, CellPanel);
  Cells = list_;
  list_font_ = DisplayFont("Fixedsys", -11);
  Cells->setFont(list_font_.ToQFont());

  auto* frame_layout = new QVBoxLayout(this);
  frame_layout->setContentsMargins(0, 0, 0, 0);
  frame_layout->addWidget(Border);
  auto* border_layout = new QVBoxLayout(Border);
  border_layout->setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
  border_layout->addWidget(CellPanel);
  auto* panel_layout = new QVBoxLayout(CellPanel);
  panel_layout->setContentsMargins(0, 0, 0, 0);
  panel_layout->addWidget(Cells);
  connect(&session_, &Session::ActiveTableChanged, this, &TableGrid::UpdateBorder);
  connect(&session_, &Session::EntrySelected, this, [this](TableKind kind) {
    if (table_ && kind == session_.KindOf(*table_)) Refresh();
  });
}

void TableGrid::SetTable(const CodeTable* table) {
  table_ = table;
  if (!table_) return;
  cached_ = GridColorsOf(session_.AmbiguousColor, session_.ProofColor);
  UpdateBorder();
}

void TableGrid::Refresh() {
  if (!table_) {
    ClearList();
    return;
  }
  cached_ = GridColorsOf(session_.AmbiguousColor, session_.ProofColor);
  UpdateBorder();
  list_->SetCount(kGridItems);
  current_entry_ = table_->CurrentPosition();
  Cells->update();
}

void TableGrid::ClearList() {
  if (list_->Count == 0) return;
  list_->SetCount(0);
  Cells->update();
}

void TableGrid::UpdateBorder() {
  border_->SetColor(table_ && table_->IsActive() ? session_.ActiveColor : kColorButtonFace);
}

void TableGrid::SetListFont(const DisplayFont& font) {
  const QFont qfont = font.ToQFont();
  if (qfont != list_font_.ToQFont() || font.OemCharset != list_font_.OemCharset) fitted_ = false;
  list_font_ = font;
  if (Cells->font() != qfont) Cells->setFont(qfont);
}

const TextFit& TableGrid::CellFit() const {
  const QSize cell(GridColumnWidth(Cells->width()), RowHeight());
  if (cell != fitted_cell_ || !fitted_) {
    fitted_cell_ = cell;
    fitted_ = true;
    cell_fit_ = FitCells(ZoomedFont(), list_font_.OemCharset, cell, kTextLeft);
  }
  return cell_fit_;
}

ByteCharset TableGrid::Charset() const { return {session_.WorkstationCharset(), list_font_.OemCharset}; }

void TableGrid::SetZoom(int percent) {
  if (percent == zoom_) return;
  zoom_ = percent;
  fitted_ = false;
  Cells->update();
}

int TableGrid::RowHeight() const { return kGridRowHeight * zoom_ / 100; }

QFont TableGrid::ZoomedFont() const {
  QFont font = list_font_.ToQFont();
  if (font.pixelSize() > 0)
    font.setPixelSize(font.pixelSize() * zoom_ / 100);
  else
    font.setPointSizeF(font.pointSizeF() * zoom_ / 100);
  return font;
}

void TableGrid::CellsDrawItem(QPainter& painter, int item, const QRect& rect) {
  const QPalette& palette = Cells->palette();
  if (item == 0) {
    painter.fillRect(rect, ResolveColor(kColorButtonFace, palette));
    return;
  }
  const GridItem cell = ItemMapper(item);
  // One line of text, 2 pixels in, on the baseline that keeps it whole.
  const QPointF origin(rect.left() + kTextLeft, rect.top() + CellFit().Baseline);
  if (cell.High < 0 || cell.Low < 0) {
    painter.fillRect(rect, ResolveColor(kColorButtonFace, palette));
    painter.setPen(palette.color(QPalette::Text));
    cell_text_.Draw(painter, origin, QString::fromLatin1(LabelText(cell).c_str()));
    return;
  }
  if (!table_) return;
  painter.setPen(ResolveColor(GridTextColor(*table_, cell.Entry, cached_), palette));
  cell_text_.Draw(painter, origin, DisplayCell(table_->Cell(cell.Entry), Charset()));
  if (current_entry_ != -1 && current_entry_ == cell.Entry) {
    painter.setPen(QPen(ResolveColor(kColorWindowText, palette), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
  }
  // An entry the open comparison lists; inside the current entry's frame.
  if (session_.ComparisonMarked(*table_, cell.Entry)) {
    painter.setPen(QPen(ResolveColor(cached_.Ambiguous, palette), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
  }
}

void TableGrid::CellPressed() {
  if (list_->Index < 0) {
    session_.Prompt().Beep();
    return;
  }
  const GridItem cell = ItemMapper(list_->Index);
  if (cell.High < 0 || cell.Low < 0 || !table_) {
    session_.Prompt().Beep();
    return;
  }
  session_.SetActiveTable(session_.KindOf(*table_));
  emit EntryChosen(cell.Entry);
}

void TableGrid::ShowEntryTooltip(int item, const QPoint& at) {
  const GridItem cell = item < 0 ? GridItem{-1, -1, -1} : ItemMapper(item);
  if (!table_ || cell.High < 0 || cell.Low < 0) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(at, DescribeEntry(*table_, cell.Entry, Charset()), Cells);
}

// Arrows step the current entry as Ctrl+arrows do in the editor, Enter
// goes on to the editor, Escape back to the control window; other keys are
// refused.
void TableGrid::CellsKeyDown(const QKeyEvent& key) {
  if (key.modifiers() & ~Qt::KeypadModifier || !table_) {
    session_.Prompt().Beep();
    return;
  }
  switch (key.key()) {
    case Qt::Key_Up:
      return Step(session_.StepUp(*table_));
    case Qt::Key_Down:
      return Step(session_.StepDown(*table_));
    case Qt::Key_Left:
      return Step(session_.StepLeft(*table_));
    case Qt::Key_Right:
      return Step(session_.StepRight(*table_));
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit EntryChosen(table_->CurrentPosition());
      return;
    case Qt::Key_Escape:
      emit LeaveRequested();
      return;
    default:
      session_.Prompt().Beep();
  }
}

// The highlight goes along with the current entry, as in a list box.
void TableGrid::Step(int position) {
  session_.SetActiveTable(session_.KindOf(*table_));
  list_->Select(ItemOfEntry(ItemMapper, position));
  emit EntryStepped(position);
}
