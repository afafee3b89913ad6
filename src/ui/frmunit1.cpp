#include "ui/frmunit1.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QValidator>

#include "app/dm1unit.h"
#include "model/codetab.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/fontobj.h"
#include "platform/helpviewer.h"
#include "ui/frmunit2.h"
#include "ui/listform.h"

namespace {

// The box colour of an entry no position maps to, the colour of LblNoData.
constexpr int32_t NoDataColor = clBtnShadow;
// The target field that takes the focus when a position becomes current.
constexpr int EntryFieldTag = 2;
constexpr int Enter = '\r';
constexpr int Backspace = '\b';
// Results of TypedByte besides a byte.
constexpr int NoCharacter = -1;
constexpr int Unmapped = -2;

const char* const HexDigits = "0123456789ABCDEF";

// Hex fields show what is typed in upper case.
class TUpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

QString HexText(int value) {
  if (value == -1) return QString();
  const char digits[3] = {HexDigits[(value >> 4) & 0xF], HexDigits[value & 0xF], 0};
  return QString::fromLatin1(digits);
}

bool IsHexDigit(int c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The byte a key event types, as the Windows-1252 character it stands for:
// Ctrl+A..Z are the control characters 1..26, Enter is a carriage return.
// Keys that type nothing (arrows, Tab, Delete, Alt combinations) give
// NoCharacter; a character outside Windows-1252 gives Unmapped.
int TypedByte(const QKeyEvent& event) {
  const int key = event.key();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return Enter;
  if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab) return NoCharacter;
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) return NoCharacter;
  if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
  if (key == Qt::Key_Backspace) return Backspace;
  const QString text = event.text();
  if (text.isEmpty()) return NoCharacter;
  const int byte = AnsiByteOf(text.at(0));
  return byte < 0 ? Unmapped : byte;
}

QLineEdit* MakeField(const char* name, int maxLength, const QRect& geometry, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(maxLength);
  field->setGeometry(geometry);
  return field;
}

QLabel* MakeLabel(const char* name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

void PaintBackground(QWidget* widget, int32_t color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ResolveColor(color >= 0 ? color : clBtnFace, QApplication::palette()));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The box colour shows through the labels and bevels, which paint no
// background of their own. Giving the controls in the box a window colour
// of their own keeps a new box colour from reaching each of them: the box
// then repaints once, not once more for every control that inherited it.
void KeepOwnWindowColor(QWidget* box) {
  const QColor face = ResolveColor(clBtnFace, QApplication::palette());
  for (QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, face);
    control->setPalette(palette);
  }
}

// A field that already shows the text is left alone: setting it again
// would lay it out and paint it anew for nothing.
void ShowText(QLineEdit* field, const QString& text) {
  if (field->text() != text) field->setText(text);
}

}  // namespace

TFrame1::TFrame1(QWidget* parent) : QFrame(parent) {
  BuildControls();
  connect(qApp, &QApplication::focusChanged, this, &TFrame1::FocusChanged);
}

// The fields lose the focus while the window is torn down; the frame must
// not hear of it any more.
TFrame1::~TFrame1() { disconnect(qApp, nullptr, this, nullptr); }

