#include "ui/controlwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/session.h"
#include "platform/colors.h"
#include "platform/helpviewer.h"
#include "ui/entryeditor.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"
#include "ui/menurows.h"

ControlWindow* Qctecp = nullptr;

namespace {

const char* const HelpContextProperty = "helpContext";

void SetBackground(QWidget* widget, int32_t color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ResolveColor(color, QApplication::palette()));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}


}  // namespace

SampleLabel::SampleLabel(const char* name, const QString& caption, int32_t color, const DisplayFont& font,
                           QWidget* parent)
    : QLabel(caption, parent), Color(color), SampleFont(font) {
  setObjectName(name);
  hide();
}

ControlWindow::ControlWindow(QWidget* owner) : QMainWindow(owner) {
  BuildForm();
  move(808, 78);
  DM1->ChainedColor = LblSanSerif->Color;
  DM1->CurrentFont = &LblCurier->SampleFont;
  DM1->ActiveColor = LblActiv->Color;
  DM1->AmbiguousColor = LblFont->Color;
  DM1->ProofColor = LblFixedSys->Color;
  DM1->NoDataColor = LblNoData->Color;
}

ControlWindow::~ControlWindow() {
  // The editors lose the focus while the window is torn down.
  disconnect(qApp, nullptr, this, nullptr);
  if (Qctecp == this) Qctecp = nullptr;
}

void ControlWindow::BuildForm() {
  setObjectName("Qctecp");
  setWindowTitle(QString::fromUtf8("QAVO® Code Table Editor Control"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowContextHelpButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(DisplayFont("MS Sans Serif", -11).ToQFont());

  ChainMargin = new QWidget(this);
  ChainMargin->setObjectName("ChainMargin");
  ChainMargin->setFixedSize(214, 392);
  SetBackground(ChainMargin, clBtnFace);
  setCentralWidget(ChainMargin);

  auto* panel = new QFrame(ChainMargin);
  panel->setObjectName("Panel2");
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setGeometry(6, 6, 202, 380);
  SetBackground(panel, clBtnFace);
  Panel2 = panel;

  ExportEditor = new EntryEditor(Panel2);
  ExportEditor->setObjectName("ExportEditor");
  ExportEditor->setGeometry(1, 1, 200, 173);
  CurrentFontLabel = new QLabel(Panel2);
  CurrentFontLabel->setObjectName("CurrentFontLabel");
  CurrentFontLabel->setGeometry(17, 184, 176, 17);
  CurrentFontLabel->setAlignment(Qt::AlignCenter);
  ImportEditor = new EntryEditor(Panel2);
  ImportEditor->setObjectName("ImportEditor");
  ImportEditor->setGeometry(1, 206, 200, 173);

  const DisplayFont windowFont("MS Sans Serif", -11);
  LblFixedSys = new SampleLabel("LblFixedSys", "FixedSys", clGreen, DisplayFont("Fixedsys", -11), ChainMargin);
  LblSanSerif = new SampleLabel("LblSanSerif", "MS Sans Serif", clFuchsia, windowFont, ChainMargin);
  LblNoData = new SampleLabel("LblNoData", "NoData", clBtnShadow, windowFont, ChainMargin);
  LblActiv = new SampleLabel("LblActiv", "Activ", clFuchsia, windowFont, ChainMargin);
  LblOem = new SampleLabel("LblOem", "Terminal", clRed, DisplayFont("Terminal", -12, true, true), ChainMargin);
  LblCurier = new SampleLabel("LblCurier", "Curier New", NoColor, DisplayFont("Courier New", -12), ChainMargin);
  LblFont = new SampleLabel("LblFont", "Font", clRed, DisplayFont("MS Sans Serif", -12), ChainMargin);

  BuildMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    const auto entered = [&](EntryEditor* frame) {
      return now && frame->HeaderBox->isAncestorOf(now) && !(old && frame->HeaderBox->isAncestorOf(old));
    };
    if (entered(ExportEditor)) ExportEditorEntered();
    if (entered(ImportEditor)) ImportEditorEntered();
  });
  qApp->installEventFilter(this);
}

