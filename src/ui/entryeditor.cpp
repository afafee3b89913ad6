#include "ui/entryeditor.h"

#include <QApplication>
#include <QHelpEvent>
#include <QSignalBlocker>
#include <QToolTip>
#include <QValidator>

#include "app/session.h"
#include "platform/colors.h"
#include "platform/displayfont.h"
#include "platform/helpviewer.h"
#include "ui/entrydescription.h"
#include "ui/entrygeometry.h"
#include "ui/entrykeys.h"
#include "ui/textfit.h"

namespace {

// The box colour of an entry no position maps to.
constexpr int32_t kNoDataColor = kColorButtonShadow;
// Marks the target field that takes the focus when a position becomes current.
constexpr int kEntryFieldTag = 2;

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

QLineEdit* MakeField(const char* name, int max_length, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(max_length);
  return field;
}

QLabel* MakeLabel(const char* name, const QString& caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

QFrame* MakeBevel(const char* name, QWidget* parent) {
  auto* bevel = new QFrame(parent);
  bevel->setObjectName(name);
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  return bevel;
}

void PlaceControls(QWidget& box, TableKind kind) {
  for (const ControlPlace& place : kInputBoxPlaces) {
    auto* control = box.findChild<QWidget*>(place.Name, Qt::FindDirectChildrenOnly);
    const QRect rect = PlaceOf(place, kind);
    if (rect.isEmpty()) {
      control->move(rect.topLeft());
      control->adjustSize();
    } else {
      control->setGeometry(rect);
    }
  }
}

void PaintBackground(QWidget* widget, int32_t color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ResolveColor(color >= 0 ? color : kColorButtonFace, widget->palette()));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The box colour shows through the labels and bevels, which paint no
// background of their own. Giving the controls in the box a window colour
// of their own keeps a new box colour from reaching each of them: the box
// then repaints once, not once more for every control that inherited it.
void KeepOwnWindowColor(QWidget* box) {
  const QColor face = ResolveColor(kColorButtonFace, box->palette());
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

EntryEditor::EntryEditor(Session& session, TableKind kind, QWidget* parent)
    : QFrame(parent), session_(session), kind_(kind), table_(session.Table(kind)) {
  BuildControls();
  SetRole();
  keys_ = new EntryKeys(*this, session_);
  for (QLineEdit* field : {source_char_, target_char_, source_hex_, target_hex_}) field->installEventFilter(keys_);
  connect(qApp, &QApplication::focusChanged, this, &EntryEditor::FocusChanged);
  connect(&session_, &Session::ActiveTableChanged, this, &EntryEditor::UpdateBorder);
  connect(&session_, &Session::EntrySelected, this, &EntryEditor::FollowSelection);
}

// The fields lose the focus while the window is torn down; the frame must
// not hear of it any more.
EntryEditor::~EntryEditor() { disconnect(qApp, nullptr, this, nullptr); }

void EntryEditor::BuildControls() {
  resize(kEntryFrameSize);
  border_ = new QWidget(this);
  border_->setObjectName("Border");
  SetBorderColor(kColorButtonFace);

  inner_ = new QWidget(border_);
  inner_->setObjectName("Inner");
  PaintBackground(inner_, kColorButtonFace);

  header_box_ = new QGroupBox(inner_);
  header_box_->setObjectName("HeaderBox");
  header_box_->setFont(DisplayFont("MS Sans Serif", -13, false, true).ToQFont());

  position_bar_ = new QScrollBar(Qt::Horizontal, header_box_);
  position_bar_->setObjectName("PositionBar");
  position_bar_->setRange(0, 255);
  position_bar_->setPageStep(16);
  position_bar_->setSingleStep(1);
  position_bar_->setFocusPolicy(Qt::ClickFocus);
  connect(position_bar_, &QScrollBar::valueChanged, this, &EntryEditor::PositionBarChange);

  input_box_ = new QGroupBox(header_box_);
  input_box_->setObjectName("InputBox");
  input_box_->setFont(DisplayFont("MS Sans Serif", -11).ToQFont());
  SetInputBoxColor(kColorButtonFace);

  char_bevel_ = MakeBevel("CharBevel", input_box_);
  hex_bevel_ = MakeBevel("HexBevel", input_box_);
  char_caption_ = MakeLabel("CharCaption", "Alpha:", input_box_);
  char_caption_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  hex_caption_ = MakeLabel("HexCaption", "Hex:", input_box_);
  hex_caption_->setAlignment(Qt::AlignRight | Qt::AlignTop);
  source_char_ = MakeField("SourceChar", 1, input_box_);
  char_equals_ = MakeLabel("CharEquals", "=", input_box_);
  target_char_ = MakeField("TargetChar", 1, input_box_);
  source_hex_ = MakeField("SourceHex", 2, input_box_);
  hex_equals_ = MakeLabel("HexEquals", "=", input_box_);
  target_hex_ = MakeField("TargetHex", 2, input_box_);
  for (QLineEdit* hex : {source_hex_, target_hex_}) hex->setValidator(new UpperCaseValidator(hex));
  KeepOwnWindowColor(input_box_);

  // A dropped file goes past the fields to the window, which loads it.
  for (QLineEdit* field : {source_char_, target_char_, source_hex_, target_hex_}) {
    field->installEventFilter(this);
    field->setAcceptDrops(false);
  }
  connect(source_char_, &QLineEdit::textEdited, this, &EntryEditor::SourceCharEdited);
  connect(target_char_, &QLineEdit::textEdited, this, &EntryEditor::TargetCharEdited);
  connect(source_hex_, &QLineEdit::textEdited, this, &EntryEditor::SourceHexEdited);
  connect(target_hex_, &QLineEdit::textEdited, this, &EntryEditor::TargetHexEdited);
  LayoutPanels();
}

void EntryEditor::LayoutPanels() {
  const PanelPlaces places = PlacePanels(size());
  border_->setGeometry(places.Border);
  inner_->setGeometry(places.Inner);
  header_box_->setGeometry(places.HeaderBox);
  position_bar_->setGeometry(places.PositionBar);
  input_box_->setGeometry(places.InputBox);
}

void EntryEditor::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  LayoutPanels();
}

void EntryEditor::SetRole() {
  const bool export_role = kind_ == TableKind::kExport;
  if (export_role) {
    header_box_->setTitle("Export von ASCII");
    input_box_->setTitle("                   ASCII    =    Export");
    setTabOrder(source_char_, target_hex_);
    setTabOrder(target_hex_, target_char_);
    setTabOrder(target_char_, source_hex_);
  } else {
    header_box_->setTitle("Import nach ASCII");
    input_box_->setTitle("                  Import    =    ASCII");
    setTabOrder(source_hex_, target_char_);
    setTabOrder(target_char_, target_hex_);
    setTabOrder(target_hex_, source_char_);
  }
  PlaceControls(*input_box_, kind_);
  const int help_context = export_role ? kHelpExportEditor : kHelpImportEditor;
  for (QLineEdit* field : {source_char_, target_char_, source_hex_, target_hex_}) {
    field->setProperty("helpContext", help_context);
    field->setProperty("tag", 0);
  }
  (export_role ? target_hex_ : target_char_)->setProperty("tag", kEntryFieldTag);
}

void EntryEditor::UpdateBorder() { SetBorderColor(IsActive() ? session_.ActiveColor : kColorButtonFace); }

void EntryEditor::MakeActive() { session_.SetActiveTable(kind_); }

bool EntryEditor::FollowsOtherTable() const { return table_.Partner() && session_.Table(OtherKind(kind_)).IsActive(); }

// Entering the frame from outside makes its table the active one.
void EntryEditor::FocusChanged(QWidget* old, QWidget* now) {
  if (now && isAncestorOf(now) && !(old && isAncestorOf(old))) MakeActive();
}

// A table that loses its current entry empties the fields but the source
// character; the editor of a chained pair's inactive table shows the inverse
// entry of the active one.
void EntryEditor::FollowSelection(TableKind kind, int position) {
  if (kind == kind_) {
    if (position == -1) ClearFields();
    return;
  }
  if (!FollowsOtherTable()) return;
  if (position == -1) {
    ClearSelection();
    return;
  }
  const int target = session_.Table(kind).Target(position);
  MoveTo(target == -1 ? position : target);
}

void EntryEditor::ClearFields() {
  SetInputBoxColor(kColorButtonFace);
  target_char_->clear();
  source_hex_->clear();
  target_hex_->clear();
}

void EntryEditor::ClearSelection() { session_.SelectEntry(kind_, -1); }

void EntryEditor::SelectSource(int position) {
  if (position == -1) {
    ClearSelection();
    return;
  }
  source_char_->setText(Text().CharOf(position));
  source_hex_->setText(EntryText::HexOf(position));
  MoveTo(position);
}

void EntryEditor::MoveTo(int position) {
  if (position == -1) return;
  const int p = position & 0xFF;
  SetScrollPosition(p);
  session_.SelectEntry(kind_, p);
  Repaint();
  if (IsActive()) {
    if (target_char_->property("tag").toInt() == kEntryFieldTag)
      FocusField(target_char_);
    else if (target_hex_->property("tag").toInt() == kEntryFieldTag)
      FocusField(target_hex_);
  }
}

void EntryEditor::PositionBarChange() { MoveTo(position_bar_->value()); }

void EntryEditor::SetScrollPosition(int position) {
  const QSignalBlocker quiet(position_bar_);
  position_bar_->setValue(position);
}

void EntryEditor::Repaint() {
  const int p = table_.CurrentPosition();
  const int t = p == -1 ? -1 : table_.Target(p);
  SetInputBoxColor(EntryColor(p));
  UpdateBorder();
  ShowText(source_char_, p == -1 ? QString() : Text().CharOf(p & 0xFF));
  ShowText(source_hex_, p == -1 ? QString() : EntryText::HexOf(p & 0xFF));
  ShowText(target_char_, Text().CharOf(t));
  ShowText(target_hex_, EntryText::HexOf(t));
}

int32_t EntryEditor::EntryColor(int position) const {
  if (position == -1) return kColorButtonFace;
  switch (table_.State(position)) {
    case EntryState::kUnassigned:
      return kNoDataColor;
    case EntryState::kAmbiguous:
      return session_.AmbiguousColor;
    case EntryState::kProven:
      return session_.ProofColor;
    case EntryState::kUnique:
      break;
  }
  return kColorButtonFace;
}

// The session repaints every view once the pair is in the table.
void EntryEditor::CommitPair() {
  const int source = EntryText::ByteOfHex(source_hex_->text());
  const int target = EntryText::ByteOfHex(target_hex_->text());
  if (source != -1 && target != -1) session_.CommitPair(kind_, source, target);
  SetScrollPosition(table_.CurrentPosition());
}

void EntryEditor::CommitShownPair() {
  if (target_hex_->text().size() != 2 || source_hex_->text().size() != 2) return;
  CommitPair();
  FocusField(kind_ == TableKind::kExport ? source_char_ : source_hex_);
}

// The character of the removed position stays in view; the other fields
// and both grids' marks show that nothing is current any more.
void EntryEditor::RemoveAssignment(const QString& hex_text) {
  const QString shown = source_char_->text();
  session_.RemoveAssignment(kind_, hex_text);
  ShowText(source_char_, shown);
  ClearSelection();
}

void EntryEditor::FindShownTarget() {
  const int source = table_.FindTarget(EntryText::ByteOfHex(target_hex_->text()));
  if (source == -1)
    session_.Prompt().Information("Zeichen nicht zugeordnet!");
  else
    MoveTo(source);
}

// The character fields take the font at the largest size that shows every
// character of the code page whole; worked out again only for a new font.
void EntryEditor::SetDisplayFont(const DisplayFont& font) {
  const QFont qfont = font.ToQFont();
  if (fields_fitted_ && qfont == fields_font_ && font.OemCharset == oem_display_) return;
  fields_fitted_ = true;
  fields_font_ = qfont;
  oem_display_ = font.OemCharset;
  const QFont fitted = FitLineEdit(qfont, CharacterSamples(oem_display_), *source_char_);
  source_char_->setFont(fitted);
  target_char_->setFont(fitted);
}

void EntryEditor::SetOemInput(bool oem) { oem_input_ = oem; }

EntryText EntryEditor::Text() const { return EntryText({session_.WorkstationCharset(), oem_display_}, oem_input_); }

void EntryEditor::ResetBoxColor() { SetInputBoxColor(kColorButtonFace); }

void EntryEditor::TypeSource(int byte) {
  ClearSelection();
  SelectSource(byte);
}

void EntryEditor::TypeTarget(int byte) {
  target_char_->setText(Text().CharOf(byte));
  target_hex_->setText(EntryText::HexOf(byte));
  SetInputBoxColor(EntryColor(table_.CurrentPosition()));
}

void EntryEditor::SourceCharEdited() {
  const int code = Text().ByteOfChar(source_char_->text());
  ClearSelection();
  SelectSource(code);
  SetInputBoxColor(EntryColor(code));
}

void EntryEditor::TargetCharEdited() {
  target_hex_->setText(EntryText::HexOf(Text().ByteOfChar(target_char_->text())));
}

void EntryEditor::SourceHexEdited() {
  if (table_.Partner()) session_.SelectEntry(OtherKind(kind_), -1);
  const int code = EntryText::ByteOfHex(source_hex_->text());
  source_char_->setText(Text().CharOf(code));
  if (code != -1) {
    SelectSource(code);
    const int position = table_.CurrentPosition();
    SetInputBoxColor(EntryColor(position));
    const int target = position == -1 ? -1 : table_.Target(position);
    if (target != -1) {
      target_hex_->setText(EntryText::HexOf(target));
      target_char_->setText(Text().CharOf(target));
      return;
    }
  }
  target_hex_->clear();
  target_char_->clear();
}

void EntryEditor::TargetHexEdited() { target_char_->setText(Text().CharOf(EntryText::ByteOfHex(target_hex_->text()))); }

void EntryEditor::SetInputBoxColor(int32_t color) {
  if (color == input_box_color_) return;
  input_box_color_ = color;
  PaintBackground(input_box_, color);
}

void EntryEditor::SetBorderColor(int32_t color) {
  if (color == border_color_) return;
  border_color_ = color;
  PaintBackground(border_, color);
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
  return QFrame::eventFilter(watched, event);
}

// Every field describes the current entry in words.
void EntryEditor::ShowEntryTooltip(const QPoint& at, QWidget* field) {
  if (table_.CurrentPosition() == -1) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(at, DescribeEntry(table_, table_.CurrentPosition(), Text().Display()), field);
}
