#include "ui/tablewindow.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QVBoxLayout>

#include "app/session.h"
#include "platform/colors.h"
#include "platform/displayfont.h"
#include "ui/tablegrid.h"

namespace {

// The header as the caption, with Qt's place for the changed mark at its
// end; a "[*]" of the header itself stays text.
// The grid at 100 %.
constexpr QSize kGridSize(800, 294);

QString CaptionOf(const CodeTable& table) { return HeaderText(table).replace("[*]", "[*][*]") + "[*]"; }

}  // namespace

TableWindow::TableWindow(Session& session, TableKind kind, QWidget* parent)
    : QWidget(parent, Qt::Tool), session_(session), kind_(kind) {
  setObjectName(kind == TableKind::kExport ? "ExportWindow" : "ImportWindow");
  setFont(DisplayFont("MS Sans Serif", -11).ToQFont());
  setPalette(LightPalette());
  setAcceptDrops(true);
  // The cells explain themselves while the user works in the control window.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  Grid = new TableGrid(session, this);
  // The window keeps exactly the grid's size: 17 rows of 16 pixels must fit.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(Grid);
  FollowZoom();
  Grid->SetTable(&session.Table(kind));
  FollowSwap();
  Refresh();

  connect(&session, &Session::TablesChanged, this, &TableWindow::Refresh);
  connect(&session, &Session::ColorsChanged, this, &TableWindow::Refresh);
  connect(&session, &Session::ChangeMarksChanged, this, [this] { setWindowModified(session_.IsChanged(kind_)); });
  connect(&session, &Session::DisplayFontChanged, this, &TableWindow::Refresh);
  connect(&session, &Session::WorkstationCharsetChanged, this, &TableWindow::Refresh);
  connect(&session, &Session::ComparisonMarksChanged, Grid->Cells, qOverload<>(&QWidget::update));
  connect(&session, &Session::SwapChanged, this, [this] {
    FollowSwap();
    Refresh();
  });
}

void TableWindow::FollowZoom() {
  const int percent = session_.Zoom();
  Grid->setFixedSize(kGridSize * percent / 100);
  Grid->SetZoom(percent);
  layout()->activate();
}

void TableWindow::FollowSwap() {
  Grid->ItemMapper = session_.SwapRowsColumns->isChecked() ? MapColumnsHigh : MapRowsHigh;
}

void TableWindow::Refresh() {
  const CodeTable& table = session_.Table(kind_);
  if (session_.CurrentFont) Grid->SetListFont(*session_.CurrentFont);
  const QString caption = CaptionOf(table);
  if (windowTitle() != caption) setWindowTitle(caption);
  setWindowModified(session_.IsChanged(kind_));
  Grid->Refresh();
}

void TableWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

// The close box hides the window; the "&Fenster" items follow.
void TableWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  session_.TableWindowClosed(kind_);
}

void TableWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void TableWindow::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  session_.OpenDrop(*event->mimeData());
}
