// The keys of an entry editor's four fields: which byte a key types, which
// keys the fields leave to the program's shortcuts, and what Enter,
// Ctrl+Delete, Ctrl+arrows and F3 ask of the editor.
#pragma once

#include <QObject>

class EntryEditor;
class QKeyEvent;
class QLineEdit;
class Session;

class EntryKeys : public QObject {
  Q_OBJECT

 public:
  EntryKeys(EntryEditor& editor, Session& session);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool LeaveToCommand(QKeyEvent& key) const;
  bool HandleKeyDown(const QKeyEvent& key);
  int StepTarget(int code) const;
  bool KeyPress(const QLineEdit& field, const QKeyEvent& key);
  bool CharFieldKeyPress(const QLineEdit& field, int byte);
  bool SourceHexKeyPress(int byte);

  EntryEditor& editor_;
  Session& session_;
};
