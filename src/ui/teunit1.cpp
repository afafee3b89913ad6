#include "ui/teunit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/dm1unit.h"
#include "platform/colors.h"
#include "platform/helpviewer.h"
#include "ui/frmunit1.h"
#include "ui/frmunit2.h"
#include "ui/listform.h"
#include "ui/menurows.h"

TQctecp* Qctecp = nullptr;

namespace {

const char* const HelpContextProperty = "helpContext";

void SetBackground(QWidget* widget, int32_t color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ResolveColor(color, QApplication::palette()));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}


}  // namespace

TSampleLabel::TSampleLabel(const char* name, const QString& caption, int32_t color, const TFont& font,
                           QWidget* parent)
    : QLabel(caption, parent), Color(color), SampleFont(font) {
  setObjectName(name);
  hide();
}

TQctecp::TQctecp(QWidget* owner) : QMainWindow(owner) {
  BuildForm();
  move(808, 78);
  DM1->ChainedColor = LblSanSerif->Color;
  DM1->DisplayFont = &LblCurier->SampleFont;
  DM1->ActiveColor = LblActiv->Color;
  DM1->AmbiguousColor = LblFont->Color;
  DM1->ProofColor = LblFixedSys->Color;
  DM1->NoDataColor = LblNoData->Color;
}

TQctecp::~TQctecp() {
  // The editors lose the focus while the window is torn down.
  disconnect(qApp, nullptr, this, nullptr);
  if (Qctecp == this) Qctecp = nullptr;
}

void TQctecp::BuildForm() {
  setObjectName("Qctecp");
  setWindowTitle(QString::fromUtf8("QAVO® Code Table Editor Control"));
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::WindowContextHelpButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(TFont("MS Sans Serif", -11).ToQFont());

  ToGether = new QWidget(this);
  ToGether->setObjectName("ToGether");
  ToGether->setFixedSize(214, 392);
  SetBackground(ToGether, clBtnFace);
  setCentralWidget(ToGether);

  auto* panel = new QFrame(ToGether);
  panel->setObjectName("Panel2");
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setGeometry(6, 6, 202, 380);
  SetBackground(panel, clBtnFace);
  Panel2 = panel;

  FrmExport = new TFrame1(Panel2);
  FrmExport->setObjectName("FrmExport");
  FrmExport->setGeometry(1, 1, 200, 173);
  LblCurrentFont = new QLabel(Panel2);
  LblCurrentFont->setObjectName("LblCurrentFont");
  LblCurrentFont->setGeometry(17, 184, 176, 17);
  LblCurrentFont->setAlignment(Qt::AlignCenter);
  FrmImport = new TFrame1(Panel2);
  FrmImport->setObjectName("FrmImport");
  FrmImport->setGeometry(1, 206, 200, 173);

  const TFont windowFont("MS Sans Serif", -11);
  LblFixedSys = new TSampleLabel("LblFixedSys", "FixedSys", clGreen, TFont("Fixedsys", -11), ToGether);
  LblSanSerif = new TSampleLabel("LblSanSerif", "MS Sans Serif", clFuchsia, windowFont, ToGether);
  LblNoData = new TSampleLabel("LblNoData", "NoData", clBtnShadow, windowFont, ToGether);
  LblActiv = new TSampleLabel("LblActiv", "Activ", clFuchsia, windowFont, ToGether);
  LblOem = new TSampleLabel("LblOem", "Terminal", clRed, TFont("Terminal", -12, true, true), ToGether);
  LblCurier = new TSampleLabel("LblCurier", "Curier New", NoColor, TFont("Courier New", -12), ToGether);
  LblFont = new TSampleLabel("LblFont", "Font", clRed, TFont("MS Sans Serif", -12), ToGether);

  BuildMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    const auto entered = [&](TFrame1* frame) {
      return now && frame->HeaderBox->isAncestorOf(now) && !(old && frame->HeaderBox->isAncestorOf(old));
    };
    if (entered(FrmExport)) FrmExportHeaderBoxEnter();
    if (entered(FrmImport)) FrmImportHeaderBoxEnter();
  });
  qApp->installEventFilter(this);
}

