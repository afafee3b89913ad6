#include "ui/entryeditor.h"

#include <QApplication>
#include <QGroupBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolTip>
#include <QValidator>

#include "app/session.h"
#include "model/codetable.h"
#include "model/hexdigits.h"
#include "platform/codepage.h"
#include "platform/colors.h"
#include "platform/displayfont.h"
#include "platform/helpviewer.h"
#include "ui/entrydescription.h"
#include "ui/textfit.h"

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

// Hex fields show what is typed in upper case, character by character:
// QString::toUpper would turn one "ß" into "SS" and overrun the two places.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (QChar& c : input) c = c.toUpper();
    return Acceptable;
  }
};

QString HexOrNothing(int value) { return value == -1 ? QString() : HexText(value); }

bool IsHexDigit(int c) { return HexDigitValue(c) >= 0; }

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
  palette.setColor(QPalette::Window, ResolveColor(color >= 0 ? color : clBtnFace, widget->palette()));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The box colour shows through the labels and bevels, which paint no
// background of their own. Giving the controls in the box a window colour
// of their own keeps a new box colour from reaching each of them: the box
// then repaints once, not once more for every control that inherited it.
void KeepOwnWindowColor(QWidget* box) {
  const QColor face = ResolveColor(clBtnFace, box->palette());
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

EntryEditor::EntryEditor(Session& session, QWidget* parent) : QFrame(parent), session_(session) {
  BuildControls();
  connect(qApp, &QApplication::focusChanged, this, &EntryEditor::FocusChanged);
  connect(&session_, &Session::ActiveTableChanged, this, &EntryEditor::UpdateBorder);
}

// The fields lose the focus while the window is torn down; the frame must
// not hear of it any more.
EntryEditor::~EntryEditor() { disconnect(qApp, nullptr, this, nullptr); }

void EntryEditor::BuildControls() {
  resize(206, 173);
  Border = new QWidget(this);
  Border->setObjectName("Border");
  SetBorderColor(clBtnFace);

  Inner = new QWidget(Border);
  Inner->setObjectName("Inner");
  PaintBackground(Inner, clBtnFace);

  HeaderBox = new QGroupBox(Inner);
  HeaderBox->setObjectName("HeaderBox");
  HeaderBox->setFont(DisplayFont("MS Sans Serif", -13, false, true).ToQFont());

  PositionBar = new QScrollBar(Qt::Horizontal, HeaderBox);
  PositionBar->setObjectName("PositionBar");
  PositionBar->setRange(0, 255);
  PositionBar->setPageStep(16);
  PositionBar->setSingleStep(1);
  PositionBar->setFocusPolicy(Qt::ClickFocus);
  connect(PositionBar, &QScrollBar::valueChanged, this, &EntryEditor::PositionBarChange);

  InputBox = new QGroupBox(HeaderBox);
  InputBox->setObjectName("InputBox");
  InputBox->setFont(DisplayFont("MS Sans Serif", -11).ToQFont());
  SetInputBoxColor(clBtnFace);

  CharBevel = new QFrame(InputBox);
  CharBevel->setObjectName("CharBevel");
  CharBevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  CharBevel->setGeometry(16, 22, 153, 35);
  HexBevel = new QFrame(InputBox);
  HexBevel->setObjectName("HexBevel");
  HexBevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  HexBevel->setGeometry(16, 69, 153, 35);

  CharCaption = MakeLabel("CharCaption", "Alpha:", InputBox);
  CharCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
  CharCaption->setGeometry(24, 32, 42, 20);
  HexCaption = MakeLabel("HexCaption", "Hex:", InputBox);
  HexCaption->setAlignment(Qt::AlignRight | Qt::AlignTop);
  HexCaption->setGeometry(24, 80, 42, 20);

  SourceChar = MakeField("SourceChar", 1, QRect(80, 28, 30, 21), InputBox);
  CharEquals = MakeLabel("CharEquals", "=", InputBox);
  CharEquals->move(120, 32);
  CharEquals->adjustSize();
  TargetChar = MakeField("TargetChar", 1, QRect(136, 28, 30, 21), InputBox);
  SourceHex = MakeField("SourceHex", 2, QRect(80, 76, 30, 21), InputBox);
  HexEquals = MakeLabel("HexEquals", "=", InputBox);
  HexEquals->move(120, 80);
  HexEquals->adjustSize();
  TargetHex = MakeField("TargetHex", 2, QRect(136, 76, 30, 21), InputBox);
  for (QLineEdit* hex : {SourceHex, TargetHex}) hex->setValidator(new UpperCaseValidator(hex));
  KeepOwnWindowColor(InputBox);

  LblNoData = MakeLabel("LblNoData", QString(), InputBox);
  LblNoData->move(24, 8);
  PaintBackground(LblNoData, NoDataColor);
  LblNoData->hide();

  // A dropped file goes past the fields to the window, which loads it.
  for (QLineEdit* field : {SourceChar, TargetChar, SourceHex, TargetHex}) {
    field->installEventFilter(this);
    field->setAcceptDrops(false);
  }
  connect(SourceChar, &QLineEdit::textChanged, this, &EntryEditor::SourceCharChange);
  connect(TargetChar, &QLineEdit::textChanged, this, &EntryEditor::TargetCharChange);
  connect(SourceHex, &QLineEdit::textChanged, this, &EntryEditor::SourceHexChange);
  connect(TargetHex, &QLineEdit::textChanged, this, &EntryEditor::TargetHexChange);
  LayoutPanels();
}

// Border fills the frame, Inner keeps 5 pixels of it around, HeaderBox fills
// Inner, the scroll bar sits at its bottom and InputBox keeps its
// distances to all four sides.
void EntryEditor::LayoutPanels() {
  Border->setGeometry(rect());
  Inner->setGeometry(Border->rect().adjusted(5, 5, -5, -5));
  HeaderBox->setGeometry(Inner->rect());
  const int width = HeaderBox->width();
  const int height = HeaderBox->height();
  PositionBar->setGeometry(2, height - 19, width - 4, 17);
  InputBox->setGeometry(6, 24, width - 12, height - 49);
}

void EntryEditor::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayoutPanels();
}

