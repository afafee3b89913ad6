#include "ui/controlwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QWindow>

#include "app/session.h"
#include "platform/colors.h"
#include "platform/helpviewer.h"
#include "ui/differencelist.h"
#include "ui/entryeditor.h"
#include "ui/sampletextwindow.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"
#include "ui/windowframes.h"
#include "ui/windowplacement.h"

namespace {

const char* const kHelpContextProperty = "helpContext";

void SetBackground(QWidget* widget, int32_t color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ResolveColor(color, widget->palette()));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The EXPORT window sits at the top left; the IMPORT window below it,
// covering the lowest 8 pixels of the EXPORT window. Under a window manager
// this is done again on the frames once they are known.
void Place(TableWindow& window, TableKind kind) {
  window.move(0, kind == TableKind::kImport ? window.frameGeometry().height() - kImportOverlap : 0);
}

void PlaceFramed(TableWindow& window, TableKind kind) {
  WhenFramed(window, [&window, kind](const QMargins& frame) {
    const TablePlaces places = PlaceTableWindows(window.screen()->availableGeometry(), {window.size(), frame});
    MoveFrameTo(window, kind == TableKind::kExport ? places.ExportFrame : places.ImportFrame, frame);
  });
}

// The window at the session's zoom and at its place for that size; the
// frame it takes on the screen, none while it is hidden or not yet framed.
QRect ZoomTableWindow(TableWindow& window, TableKind kind) {
  window.FollowZoom();
  if (!window.isVisible()) {
    // It comes back at its place for the new size.
    Place(window, kind);
    return QRect();
  }
  const QMargins frame = window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
  if (frame.isNull()) return QRect();
  const TablePlaces places = PlaceTableWindows(window.screen()->availableGeometry(), {window.size(), frame});
  const QPoint place = kind == TableKind::kExport ? places.ExportFrame : places.ImportFrame;
  MoveFrameTo(window, place, frame);
  return QRect(place, window.size().grownBy(frame));
}

}  // namespace

ControlWindow::ControlWindow(Session& session, QWidget* owner) : QMainWindow(owner), session_(session) {
  BuildForm();
  move(kControlPlace);
  ConnectSession();
  UpdateViews();
  ExportEditor->SourceChar()->setFocus();
}

ControlWindow::~ControlWindow() {
  // The editors lose the focus while the window is torn down.
  disconnect(qApp, nullptr, this, nullptr);
  delete ExportWindow;
  delete ImportWindow;
}

void ControlWindow::BuildForm() {
  setObjectName("ControlWindow");
  // Before the editors exist: they take their colours from it.
  setPalette(LightPalette());
  setWindowTitle(QString::fromUtf8("QAVO® Code Table Editor Control[*]"));
  setAcceptDrops(true);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowContextHelpButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(DisplayFont("MS Sans Serif", -11).ToQFont());

  ChainMargin = new QWidget(this);
  ChainMargin->setObjectName("ChainMargin");
  ChainMargin->setFixedSize(214, 392);
  SetBackground(ChainMargin, kColorButtonFace);
  setCentralWidget(ChainMargin);

  auto* panel = new QFrame(ChainMargin);
  panel->setObjectName("EditorPanel");
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setGeometry(6, 6, 202, 380);
  SetBackground(panel, kColorButtonFace);
  EditorPanel = panel;

  ExportEditor = new EntryEditor(session_, TableKind::kExport, EditorPanel);
  ExportEditor->setObjectName("ExportEditor");
  ExportEditor->setGeometry(1, 1, 200, 173);
  // The display font and, beside it, the workstation character set.
  CurrentFontLabel = new QLabel(EditorPanel);
  CurrentFontLabel->setObjectName("CurrentFontLabel");
  CurrentFontLabel->setGeometry(4, 184, 112, 17);
  CurrentFontLabel->setAlignment(Qt::AlignCenter);
  WorkstationCharsetLabel = new QLabel(EditorPanel);
  WorkstationCharsetLabel->setObjectName("WorkstationCharsetLabel");
  WorkstationCharsetLabel->setGeometry(116, 184, 82, 17);
  WorkstationCharsetLabel->setAlignment(Qt::AlignCenter);
  ImportEditor = new EntryEditor(session_, TableKind::kImport, EditorPanel);
  ImportEditor->setObjectName("ImportEditor");
  ImportEditor->setGeometry(1, 206, 200, 173);

  BuildMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  qApp->installEventFilter(this);
}