void ControlWindow::BuildMenu() {
  Menu = new MenuRows(214, this);
  Menu->setObjectName("Menu");
  setMenuWidget(Menu);
  Session& dm = *DM1;
  const auto submenu = [](QMenu* parent, const QString& title, int helpContext = 0) {
    QMenu* menu = parent->addMenu(title);
    if (helpContext) menu->menuAction()->setProperty(HelpContextProperty, helpContext);
    return menu;
  };

  QMenu* datei = Menu->addMenu("&Datei");
  QMenu* speichern = submenu(datei, "&Speichern", HelpSaving);
  speichern->addActions({dm.SaveUnix, dm.SaveV3, dm.SaveV5,
                         dm.SaveCHeader, dm.SavePascal});
  datei->addActions({dm.Print, dm.Quit});

  QMenu* bearbeiten = Menu->addMenu("&Bearbeiten");
  bearbeiten->menuAction()->setProperty(HelpContextProperty, HelpEditing);
  bearbeiten->addActions({dm.ChainTablesAction, dm.SwapRowsColumns});
  submenu(bearbeiten, QString::fromUtf8("Über&tragen"), HelpEditing)
      ->addActions({dm.CopyExportToImport, dm.CopyImportToExport});
  submenu(bearbeiten, "&Leeren", HelpEditing)->addActions({dm.ClearBoth, dm.ClearExport, dm.ClearImport});
  submenu(bearbeiten, "Ver&gleichen", HelpEditing)->addActions({dm.CompareDin, dm.CompareTable});

  QMenu* laden = Menu->addMenu("&Tabelle laden");
  submenu(laden, "&DIN (QAVO WINDOWS Standard)")->addActions({dm.LoadDIN, dm.LoadDinExport, dm.LoadDinImport});
  submenu(laden, "&ISO 8859-1 CP 273")->addActions({dm.LoadIsoCp273, dm.LoadIsoExportCp273, dm.LoadIsoImportCp273});
  submenu(laden, "I&SO 8859-1 CP 37")->addActions({dm.LoadIsoCp37, dm.LoadIsoExportCp37, dm.LoadIsoImportCp37});
  submenu(laden, "&QAVO (UNIX Version Standard)")->addActions({dm.LoadUnix, dm.LoadUnixExport, dm.LoadUnixImport});
  submenu(laden, "&Aus Datei")->addActions({dm.LoadTableFile, dm.LoadImport, dm.LoadExport});
  laden->addAction(dm.MoreCodePages);

  QMenu* einstellungen = Menu->addMenu("&Einstellungen");
  QMenu* zeichensatz = submenu(einstellungen, "&Zeichensatz");
  // The two entries that carry no command of their own offer the two
  // remaining sample fonts.
  zeichensatz->addAction(dm.FontCourierNew);
  dm.FontCourierNew->setProperty("menuItem", "FontCurierNew1");
  zeichensatz->addAction(dm.FontSansSerif);
  dm.FontSansSerif->setProperty("menuItem", "WindowsMSSanSerif1");
  zeichensatz->addActions({dm.FontFixedSys, dm.FontTerminal, dm.ChooseFont});
  submenu(einstellungen, "&Farben")
      ->addActions({dm.ColorChainedAction, dm.ColorActiveAction, dm.ColorProofAction, dm.ColorAmbiguousAction});

  Menu->addMenu("&Fenster")->addActions({dm.ShowBoth, dm.ShowExport, dm.ShowImport});

  QMenu* about = Menu->addMenu("&?");
  about->addAction(dm.Help);
  QAction* info = about->addAction("&Info");
  info->setObjectName("Info1");
  connect(info, &QAction::triggered, this, [] {
    DM1->Prompt().About(
        "Info", QString::fromUtf8("QAVO Code Table Editor\nVersion %1\n\n"
                                  "Bearbeitet die Codetabellen ASCII / ISO 8859-1 nach EBCDIC "
                                  "(EXPORT) und zurück (IMPORT).")
                    .arg(QStringLiteral(QCTE_VERSION)));
  });
  Menu->Arrange();
}

void ControlWindow::FormCreate() {
  ExportEditor->SetRole(true);
  ImportEditor->SetRole(false);
  ConnectExportTable(&ExportRecord);
  ConnectImportTable(&ImportRecord);
  RefreshViews();
  ExportEditor->SourceChar->setFocus();
}

namespace {

void GiveDisplayFont(CodeTable* table) {
  if (!table->Font) SetTableFont(*table, DM1->CurrentFont);
}

}  // namespace

void ControlWindow::ConnectExportTable(CodeTable* table) {
  GiveDisplayFont(table);
  DM1->AttachExport(table);
  ExportEditor->SetTable(table);
  ExportEditor->SetActiveColor(DM1->ActiveColor);
}

void ControlWindow::ConnectImportTable(CodeTable* table) {
  GiveDisplayFont(table);
  DM1->AttachImport(table);
  ImportEditor->SetTable(table);
  ImportEditor->SetActiveColor(DM1->ActiveColor);
}