void TFrame1::BuildControls() {
  resize(206, 173);
  Rand = new QWidget(this);
  Rand->setObjectName("Rand");
  SetRandColor(clBtnFace);

  Innen = new QWidget(Rand);
  Innen->setObjectName("Innen");
  PaintBackground(Innen, clBtnFace);

  HeaderBox = new QGroupBox(Innen);
  HeaderBox->setObjectName("HeaderBox");
  HeaderBox->setFont(TFont("MS Sans Serif", -13, false, true).ToQFont());

  ScrollBar1 = new QScrollBar(Qt::Horizontal, HeaderBox);
  ScrollBar1->setObjectName("ScrollBar1");
  ScrollBar1->setRange(0, 255);
  ScrollBar1->setPageStep(16);
  ScrollBar1->setSingleStep(1);
  ScrollBar1->setFocusPolicy(Qt::ClickFocus);
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TFrame1::ScrollBar1Change);

  InputHeader = new QGroupBox(HeaderBox);
  InputHeader->setObjectName("InputHeader");
  InputHeader->setFont(TFont("MS Sans Serif", -11).ToQFont());
  SetInputHeaderColor(clBtnFace);

  Bevel1 = new QFrame(InputHeader);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel1->setGeometry(16, 22, 153, 35);
  Bevel2 = new QFrame(InputHeader);
  Bevel2->setObjectName("Bevel2");
  Bevel2->setFrameStyle(QFrame::Box | QFrame::Sunken);
  Bevel2->setGeometry(16, 69, 153, 35);

  StaticText1 = MakeLabel("StaticText1", "Alpha:", InputHeader);
  StaticText1->setAlignment(Qt::AlignRight | Qt::AlignTop);
  StaticText1->setGeometry(24, 32, 42, 20);
  StaticText2 = MakeLabel("StaticText2", "Hex:", InputHeader);
  StaticText2->setAlignment(Qt::AlignRight | Qt::AlignTop);
  StaticText2->setGeometry(24, 80, 42, 20);

  EdAlphaIn = MakeField("EdAlphaIn", 1, QRect(80, 28, 30, 21), InputHeader);
  Label1 = MakeLabel("Label1", "=", InputHeader);
  Label1->move(120, 32);
  Label1->adjustSize();
  EdAlphaOut = MakeField("EdAlphaOut", 1, QRect(136, 28, 30, 21), InputHeader);
  EdHexIn = MakeField("EdHexIn", 2, QRect(80, 76, 30, 21), InputHeader);
  Label2 = MakeLabel("Label2", "=", InputHeader);
  Label2->move(120, 80);
  Label2->adjustSize();
  EdHexOut = MakeField("EdHexOut", 2, QRect(136, 76, 30, 21), InputHeader);
  for (QLineEdit* hex : {EdHexIn, EdHexOut}) hex->setValidator(new TUpperCaseValidator(hex));
  KeepOwnWindowColor(InputHeader);

  LblNoData = MakeLabel("LblNoData", QString(), InputHeader);
  LblNoData->move(24, 8);
  PaintBackground(LblNoData, NoDataColor);
  LblNoData->hide();

  for (QLineEdit* field : {EdAlphaIn, EdAlphaOut, EdHexIn, EdHexOut}) field->installEventFilter(this);
  connect(EdAlphaIn, &QLineEdit::textChanged, this, &TFrame1::EdAlphaInChange);
  connect(EdAlphaOut, &QLineEdit::textChanged, this, &TFrame1::EdAlphaOutChange);
  connect(EdHexIn, &QLineEdit::textChanged, this, &TFrame1::EdHexInChange);
  connect(EdHexOut, &QLineEdit::textChanged, this, &TFrame1::EdHexOutChange);
  LayoutPanels();
}

// Rand fills the frame, Innen keeps 5 pixels of it around, HeaderBox fills
// Innen, the scroll bar sits at its bottom and InputHeader keeps its
// distances to all four sides.
void TFrame1::LayoutPanels() {
  Rand->setGeometry(rect());
  Innen->setGeometry(Rand->rect().adjusted(5, 5, -5, -5));
  HeaderBox->setGeometry(Innen->rect());
  const int width = HeaderBox->width();
  const int height = HeaderBox->height();
  ScrollBar1->setGeometry(2, height - 19, width - 4, 17);
  InputHeader->setGeometry(6, 24, width - 12, height - 49);
}

void TFrame1::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayoutPanels();
}

void TFrame1::SetRole(bool exportRole) {
  ExportRole = exportRole;
  if (ExportRole) {
    HeaderBox->setTitle("Export von ASCII");
    InputHeader->setTitle("                   ASCII    =    Export");
    setTabOrder(EdAlphaIn, EdHexOut);
    setTabOrder(EdHexOut, EdAlphaOut);
    setTabOrder(EdAlphaOut, EdHexIn);
  } else {
    HeaderBox->setTitle("Import nach ASCII");
    InputHeader->setTitle("                  Import    =    ASCII");
    setTabOrder(EdHexIn, EdAlphaOut);
    setTabOrder(EdAlphaOut, EdHexOut);
    setTabOrder(EdHexOut, EdAlphaIn);
  }

  // The two instances on the control window are narrower than the design.
  resize(200, height());
  for (QFrame* bevel : {Bevel1, Bevel2}) bevel->resize(147, bevel->height());
  Label1->move(104, Label1->y());
  Label2->move(104, Label2->y());
  if (ExportRole) {
    StaticText1->setGeometry(24, 32, 33, 20);
    StaticText2->setGeometry(31, 80, 26, 20);
  } else {
    StaticText1->setGeometry(20, 32, 34, 20);
    StaticText2->setGeometry(20, 80, 34, 20);
  }
  for (QLineEdit* source : {EdAlphaIn, EdHexIn}) source->move(64, source->y());
  for (QLineEdit* target : {EdAlphaOut, EdHexOut}) target->move(120, target->y());
  const int helpContext = ExportRole ? HelpExportEditor : HelpImportEditor;
  for (QLineEdit* field : {EdAlphaIn, EdAlphaOut, EdHexIn, EdHexOut}) {
    field->setProperty("helpContext", helpContext);
    field->setProperty("tag", 0);
  }
  (ExportRole ? EdHexOut : EdAlphaOut)->setProperty("tag", EntryFieldTag);
}