void ControlWindow::BuildMenu() {
  Menu = new MenuRows(214, this);
  Menu->setObjectName("Menu");
  setMenuWidget(Menu);
  Session& s = session_;
  const auto submenu = [](QMenu* parent, const QString& title, int help_context = 0) {
    QMenu* menu = parent->addMenu(title);
    if (help_context) menu->menuAction()->setProperty(kHelpContextProperty, help_context);
    return menu;
  };
  const auto preset_menu = [&](QMenu* parent, const QString& title, const PresetActions& preset) {
    submenu(parent, title)->addActions({preset.Both, preset.Export, preset.Import});
  };

  QMenu* file = Menu->AddMenu("&Datei");
  submenu(file, "&Speichern", kHelpSaving)
      ->addActions({s.SaveUnix, s.SaveV3, s.SaveV5, s.SaveCHeader, s.SavePascal, s.SaveUcm, s.SavePython, s.SaveJava});
  file->addActions({s.Print, s.Quit});

  QMenu* edit = Menu->AddMenu("&Bearbeiten");
  edit->menuAction()->setProperty(kHelpContextProperty, kHelpEditing);
  edit->addActions({s.Undo, s.Redo});
  edit->addSeparator();
  edit->addActions({s.ChainTablesAction, s.SwapRowsColumns});
  submenu(edit, QString::fromUtf8("Über&tragen"), kHelpEditing)
      ->addActions({s.CopyExportToImport, s.CopyImportToExport});
  submenu(edit, "&Leeren", kHelpEditing)->addActions({s.ClearBoth, s.ClearExport, s.ClearImport});
  submenu(edit, "Ver&gleichen", kHelpEditing)
      ->addActions({s.CompareDin, s.CompareTable, s.ComparePage, s.IdentifyPage});

  QMenu* load = Menu->AddMenu("&Tabelle laden");
  preset_menu(load, "&DIN (QAVO WINDOWS Standard)", s.LoadDin);
  preset_menu(load, "&ISO 8859-1 CP 273", s.LoadIsoCp273);
  preset_menu(load, "I&SO 8859-1 CP 37", s.LoadIsoCp37);
  preset_menu(load, "&QAVO (UNIX Version Standard)", s.LoadUnix);
  submenu(load, "&Aus Datei")->addActions({s.LoadTableFile, s.LoadImport, s.LoadExport, s.LoadUcm});
  load->addAction(s.MoreCodePages);

  QMenu* settings = Menu->AddMenu("&Einstellungen");
  QMenu* fonts = submenu(settings, "&Zeichensatz");
  fonts->addActions({s.FontCourierNew, s.FontSansSerif, s.FontFixedSys, s.FontTerminal, s.ChooseFont});
  submenu(settings, "&Arbeitsplatz-Zeichensatz")->addActions({s.WorkstationIso8859, s.WorkstationWindows1252});
  submenu(settings, "&Farben")
      ->addActions({s.ColorChainedAction, s.ColorActiveAction, s.ColorProofAction, s.ColorAmbiguousAction});

  Menu->AddMenu("&Ansicht")->addActions({s.ZoomIn, s.ZoomOut, s.ZoomNormal});
  Menu->AddMenu("&Fenster")->addActions({s.ShowBoth, s.ShowExport, s.ShowImport, s.ShowSampleText});

  QMenu* about = Menu->AddMenu("&?");
  about->addActions({s.Help, s.About});
  Menu->Arrange();
}