void TQctecp::BuildMenu() {
  MainMenu1 = new TMenuRows(214, this);
  MainMenu1->setObjectName("MainMenu1");
  setMenuWidget(MainMenu1);
  TDM1& dm = *DM1;
  const auto submenu = [](QMenu* parent, const QString& title, int helpContext = 0) {
    QMenu* menu = parent->addMenu(title);
    if (helpContext) menu->menuAction()->setProperty(HelpContextProperty, helpContext);
    return menu;
  };

  QMenu* datei = MainMenu1->addMenu("&Datei");
  QMenu* speichern = submenu(datei, "&Speichern", HelpSaving);
  speichern->addActions({dm.SpeichernUnix, dm.SpeichernWindowsQavo3, dm.SpeichernWindowsQavo5,
                         dm.SpeichernCHeader, dm.SpeichernPascal});
  datei->addActions({dm.Drucken, dm.BeendenAction});

  QMenu* bearbeiten = MainMenu1->addMenu("&Bearbeiten");
  bearbeiten->menuAction()->setProperty(HelpContextProperty, HelpEditing);
  bearbeiten->addActions({dm.ChainTablesAction, dm.DoSwap});
  submenu(bearbeiten, QString::fromUtf8("Über&tragen"), HelpEditing)
      ->addActions({dm.CopyExport2Import, dm.CopyImport2Export});
  submenu(bearbeiten, "&Leeren", HelpEditing)->addActions({dm.ClearBoth, dm.ClearExport, dm.ClearImport});
  submenu(bearbeiten, "Ver&gleichen", HelpEditing)->addActions({dm.CompareDin, dm.CompareTable});

  QMenu* laden = MainMenu1->addMenu("&Tabelle laden");
  submenu(laden, "&DIN (QAVO WINDOWS Standard)")->addActions({dm.LoadDIN, dm.LoadDinExport, dm.LoadDinImport});
  submenu(laden, "&ISO 8859-1 CP 273")->addActions({dm.LoadIsoCp273, dm.LoadIsoExportCp273, dm.LoadIsoImportCp273});
  submenu(laden, "I&SO 8859-1 CP 37")->addActions({dm.LoadIsoCp37, dm.LoadIsoExportCp37, dm.LoadIsoImportCp37});
  submenu(laden, "&QAVO (UNIX Version Standard)")->addActions({dm.LoadUnix, dm.LoadUnixExport, dm.LoadUnixImport});
  submenu(laden, "&Aus Datei")->addActions({dm.LoadTableFile, dm.LoadImport, dm.LoadExport});
  laden->addAction(dm.MoreCodePages);

  QMenu* einstellungen = MainMenu1->addMenu("&Einstellungen");
  QMenu* zeichensatz = submenu(einstellungen, "&Zeichensatz");
  // The two entries that carry no command of their own offer the two
  // remaining sample fonts.
  zeichensatz->addAction(dm.FontCourierNew);
  dm.FontCourierNew->setProperty("menuItem", "FontCurierNew1");
  zeichensatz->addAction(dm.FontSansSerif);
  dm.FontSansSerif->setProperty("menuItem", "WindowsMSSanSerif1");
  zeichensatz->addActions({dm.FontFixedSys, dm.FontTerminal, dm.FontSetzen});
  submenu(einstellungen, "&Farben")
      ->addActions({dm.ColorChainedAction, dm.ColorActiveAction, dm.ColorProofAction, dm.ColorAmbiguousAction});

  MainMenu1->addMenu("&Fenster")->addActions({dm.ShowBoth, dm.ShowExport, dm.ShowImport});

  QMenu* about = MainMenu1->addMenu("&?");
  about->addAction(dm.Help);
  QAction* info = about->addAction("&Info");
  info->setObjectName("Info1");
  connect(info, &QAction::triggered, this, [] {
    DM1->Prompter().About(
        "Info", QString::fromUtf8("QAVO Code Table Editor\nVersion %1\n\n"
                                  "Bearbeitet die Codetabellen ASCII / ISO 8859-1 nach EBCDIC "
                                  "(EXPORT) und zurück (IMPORT).")
                    .arg(QStringLiteral(QCTE_VERSION)));
  });
  MainMenu1->Arrange();
}

void TQctecp::FormCreate() {
  FrmExport->SetRole(true);
  FrmImport->SetRole(false);
  ConnectExportTable(&ExportRecord);
  ConnectImportTable(&ImportRecord);
  RefreshViews();
  FrmExport->EdAlphaIn->setFocus();
}