void TFrame1::SetTable(TCodeTab* table) {
  Table = table;
  if (Table) Table->SetActive(Table->Active);
}

void TFrame1::SetActive(bool on) {
  if (!Table) return;
  SetRandColor(on ? Table->ActiveColor : clBtnFace);
  Table->SetActive(on);
}

void TFrame1::SetActiveColor(int32_t color) {
  if (!Table) return;
  if (color >= 0) {
    Table->ActiveColor = color;
    if (Table->Active && Table->Partner) Table->Partner->ActiveColor = color;
  }
  SetRandColor(IsActive() ? Table->ActiveColor : clBtnFace);
}

void TFrame1::SetPartnerFrame(TFrame1* frame) {
  if (!frame && PartnerFrame && PartnerFrame->PartnerFrame) PartnerFrame->PartnerFrame = nullptr;
  PartnerFrame = frame;
  if (frame) frame->PartnerFrame = this;
}

void TFrame1::RandEnter(QObject*) {
  SetActive(true);
  if (TableWindow && TableWindow->FrmListBox1) TableWindow->FrmListBox1->UpdateBorder();
}

void TFrame1::RandExit() {
  SetActive(false);
  if (TableWindow && TableWindow->FrmListBox1) TableWindow->FrmListBox1->UpdateBorder();
}

// Entering the frame from outside makes its table the active one.
void TFrame1::FocusChanged(QWidget* old, QWidget* now) {
  if (now && isAncestorOf(now) && !(old && isAncestorOf(old))) RandEnter(this);
}

void TFrame1::ClearSelection() {
  AlphaTyped = false;
  HexTyped = false;
  SetInputHeaderColor(clBtnFace);
  if (Table) {
    Table->CurrentPosition = -1;
    Table->CurrentOrdinal = -1;
  }
  EdAlphaOut->clear();
  EdHexIn->clear();
  EdHexOut->clear();
  if (IsActive() && PartnerFrame) PartnerFrame->ClearSelection();
}

void TFrame1::SelectSource(int position) {
  if (Table) Table->CurrentPosition = position;
  if (position == -1) return;
  EdAlphaIn->setText(CharText(position));
  EdHexIn->setText(HexText(position));
  if (IsActive() && PartnerFrame) PartnerFrame->SelectSource(Table->Entries[position & 0xFF].Target);
  MoveTo(position);
}

void TFrame1::MoveTo(int position) {
  if (position == -1 || !Table) return;
  const int p = position & 0xFF;
  SetScrollPosition(p);
  Table->CurrentPosition = p;
  Table->CurrentOrdinal = Table->OrdinalOf(p);
  Repaint();
  if (IsActive()) {
    if (EdAlphaOut->property("tag").toInt() == EntryFieldTag)
      FocusField(EdAlphaOut);
    else if (EdHexOut->property("tag").toInt() == EntryFieldTag)
      FocusField(EdHexOut);
  }
  if (IsActive() && PartnerFrame) {
    const int target = Table->Entries[p].Target;
    PartnerFrame->MoveTo(target == -1 ? p : target);
  }
}

void TFrame1::ScrollBar1Change() {
  if (ScrollByProgram) {
    ScrollByProgram = false;
    return;
  }
  MoveTo(ScrollBar1->value());
}

void TFrame1::SetScrollPosition(int position) {
  ScrollByProgram = true;
  ScrollBar1->setValue(position);
  ScrollByProgram = false;
}

void TFrame1::Repaint() {
  if (!Table) return;
  const int p = Table->CurrentPosition;
  const int t = p == -1 ? -1 : Table->Entries[p & 0xFF].Target;
  SetInputHeaderColor(EntryColor(p));
  SetRandColor(IsActive() ? Table->ActiveColor : clBtnFace);
  ShowText(EdAlphaIn, p == -1 ? QString() : CharText(p & 0xFF));
  ShowText(EdHexIn, p == -1 ? QString() : HexText(p & 0xFF));
  ShowText(EdAlphaOut, t == -1 ? QString() : CharText(t));
  ShowText(EdHexOut, HexText(t));
  if (TableWindow) TableWindow->Update();
  if (IsActive() && PartnerFrame) PartnerFrame->Repaint();
}