void ControlWindow::ConnectSession() {
  connect(&session_, &Session::TablesChanged, this, &ControlWindow::UpdateViews);
  connect(&session_, &Session::DisplayFontChanged, this, &ControlWindow::UpdateViews);
  connect(&session_, &Session::WorkstationCharsetChanged, this, &ControlWindow::UpdateViews);
  connect(&session_, &Session::ColorsChanged, this, &ControlWindow::UpdateViews);
  connect(&session_, &Session::SwapChanged, this, &ControlWindow::UpdateViews);
  connect(&session_, &Session::TableWindowShownChanged, this, &ControlWindow::ShowTableWindow);
  connect(&session_, &Session::ZoomChanged, this, &ControlWindow::FollowZoom);
  connect(&session_, &Session::DifferencesFound, this, &ControlWindow::ShowDifferences);
  connect(&session_, &Session::PageCompared, this, &ControlWindow::ShowPageComparison);
  connect(&session_, &Session::QuitRequested, this, &ControlWindow::close);
  connect(&session_, &Session::SampleTextRequested, this, &ControlWindow::ShowSampleText);
  connect(&session_, &Session::ChangeMarksChanged, this, [this] {
    setWindowModified(session_.IsChanged(TableKind::kExport) || session_.IsChanged(TableKind::kImport));
  });
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;
    quit_confirmed_ = session_.ConfirmQuit();
    if (!quit_confirmed_) manager.cancel();
    manager.release();
  });
}

void ControlWindow::UpdateViews() {
  SetBackground(ChainMargin, session_.ExportTable->Partner() ? session_.ChainedColor : kColorButtonFace);
  if (const DisplayFont* font = session_.CurrentFont) {
    CurrentFontLabel->setText(font->Name);
    CurrentFontLabel->setFont(font->ToQFont());
  }
  WorkstationCharsetLabel->setText(QString::fromLatin1(WorkstationLabel(session_.WorkstationCharset())));
  for (EntryEditor* editor : {ExportEditor, ImportEditor}) {
    if (session_.CurrentFont) editor->SetDisplayFont(*session_.CurrentFont);
    editor->SetOemInput(session_.OemFontShown);
  }
  ExportEditor->Repaint();
  ImportEditor->Repaint();
}

TableWindow* ControlWindow::CreateTableWindow(TableKind kind) {
  auto* window = new TableWindow(session_, kind);
  Place(*window, kind);
  session_.SetTableWindow(kind, window);
  connect(window->Grid, &TableGrid::EntryChosen, this, [this, kind](int p) { SelectEntry(kind, p); });
  EntryEditor* editor = kind == TableKind::kExport ? ExportEditor : ImportEditor;
  connect(window->Grid, &TableGrid::EntryStepped, editor, &EntryEditor::SelectSource);
  connect(window->Grid, &TableGrid::LeaveRequested, this, [this] {
    raise();
    activateWindow();
  });
  return window;
}

void ControlWindow::ShowTableWindow(TableKind kind, bool shown) {
  TableWindow*& window = kind == TableKind::kExport ? ExportWindow : ImportWindow;
  const bool created = window == nullptr;
  if (created) window = CreateTableWindow(kind);
  if (!shown) {
    window->hide();
    return;
  }
  window->show();
  if (!created) return;
  // The outer height is known once the window is on screen.
  Place(*window, kind);
  PlaceFramed(*window, kind);
}

// The table windows take the new size and their places again; the control
// window moves out of their way where the screen has room.
void ControlWindow::FollowZoom() {
  QRect tables;
  if (ExportWindow) tables |= ZoomTableWindow(*ExportWindow, TableKind::kExport);
  if (ImportWindow) tables |= ZoomTableWindow(*ImportWindow, TableKind::kImport);
  const QWindow* handle = windowHandle();
  if (tables.isNull() || !handle || handle->frameMargins().isNull()) return;
  const QMargins frame = handle->frameMargins();
  MoveFrameTo(*this, PlaceControlBesideTables(screen()->availableGeometry(), tables, {size(), frame}), frame);
}

void ControlWindow::ShowDifferences(TableKind kind, const QString& other_name,
                                    const std::vector<Difference>& differences) {
  if (differences.empty()) {
    if (DifferenceWindow) DifferenceWindow->hide();
    return;
  }
  DifferenceList& list = DifferenceListWindow();
  list.ShowDifferences(session_.Table(kind), TableName(kind), other_name, differences, session_.CurrentFont,
                       {session_.WorkstationCharset(), session_.OemFontShown});
  list.show();
  list.raise();
}

void ControlWindow::ShowPageComparison(const PageComparison& comparison) {
  if (comparison.Differences.empty()) {
    if (DifferenceWindow) DifferenceWindow->hide();
    return;
  }
  DifferenceList& list = DifferenceListWindow();
  list.ShowPageComparison(comparison);
  list.show();
  list.raise();
}