void EntryEditor::SetRole(bool exportRole) {
  ExportRole = exportRole;
  if (ExportRole) {
    HeaderBox->setTitle("Export von ASCII");
    InputBox->setTitle("                   ASCII    =    Export");
    setTabOrder(SourceChar, TargetHex);
    setTabOrder(TargetHex, TargetChar);
    setTabOrder(TargetChar, SourceHex);
  } else {
    HeaderBox->setTitle("Import nach ASCII");
    InputBox->setTitle("                  Import    =    ASCII");
    setTabOrder(SourceHex, TargetChar);
    setTabOrder(TargetChar, TargetHex);
    setTabOrder(TargetHex, SourceChar);
  }

  // The two instances on the control window are narrower than the design.
  resize(200, height());
  for (QFrame* bevel : {CharBevel, HexBevel}) bevel->resize(147, bevel->height());
  CharEquals->move(104, CharEquals->y());
  HexEquals->move(104, HexEquals->y());
  if (ExportRole) {
    CharCaption->setGeometry(24, 32, 33, 20);
    HexCaption->setGeometry(31, 80, 26, 20);
  } else {
    CharCaption->setGeometry(20, 32, 34, 20);
    HexCaption->setGeometry(20, 80, 34, 20);
  }
  for (QLineEdit* source : {SourceChar, SourceHex}) source->move(64, source->y());
  for (QLineEdit* target : {TargetChar, TargetHex}) target->move(120, target->y());
  const int helpContext = ExportRole ? HelpExportEditor : HelpImportEditor;
  for (QLineEdit* field : {SourceChar, TargetChar, SourceHex, TargetHex}) {
    field->setProperty("helpContext", helpContext);
    field->setProperty("tag", 0);
  }
  (ExportRole ? TargetHex : TargetChar)->setProperty("tag", EntryFieldTag);
}

void EntryEditor::SetTable(const CodeTable* table) { Table = table; }

void EntryEditor::UpdateBorder() { SetBorderColor(IsActive() ? session_.ActiveColor : clBtnFace); }

void EntryEditor::SetPartnerEditor(EntryEditor* editor) {
  if (!editor && PartnerEditor && PartnerEditor->PartnerEditor) PartnerEditor->PartnerEditor = nullptr;
  PartnerEditor = editor;
  if (editor) editor->PartnerEditor = this;
}