int32_t TFrame1::EntryColor(int position) const {
  if (!Table || position == -1) return clBtnFace;
  const TCodeTab& colors = Table->Partner && !Table->Active ? *Table->Partner : *Table;
  if (Table->IsAmbiguous(position)) return colors.AmbiguousColor;
  if (Table->IsProven(position)) return colors.ProofColor;
  if (Table->Entries[position & 0xFF].Target != -1) return clBtnFace;
  return NoDataColor;
}

bool TFrame1::IsActive() const { return Table && Table->Active; }

void TFrame1::Update() {
  if (!Table) return;
  if (AssignFromHex(EdHexIn->text(), EdHexOut->text()) >= 0) Repaint();
  SetScrollPosition(Table->CurrentPosition);
}

int TFrame1::AssignFromHex(const QString& sourceText, const QString& targetText) {
  const int source = HexValue(sourceText);
  const int target = HexValue(targetText);
  if (!Table || source == -1 || target == -1) return -1;
  return Table->Assign(source, target);
}

void TFrame1::RemoveAssignment(const QString& hexText) {
  if (Table) {
    // The model reads two characters; shorter text is padded with NULs.
    char text[3] = {0, 0, 0};
    const QByteArray latin1 = hexText.left(2).toLatin1();
    for (int i = 0; i < latin1.size(); ++i) text[i] = latin1[i];
    Table->UnassignHex(text);
  }
  ClearSelection();
  if (TableWindow) TableWindow->Update();
  if (IsActive() && PartnerFrame && PartnerFrame->TableWindow) PartnerFrame->TableWindow->Update();
}

int TFrame1::HexValue(const QString& text) {
  if (text.size() != 2) return -1;
  int value = 0;
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
      value = value * 16 + (u - '0');
    else if (u >= 'A' && u <= 'F')
      value = value * 16 + (u - 'A' + 10);
    else
      return -1;
  }
  return value;
}

QString TFrame1::HexToChar(const QString& hexText) const {
  const int value = HexValue(hexText);
  return value == -1 ? QString() : CharText(value);
}

void TFrame1::SetDisplayFont(const TFont& font) {
  displayOem_ = font.OemCharset;
  const QFont qfont = font.ToQFont();
  EdAlphaIn->setFont(qfont);
  EdAlphaOut->setFont(qfont);
}

// The character that shows a byte in the display font; NUL shows nothing.
QString TFrame1::CharText(int code) const {
  if (code == 0) return QString();
  return QString(DisplayChar(static_cast<uint8_t>(code), displayOem_));
}

// The byte of the single character in a character field, -1 for none.
// A character the program put there maps back through the display font;
// one that was typed or pasted converts as a typed key does.
int TFrame1::CodeOfText(const QString& text) const {
  if (text.size() != 1) return -1;
  const QChar c = text.at(0);
  int match = -1;
  for (int code = 1; code < 256; ++code) {
    if (DisplayChar(static_cast<uint8_t>(code), displayOem_) != c) continue;
    if (match != -1) {
      match = -1;  // a placeholder glyph shared by several bytes
      break;
    }
    match = code;
  }
  if (match != -1) return match;
  const int typed = AnsiByteOf(c);
  if (typed < 0) return -1;
  return OemInput ? AnsiToOem(static_cast<uint8_t>(typed)) : typed;
}

void TFrame1::SetInputHeaderColor(int32_t color) {
  if (color == inputHeaderColor_) return;
  inputHeaderColor_ = color;
  PaintBackground(InputHeader, color);
}

void TFrame1::SetRandColor(int32_t color) {
  if (color == randColor_) return;
  randColor_ = color;
  PaintBackground(Rand, color);
}

// A field that takes the focus is ready to be typed over, as after Tab.
void TFrame1::FocusField(QLineEdit* field) {
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
}

bool TFrame1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (!field) return QFrame::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return false;

  const bool alphaField = field == EdAlphaIn || field == EdAlphaOut;
  if (alphaField ? EdAlphaKeyDown(key) : EdHexKeyDown(key)) return true;

  int byte = TypedByte(key);
  if (byte == NoCharacter) return false;
  if (byte == Unmapped) {
    DM1->Prompter().Beep();
    return true;
  }
  if (field == EdAlphaIn) return EdAlphaInKeyPress(byte);
  if (field == EdAlphaOut) return EdAlphaOutKeyPress(byte);
  return EdHexInKeyPress(byte);
}