namespace {

void GiveDisplayFont(TCodeTab* table) {
  if (!table->Font) SetTableFont(*table, DM1->DisplayFont);
}

}  // namespace

void TQctecp::ConnectExportTable(TCodeTab* table) {
  GiveDisplayFont(table);
  DM1->AttachExport(table);
  FrmExport->SetTable(table);
  FrmExport->SetActiveColor(DM1->ActiveColor);
}

void TQctecp::ConnectImportTable(TCodeTab* table) {
  GiveDisplayFont(table);
  DM1->AttachImport(table);
  FrmImport->SetTable(table);
  FrmImport->SetActiveColor(DM1->ActiveColor);
}

void TQctecp::RefreshViews() {
  TDM1& dm = *DM1;
  TCodeTab* exp = dm.ExportTable;
  TCodeTab* imp = dm.ImportTable;
  if (exp && imp && exp->Partner) {
    SetBackground(ToGether, dm.ChainedColor);
    if (exp->Partner && exp->Active) {
      FrmExport->SetPartnerFrame(FrmImport);
    } else if (imp->Partner && imp->Active) {
      FrmImport->SetPartnerFrame(FrmExport);
    } else {
      FrmExport->SetPartnerFrame(nullptr);
      FrmImport->SetPartnerFrame(nullptr);
    }
  } else {
    SetBackground(ToGether, clBtnFace);
    FrmImport->SetPartnerFrame(nullptr);
  }

  if (dm.DisplayFont) {
    LblCurrentFont->setText(dm.DisplayFont->Name);
    LblCurrentFont->setFont(dm.DisplayFont->ToQFont());
  }

  if (dm.ExportWindow) {
    FrmExport->TableWindow = dm.ExportWindow;
    dm.ExportWindow->FrmListBox1->OnSelectEntry = [this](int p) { SelectExportEntry(p); };
  }
  if (dm.ImportWindow) {
    FrmImport->TableWindow = dm.ImportWindow;
    dm.ImportWindow->FrmListBox1->OnSelectEntry = [this](int p) { SelectImportEntry(p); };
  }

  for (TFrame1* frame : {FrmExport, FrmImport}) {
    if (dm.DisplayFont) frame->SetDisplayFont(*dm.DisplayFont);
    frame->OemInput = dm.OemFont != 0;
  }
  for (TFrame1* frame : {FrmExport, FrmImport})
    if (frame->TableWindow && frame->Table) frame->TableWindow->setWindowTitle(HeaderText(*frame->Table));

  FrmExport->Repaint();
  FrmImport->Repaint();
}

void TQctecp::SelectExportEntry(int position) {
  DM1->ExportTable->SetActive(1);
  DM1->ImportTable->SetActive(0);
  FrmImport->ClearSelection();
  FrmImport->Repaint();
  FrmExport->MoveTo(position);
  FrmExport->EdHexOut->setFocus();
  raise();
  activateWindow();
}

void TQctecp::SelectImportEntry(int position) {
  DM1->ImportTable->SetActive(1);
  DM1->ExportTable->SetActive(0);
  FrmExport->ClearSelection();
  FrmExport->Repaint();
  FrmImport->MoveTo(position);
  FrmImport->EdAlphaOut->setFocus();
  raise();
  activateWindow();
}

void TQctecp::FrmExportHeaderBoxEnter() {
  FrmExport->RandEnter(FrmExport->HeaderBox);
  FrmImport->RandExit();
}

void TQctecp::FrmImportHeaderBoxEnter() {
  FrmImport->RandEnter(FrmImport->HeaderBox);
  FrmExport->RandExit();
}

void TQctecp::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TQctecp::FormShow() {
  TDM1& dm = *DM1;
  if (dm.ShowBoth->isChecked()) {
    dm.ShowBothExecute();
    return;
  }
  if (dm.ShowExport->isChecked()) dm.ShowExportExecute();
  if (dm.ShowImport->isChecked()) dm.ShowImportExecute();
}

void TQctecp::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  QApplication::quit();
}

void TQctecp::FormClose() {
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

bool TQctecp::eventFilter(QObject* watched, QEvent* event) {
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