void EntryEditor::MakeActive() {
  if (Table) session_.SetActiveTable(Kind());
}

// Entering the frame from outside makes its table the active one.
void EntryEditor::FocusChanged(QWidget* old, QWidget* now) {
  if (now && isAncestorOf(now) && !(old && isAncestorOf(old))) MakeActive();
}

void EntryEditor::ClearSelection() {
  AlphaTyped = false;
  HexTyped = false;
  SetInputBoxColor(clBtnFace);
  if (Table) session_.SelectEntry(Kind(), -1);
  TargetChar->clear();
  SourceHex->clear();
  TargetHex->clear();
  if (IsActive() && PartnerEditor) PartnerEditor->ClearSelection();
}

void EntryEditor::SelectSource(int position) {
  if (position == -1) {
    if (Table) session_.SelectEntry(Kind(), -1);
    return;
  }
  SourceChar->setText(CharText(position));
  SourceHex->setText(HexOrNothing(position));
  if (IsActive() && PartnerEditor) PartnerEditor->SelectSource(Table->Target(position));
  MoveTo(position);
}

void EntryEditor::MoveTo(int position) {
  if (position == -1 || !Table) return;
  const int p = position & 0xFF;
  SetScrollPosition(p);
  session_.SelectEntry(Kind(), p);
  Repaint();
  if (IsActive()) {
    if (TargetChar->property("tag").toInt() == EntryFieldTag)
      FocusField(TargetChar);
    else if (TargetHex->property("tag").toInt() == EntryFieldTag)
      FocusField(TargetHex);
  }
  if (IsActive() && PartnerEditor) {
    const int target = Table->Target(p);
    PartnerEditor->MoveTo(target == -1 ? p : target);
  }
}

void EntryEditor::PositionBarChange() {
  if (ScrollByProgram) {
    ScrollByProgram = false;
    return;
  }
  MoveTo(PositionBar->value());
}

void EntryEditor::SetScrollPosition(int position) {
  ScrollByProgram = true;
  PositionBar->setValue(position);
  ScrollByProgram = false;
}

void EntryEditor::Repaint() {
  if (!Table) return;
  const int p = Table->CurrentPosition();
  const int t = p == -1 ? -1 : Table->Target(p);
  SetInputBoxColor(EntryColor(p));
  UpdateBorder();
  ShowText(SourceChar, p == -1 ? QString() : CharText(p & 0xFF));
  ShowText(SourceHex, p == -1 ? QString() : HexOrNothing(p & 0xFF));
  ShowText(TargetChar, t == -1 ? QString() : CharText(t));
  ShowText(TargetHex, HexOrNothing(t));
  if (IsActive() && PartnerEditor) PartnerEditor->Repaint();
}

int32_t EntryEditor::EntryColor(int position) const {
  if (!Table || position == -1) return clBtnFace;
  switch (Table->State(position)) {
    case EntryState::kUnassigned:
      return NoDataColor;
    case EntryState::kAmbiguous:
      return session_.AmbiguousColor;
    case EntryState::kProven:
      return session_.ProofColor;
    case EntryState::kUnique:
      break;
  }
  return clBtnFace;
}

bool EntryEditor::IsActive() const { return Table && Table->IsActive(); }

TableKind EntryEditor::Kind() const { return ExportRole ? TableKind::kExport : TableKind::kImport; }

// The session repaints every view once the pair is in the table.
void EntryEditor::CommitPair() {
  if (!Table) return;
  const int source = HexValue(SourceHex->text());
  const int target = HexValue(TargetHex->text());
  if (source != -1 && target != -1) session_.CommitPair(Kind(), source, target);
  SetScrollPosition(Table->CurrentPosition());
}

// The character of the removed position stays in view; the other fields
// and both grids' marks show that nothing is current any more.
void EntryEditor::RemoveAssignment(const QString& hexText) {
  if (Table) {
    const QString shown = SourceChar->text();
    session_.RemoveAssignment(Kind(), hexText);
    ShowText(SourceChar, shown);
  }
  ClearSelection();
}