bool TFrame1::EdAlphaKeyDown(const QKeyEvent& key) {
  AlphaTyped = true;
  HexTyped = false;
  return HandleKeyDown(key);
}

bool TFrame1::EdHexKeyDown(const QKeyEvent& key) {
  AlphaTyped = false;
  HexTyped = true;
  return HandleKeyDown(key);
}

bool TFrame1::HandleKeyDown(const QKeyEvent& key) {
  const int code = key.key();
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  if (code == Qt::Key_Return || code == Qt::Key_Enter) {
    AlphaTyped = false;
    HexTyped = false;
    if (EdHexOut->text().size() == 2 && EdHexIn->text().size() == 2) {
      Update();
      FocusField(ExportRole ? EdAlphaIn : EdHexIn);
    }
    return true;
  }
  if (ctrl && code == Qt::Key_Delete) {
    RemoveAssignment(EdHexIn->text());
    return false;
  }
  if (ctrl && (code == Qt::Key_Right || code == Qt::Key_Down || code == Qt::Key_Left || code == Qt::Key_Up)) {
    if (!Table) return true;
    const TDM1& dm = *DM1;
    switch (code) {
      case Qt::Key_Right: SelectSource(dm.StepRight(*Table)); break;
      case Qt::Key_Down: SelectSource(dm.StepDown(*Table)); break;
      case Qt::Key_Left: SelectSource(dm.StepLeft(*Table)); break;
      default: SelectSource(dm.StepUp(*Table)); break;
    }
    return true;
  }
  if (code == Qt::Key_F3) {
    const int source = Table ? Table->FindTarget(HexValue(EdHexOut->text())) : -1;
    if (source == -1)
      DM1->Prompter().Information("Zeichen nicht zugeordnet!");
    else
      MoveTo(source);
    return true;
  }
  return false;
}

bool TFrame1::EdHexInKeyPress(int key) {
  if (key == Enter) return true;
  SetInputHeaderColor(clBtnFace);
  if (key >= 0x20 && key <= 0x7E && !IsHexDigit(key)) {
    DM1->Prompter().Beep();
    return true;
  }
  return false;
}

bool TFrame1::EdAlphaInKeyPress(int key) {
  if (key == Enter) return true;
  if (OemInput) key = AnsiToOem(static_cast<uint8_t>(key));
  SetInputHeaderColor(clBtnFace);
  if (key == 0 || key == '.' || key == Backspace) return false;
  AlphaTyped = false;
  HexTyped = false;
  ClearSelection();
  SelectSource(key);
  return true;
}

bool TFrame1::EdAlphaOutKeyPress(int key) {
  if (key == Enter) return true;
  if (OemInput) key = AnsiToOem(static_cast<uint8_t>(key));
  SetInputHeaderColor(clBtnFace);
  if (key == 0 || key == '.' || key == Backspace) return false;
  AlphaTyped = false;
  HexTyped = false;
  EdAlphaOut->setText(CharText(key));
  EdHexOut->setText(HexText(key));
  SetInputHeaderColor(EntryColor(Table ? Table->CurrentPosition : -1));
  return true;
}

void TFrame1::EdAlphaInChange() {
  if (!AlphaTyped) return;
  AlphaTyped = false;
  const int code = CodeOfText(EdAlphaIn->text());
  ClearSelection();
  SelectSource(code);
  SetInputHeaderColor(EntryColor(code));
}

void TFrame1::EdAlphaOutChange() {
  if (!AlphaTyped) return;
  AlphaTyped = false;
  EdHexOut->setText(HexText(CodeOfText(EdAlphaOut->text())));
}

void TFrame1::EdHexInChange() {
  if (!HexTyped) return;
  if (PartnerFrame) PartnerFrame->ClearSelection();
  HexTyped = false;
  const int code = HexValue(EdHexIn->text());
  EdAlphaIn->setText(HexToChar(EdHexIn->text()));
  if (Table && code != -1) {
    SelectSource(code);
    const int position = Table->CurrentPosition;
    SetInputHeaderColor(EntryColor(position));
    const int target = position == -1 ? -1 : Table->Entries[position & 0xFF].Target;
    if (target != -1) {
      EdHexOut->setText(HexText(target));
      EdAlphaOut->setText(CharText(target));
      if (PartnerFrame) PartnerFrame->MoveTo(target);
      return;
    }
  }
  EdHexOut->clear();
  EdAlphaOut->clear();
}

void TFrame1::EdHexOutChange() {
  if (!HexTyped) return;
  HexTyped = false;
  EdAlphaOut->setText(HexToChar(EdHexOut->text()));
}