void ControlWindow::RefreshViews() {
  Session& dm = *DM1;
  CodeTable* exp = dm.ExportTable;
  CodeTable* imp = dm.ImportTable;
  if (exp && imp && exp->Partner) {
    SetBackground(ChainMargin, dm.ChainedColor);
    if (exp->Partner && exp->Active) {
      ExportEditor->SetPartnerEditor(ImportEditor);
    } else if (imp->Partner && imp->Active) {
      ImportEditor->SetPartnerEditor(ExportEditor);
    } else {
      ExportEditor->SetPartnerEditor(nullptr);
      ImportEditor->SetPartnerEditor(nullptr);
    }
  } else {
    SetBackground(ChainMargin, clBtnFace);
    ImportEditor->SetPartnerEditor(nullptr);
  }

  if (dm.CurrentFont) {
    CurrentFontLabel->setText(dm.CurrentFont->Name);
    CurrentFontLabel->setFont(dm.CurrentFont->ToQFont());
  }

  if (dm.ExportWindow) {
    ExportEditor->GridWindow = dm.ExportWindow;
    dm.ExportWindow->Grid->OnSelectEntry = [this](int p) { SelectExportEntry(p); };
  }
  if (dm.ImportWindow) {
    ImportEditor->GridWindow = dm.ImportWindow;
    dm.ImportWindow->Grid->OnSelectEntry = [this](int p) { SelectImportEntry(p); };
  }

  for (EntryEditor* frame : {ExportEditor, ImportEditor}) {
    if (dm.CurrentFont) frame->SetDisplayFont(*dm.CurrentFont);
    frame->OemInput = dm.OemFont != 0;
  }
  for (EntryEditor* frame : {ExportEditor, ImportEditor})
    if (frame->GridWindow && frame->Table) frame->GridWindow->setWindowTitle(HeaderText(*frame->Table));

  ExportEditor->Repaint();
  ImportEditor->Repaint();
}

void ControlWindow::SelectExportEntry(int position) {
  DM1->ExportTable->SetActive(1);
  DM1->ImportTable->SetActive(0);
  ImportEditor->ClearSelection();
  ImportEditor->Repaint();
  ExportEditor->MoveTo(position);
  ExportEditor->TargetHex->setFocus();
  raise();
  activateWindow();
}

void ControlWindow::SelectImportEntry(int position) {
  DM1->ImportTable->SetActive(1);
  DM1->ExportTable->SetActive(0);
  ExportEditor->ClearSelection();
  ExportEditor->Repaint();
  ImportEditor->MoveTo(position);
  ImportEditor->TargetChar->setFocus();
  raise();
  activateWindow();
}

void ControlWindow::ExportEditorEntered() {
  ExportEditor->MakeActive(ExportEditor->HeaderBox);
  ImportEditor->MakeInactive();
}

void ControlWindow::ImportEditorEntered() {
  ImportEditor->MakeActive(ImportEditor->HeaderBox);
  ExportEditor->MakeInactive();
}

void ControlWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void ControlWindow::FormShow() {
  Session& dm = *DM1;
  if (dm.ShowBoth->isChecked()) {
    dm.ShowBothExecute();
    return;
  }
  if (dm.ShowExport->isChecked()) dm.ShowExportExecute();
  if (dm.ShowImport->isChecked()) dm.ShowImportExecute();
}

void ControlWindow::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  QApplication::quit();
}

void ControlWindow::FormClose() {
  if (DM1->ExportWindow) DM1->ExportWindow->hide();
  if (DM1->ImportWindow) DM1->ImportWindow->hide();
}

namespace {

// The help context of the focused control, or of the highlighted menu item
// and the menus above it.
int HelpContextAt(QWidget* focus) {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    if (QAction* action = menu->activeAction()) {
      const int context = action->property(HelpContextProperty).toInt();
      if (context) return context;
    }
    for (QMenu* m = menu; m; m = qobject_cast<QMenu*>(m->parentWidget())) {
      const int context = m->menuAction()->property(HelpContextProperty).toInt();
      if (context) return context;
    }
    return HelpContents;
  }
  return focus ? focus->property(HelpContextProperty).toInt() : HelpContents;
}

}  // namespace

bool ControlWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    const bool mine = watched == this || isAncestorOf(qobject_cast<QWidget*>(watched)) ||
                      qobject_cast<QMenu*>(watched);
    if (mine) {
      const int context = HelpContextAt(QApplication::focusWidget());
      if (QApplication::activePopupWidget()) QApplication::activePopupWidget()->close();
      ShowHelp(context);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}