int EntryEditor::HexValue(const QString& text) {
  // The fields hold what the validator made of the typed text: upper case.
  if (text.size() != 2 || text != text.toUpper()) return -1;
  return ParseHexByte(text.toLatin1().constData());
}

QString EntryEditor::HexToChar(const QString& hexText) const {
  const int value = HexValue(hexText);
  return value == -1 ? QString() : CharText(value);
}

// The character fields take the font at the largest size that shows every
// character of the code page whole; worked out again only for a new font.
void EntryEditor::SetDisplayFont(const DisplayFont& font) {
  const QFont qfont = font.ToQFont();
  if (fieldsFitted_ && qfont == fieldsFont_ && font.OemCharset == displayOem_) return;
  fieldsFitted_ = true;
  fieldsFont_ = qfont;
  displayOem_ = font.OemCharset;
  const QFont fitted = FitLineEdit(qfont, CharacterSamples(displayOem_), *SourceChar);
  SourceChar->setFont(fitted);
  TargetChar->setFont(fitted);
}

// The character that shows a byte in the display font; NUL shows nothing.
QString EntryEditor::CharText(int code) const {
  if (code == 0) return QString();
  return QString(DisplayChar(static_cast<uint8_t>(code), displayOem_));
}

// The byte of the single character in a character field, -1 for none.
// A character the program put there maps back through the display font;
// one that was typed or pasted converts as a typed key does.
int EntryEditor::CodeOfText(const QString& text) const {
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

void EntryEditor::SetInputBoxColor(int32_t color) {
  if (color == inputBoxColor_) return;
  inputBoxColor_ = color;
  PaintBackground(InputBox, color);
}

void EntryEditor::SetBorderColor(int32_t color) {
  if (color == borderColor_) return;
  borderColor_ = color;
  PaintBackground(Border, color);
}

// A field that takes the focus is ready to be typed over, as after Tab.
void EntryEditor::FocusField(QLineEdit* field) {
  field->setFocus(Qt::OtherFocusReason);
  field->selectAll();
}

bool EntryEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && watched->isWidgetType()) {
    ShowEntryTooltip(static_cast<const QHelpEvent&>(*event).globalPos(), static_cast<QWidget*>(watched));
    return true;
  }
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (field && event->type() == QEvent::ShortcutOverride) return LeaveToCommand(static_cast<QKeyEvent&>(*event));
  if (event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  if (!field) return QFrame::eventFilter(watched, event);
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return false;
  // The shortcut of a disabled command types nothing either.
  if (session_.IsCommandShortcut(QKeySequence(key.keyCombination()))) return true;

  const bool alphaField = field == SourceChar || field == TargetChar;
  if (alphaField ? CharFieldKeyDown(key) : HexFieldKeyDown(key)) return true;

  int byte = TypedByte(key);
  if (byte == NoCharacter) return false;
  if (byte == Unmapped) {
    session_.Prompt().Beep();
    return true;
  }
  if (field == SourceChar) return SourceCharKeyPress(byte);
  if (field == TargetChar) return TargetCharKeyPress(byte);
  return SourceHexKeyPress(byte);
}

// A field gives up a key by ignoring its override event: the program's
// shortcuts run their commands in every field, where the field would
// otherwise undo its own text or type a control character. Other Ctrl
// letters still type control characters.
bool EntryEditor::LeaveToCommand(QKeyEvent& key) const {
  if (!session_.IsCommandShortcut(QKeySequence(key.keyCombination()))) return false;
  key.ignore();
  return true;
}

// Every field describes the current entry in words.
void EntryEditor::ShowEntryTooltip(const QPoint& at, QWidget* field) {
  if (!Table || Table->CurrentPosition() == -1) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(at, DescribeEntry(*Table, Table->CurrentPosition(), displayOem_), field);
}

bool EntryEditor::CharFieldKeyDown(const QKeyEvent& key) {
  AlphaTyped = true;
  HexTyped = false;
  return HandleKeyDown(key);
}

bool EntryEditor::HexFieldKeyDown(const QKeyEvent& key) {
  AlphaTyped = false;
  HexTyped = true;
  return HandleKeyDown(key);
}

