#include "ui/entrykeys.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "app/session.h"
#include "model/hexdigits.h"
#include "ui/entryeditor.h"

namespace {

constexpr int kEnter = '\r';
constexpr int kBackspace = '\b';
// Results of TypedByte besides a byte.
constexpr int kNoCharacter = -1;
constexpr int kUnmapped = -2;

// The byte a key event types in the fields' code page: Ctrl+A..Z are the
// control characters 1..26, Enter is a carriage return. Keys that type
// nothing (arrows, Tab, Delete, Alt combinations) give kNoCharacter; a
// character outside the code page gives kUnmapped.
int TypedByte(const QKeyEvent& event, const EntryText& text) {
  const int key = event.key();
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) return kEnter;
  if (key == Qt::Key_Delete || key == Qt::Key_Tab || key == Qt::Key_Backtab) return kNoCharacter;
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) return kNoCharacter;
  if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
  if (key == Qt::Key_Backspace) return kBackspace;
  const QString typed = event.text();
  if (typed.isEmpty()) return kNoCharacter;
  const int byte = text.ByteOfTyped(typed.at(0));
  return byte < 0 ? kUnmapped : byte;
}

}  // namespace

EntryKeys::EntryKeys(EntryEditor& editor, Session& session) : QObject(&editor), editor_(editor), session_(session) {}

bool EntryKeys::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (!field) return false;
  if (event->type() == QEvent::ShortcutOverride) return LeaveToCommand(static_cast<QKeyEvent&>(*event));
  if (event->type() != QEvent::KeyPress) return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) return false;
  // The shortcut of a disabled command types nothing either.
  if (session_.IsCommandShortcut(QKeySequence(key.keyCombination()))) return true;
  if (HandleKeyDown(key)) return true;
  return KeyPress(*field, key);
}

// A field gives up a key by ignoring its override event: the program's
// shortcuts run their commands in every field, where the field would
// otherwise undo its own text or type a control character. Other Ctrl
// letters still type control characters.
bool EntryKeys::LeaveToCommand(QKeyEvent& key) const {
  if (!session_.IsCommandShortcut(QKeySequence(key.keyCombination()))) return false;
  key.ignore();
  return true;
}

// Keys that act alike in all four fields; true when the key is swallowed.
bool EntryKeys::HandleKeyDown(const QKeyEvent& key) {
  const int code = key.key();
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  if (code == Qt::Key_Return || code == Qt::Key_Enter) {
    editor_.CommitShownPair();
    return true;
  }
  if (ctrl && code == Qt::Key_Delete) {
    editor_.RemoveAssignment(editor_.SourceHex()->text());
    return false;
  }
  const int step = ctrl ? StepTarget(code) : -1;
  if (step != -1) {
    editor_.SelectSource(step);
    return true;
  }
  if (code == Qt::Key_F3) {
    editor_.FindShownTarget();
    return true;
  }
  return false;
}

// The position Ctrl+arrow moves to; -1 for other keys.
int EntryKeys::StepTarget(int code) const {
  const CodeTable& table = editor_.Table();
  switch (code) {
    case Qt::Key_Right:
      return session_.StepRight(table);
    case Qt::Key_Down:
      return session_.StepDown(table);
    case Qt::Key_Left:
      return session_.StepLeft(table);
    case Qt::Key_Up:
      return session_.StepUp(table);
    default:
      return -1;
  }
}

// One typed byte; true when it is swallowed.
bool EntryKeys::KeyPress(const QLineEdit& field, const QKeyEvent& key) {
  const int byte = TypedByte(key, editor_.Text());
  if (byte == kNoCharacter) return false;
  if (byte == kUnmapped) {
    session_.Prompt().Beep();
    return true;
  }
  if (byte == kEnter) return true;
  if (&field == editor_.SourceHex() || &field == editor_.TargetHex()) return SourceHexKeyPress(byte);
  return CharFieldKeyPress(field, byte);
}

// NUL, "." and Backspace are left to the field, which edits its text.
bool EntryKeys::CharFieldKeyPress(const QLineEdit& field, int byte) {
  byte = editor_.Text().InputByte(byte);
  editor_.ResetBoxColor();
  if (byte == 0 || byte == '.' || byte == kBackspace) return false;
  if (&field == editor_.SourceChar())
    editor_.TypeSource(byte);
  else
    editor_.TypeTarget(byte);
  return true;
}

// A hex field takes hex digits and keys that are no printable character.
bool EntryKeys::SourceHexKeyPress(int byte) {
  editor_.ResetBoxColor();
  if (byte >= 0x20 && byte <= 0x7E && HexDigitValue(byte) < 0) {
    session_.Prompt().Beep();
    return true;
  }
  return false;
}