DifferenceList& ControlWindow::DifferenceListWindow() {
  if (DifferenceWindow) return *DifferenceWindow;
  DifferenceWindow = new DifferenceList(this);
  connect(DifferenceWindow, &DifferenceList::EntryChosen, this, &ControlWindow::SelectEntry);
  connect(DifferenceWindow, &DifferenceList::Hidden, &session_, &Session::EndComparison);
  return *DifferenceWindow;
}

// The focus goes to the field in which the chosen table's target is typed.
void ControlWindow::SelectEntry(TableKind kind, int position) {
  EntryEditor* chosen = kind == TableKind::kExport ? ExportEditor : ImportEditor;
  EntryEditor* other = kind == TableKind::kExport ? ImportEditor : ExportEditor;
  session_.SetActiveTable(kind);
  other->ClearSelection();
  other->Repaint();
  chosen->MoveTo(position);
  (kind == TableKind::kExport ? chosen->TargetHex() : chosen->TargetChar())->setFocus();
  raise();
  activateWindow();
}

void ControlWindow::ShowSampleText() {
  const bool created = SampleWindow == nullptr;
  if (created) {
    SampleWindow = new SampleTextWindow(session_, this);
    connect(SampleWindow, &SampleTextWindow::EntryChosen, this,
            [this](int position) { SelectEntry(TableKind::kExport, position); });
  }
  SampleWindow->show();
  SampleWindow->raise();
  SampleWindow->activateWindow();
  if (!created) return;
  WhenFramed(*SampleWindow, [this](const QMargins& frame) {
    // The tables first: below them is the place to look first.
    std::vector<QRect> in_sight;
    for (const TableWindow* window : {ExportWindow, ImportWindow})
      if (window && window->isVisible()) in_sight.push_back(window->frameGeometry());
    in_sight.push_back(frameGeometry());
    const QSize smallest = SampleWindow->minimumSizeHint().expandedTo(SampleTextWindow::kSmallestSize);
    const QRect place = PlaceSampleTextWindow(SampleWindow->screen()->availableGeometry(), in_sight,
                                              {SampleWindow->size(), frame}, smallest);
    SampleWindow->resize(place.size().shrunkBy(frame));
    MoveFrameTo(*SampleWindow, place.topLeft(), frame);
  });
}

void ControlWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous()) return;
  if (!placed_) {
    placed_ = true;
    WhenFramed(*this, [this](const QMargins& frame) {
      MoveFrameTo(*this, PlaceControlWindow(screen()->availableGeometry(), {size(), frame}), frame);
    });
  }
  if (session_.ShowBoth->isChecked()) {
    session_.ShowBoth->trigger();
    return;
  }
  if (session_.ShowExport->isChecked()) session_.ShowExport->trigger();
  if (session_.ShowImport->isChecked()) session_.ShowImport->trigger();
}

void ControlWindow::closeEvent(QCloseEvent* event) {
  if (!quit_confirmed_ && !session_.ConfirmQuit()) {
    event->ignore();
    return;
  }
  if (ExportWindow) ExportWindow->hide();
  if (ImportWindow) ImportWindow->hide();
  event->accept();
  QApplication::quit();
}

void ControlWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) event->acceptProposedAction();
}

void ControlWindow::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  session_.OpenDrop(*event->mimeData());
}

namespace {

// The help context of the focused control, or of the highlighted menu item
// and the menus above it.
int HelpContextAt(QWidget* focus) {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    if (QAction* action = menu->activeAction()) {
      const int context = action->property(kHelpContextProperty).toInt();
      if (context) return context;
    }
    for (QMenu* m = menu; m; m = qobject_cast<QMenu*>(m->parentWidget())) {
      const int context = m->menuAction()->property(kHelpContextProperty).toInt();
      if (context) return context;
    }
    return kHelpContents;
  }
  return focus ? focus->property(kHelpContextProperty).toInt() : kHelpContents;
}

}  // namespace

bool ControlWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    const bool mine = watched == this || isAncestorOf(qobject_cast<QWidget*>(watched)) || qobject_cast<QMenu*>(watched);
    if (mine) {
      const int context = HelpContextAt(QApplication::focusWidget());
      if (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
      ShowHelp(context);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
