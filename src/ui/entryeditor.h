// The entry editor: one assignment of one table at a time, as characters
// and as two hex digits.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QString>
#include <cstdint>

#include "model/codetable.h"

class QKeyEvent;
class Session;
struct DisplayFont;

class EntryEditor : public QFrame {
  Q_OBJECT

 public:
  explicit EntryEditor(Session& session, QWidget* parent = nullptr);
  ~EntryEditor() override;

  // Controls.
  QWidget* Border;
  QWidget* Inner;
  QGroupBox* HeaderBox;
  QScrollBar* PositionBar;
  QGroupBox* InputBox;
  QFrame* CharBevel;
  QFrame* HexBevel;
  QLabel* CharCaption;
  QLabel* HexCaption;
  QLineEdit* SourceChar;
  QLabel* CharEquals;
  QLineEdit* TargetChar;
  QLineEdit* SourceHex;
  QLabel* HexEquals;
  QLineEdit* TargetHex;
  QLabel* LblNoData;

  // State.
  bool ExportRole = true;
  bool AlphaTyped = false;
  bool HexTyped = false;
  bool ScrollByProgram = false;
  EntryEditor* PartnerEditor = nullptr;
  const CodeTable* Table = nullptr;
  bool OemInput = false;

  void SetRole(bool exportRole);
  void SetTable(const CodeTable* table);
  void SetPartnerEditor(EntryEditor* editor);
  // Makes this editor's table the active one.
  void MakeActive();
  void ClearSelection();
  void SelectSource(int position);
  void MoveTo(int position);
  void Repaint();
  // Enter: commits the pair shown in the two hex fields.
  void CommitPair();
  void RemoveAssignment(const QString& hexText);
  int32_t EntryColor(int position) const;
  bool IsActive() const;
  TableKind Kind() const;
  static int HexValue(const QString& text);
  QString HexToChar(const QString& hexText) const;
  // The font of both character fields.
  void SetDisplayFont(const DisplayFont& font);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LayoutPanels();
  void FocusChanged(QWidget* old, QWidget* now);
  void UpdateBorder();
  void ShowEntryTooltip(const QPoint& at, QWidget* field);

  // Key-down of the character fields and of the hex fields; true when the
  // key is swallowed.
  bool LeaveToCommand(QKeyEvent& key) const;
  bool CharFieldKeyDown(const QKeyEvent& key);
  bool HexFieldKeyDown(const QKeyEvent& key);
  bool HandleKeyDown(const QKeyEvent& key);
  // Key-press filters for one typed byte; true when it is swallowed.
  int TakeTypedChar(int key);
  bool SourceCharKeyPress(int key);
  bool TargetCharKeyPress(int key);
  bool SourceHexKeyPress(int key);
  void SourceCharChange();
  void TargetCharChange();
  void SourceHexChange();
  void TargetHexChange();
  void PositionBarChange();

  QString CharText(int code) const;
  int CodeOfText(const QString& text) const;
  void SetScrollPosition(int position);
  void SetInputBoxColor(int32_t color);
  void SetBorderColor(int32_t color);
  void FocusField(QLineEdit* field);

  Session& session_;
  bool displayOem_ = false;  // the character fields show bytes through CP 850
  QFont fieldsFont_;         // the display font the character fields were fitted for
  bool fieldsFitted_ = false;
  int32_t borderColor_ = -1;
  int32_t inputBoxColor_ = -1;
};