bool EntryEditor::HandleKeyDown(const QKeyEvent& key) {
  const int code = key.key();
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  if (code == Qt::Key_Return || code == Qt::Key_Enter) {
    AlphaTyped = false;
    HexTyped = false;
    if (TargetHex->text().size() == 2 && SourceHex->text().size() == 2) {
      CommitPair();
      FocusField(ExportRole ? SourceChar : SourceHex);
    }
    return true;
  }
  if (ctrl && code == Qt::Key_Delete) {
    RemoveAssignment(SourceHex->text());
    return false;
  }
  if (ctrl && (code == Qt::Key_Right || code == Qt::Key_Down || code == Qt::Key_Left || code == Qt::Key_Up)) {
    if (!Table) return true;
    const Session& dm = session_;
    switch (code) {
      case Qt::Key_Right:
        SelectSource(dm.StepRight(*Table));
        break;
      case Qt::Key_Down:
        SelectSource(dm.StepDown(*Table));
        break;
      case Qt::Key_Left:
        SelectSource(dm.StepLeft(*Table));
        break;
      default:
        SelectSource(dm.StepUp(*Table));
        break;
    }
    return true;
  }
  if (code == Qt::Key_F3) {
    const int source = Table ? Table->FindTarget(HexValue(TargetHex->text())) : -1;
    if (source == -1)
      session_.Prompt().Information("Zeichen nicht zugeordnet!");
    else
      MoveTo(source);
    return true;
  }
  return false;
}

bool EntryEditor::SourceHexKeyPress(int key) {
  if (key == Enter) return true;
  SetInputBoxColor(clBtnFace);
  if (key >= 0x20 && key <= 0x7E && !IsHexDigit(key)) {
    session_.Prompt().Beep();
    return true;
  }
  return false;
}

// The byte a character field takes from a typed key, through the OEM code
// page while that font is shown; -1 for NUL, "." and Backspace, which the
// field handles itself.
int EntryEditor::TakeTypedChar(int key) {
  if (OemInput) key = AnsiToOem(static_cast<uint8_t>(key));
  SetInputBoxColor(clBtnFace);
  if (key == 0 || key == '.' || key == Backspace) return -1;
  AlphaTyped = false;
  HexTyped = false;
  return key;
}

bool EntryEditor::SourceCharKeyPress(int key) {
  if (key == Enter) return true;
  const int byte = TakeTypedChar(key);
  if (byte == -1) return false;
  ClearSelection();
  SelectSource(byte);
  return true;
}

bool EntryEditor::TargetCharKeyPress(int key) {
  if (key == Enter) return true;
  const int byte = TakeTypedChar(key);
  if (byte == -1) return false;
  TargetChar->setText(CharText(byte));
  TargetHex->setText(HexOrNothing(byte));
  SetInputBoxColor(EntryColor(Table ? Table->CurrentPosition() : -1));
  return true;
}

void EntryEditor::SourceCharChange() {
  if (!AlphaTyped) return;
  AlphaTyped = false;
  const int code = CodeOfText(SourceChar->text());
  ClearSelection();
  SelectSource(code);
  SetInputBoxColor(EntryColor(code));
}

void EntryEditor::TargetCharChange() {
  if (!AlphaTyped) return;
  AlphaTyped = false;
  TargetHex->setText(HexOrNothing(CodeOfText(TargetChar->text())));
}

void EntryEditor::SourceHexChange() {
  if (!HexTyped) return;
  if (PartnerEditor) PartnerEditor->ClearSelection();
  HexTyped = false;
  const int code = HexValue(SourceHex->text());
  SourceChar->setText(HexToChar(SourceHex->text()));
  if (Table && code != -1) {
    SelectSource(code);
    const int position = Table->CurrentPosition();
    SetInputBoxColor(EntryColor(position));
    const int target = position == -1 ? -1 : Table->Target(position);
    if (target != -1) {
      TargetHex->setText(HexOrNothing(target));
      TargetChar->setText(CharText(target));
      if (PartnerEditor) PartnerEditor->MoveTo(target);
      return;
    }
  }
  TargetHex->clear();
  TargetChar->clear();
}

void EntryEditor::TargetHexChange() {
  if (!HexTyped) return;
  HexTyped = false;
  TargetChar->setText(HexToChar(TargetHex->text()));
}
