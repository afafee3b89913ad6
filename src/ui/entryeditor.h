// The entry editor: one assignment of one table at a time, as characters
// and as two hex digits. It follows the session's current entry of its
// table and, while the pair is chained and the other table is active, shows
// the inverse of the other table's current entry.
#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QString>
#include <cstdint>

#include "model/codetable.h"
#include "ui/entrytext.h"

class EntryKeys;
class Session;
struct DisplayFont;

class EntryEditor : public QFrame {
  Q_OBJECT

 public:
  EntryEditor(Session& session, TableKind kind, QWidget* parent = nullptr);
  ~EntryEditor() override;

  QWidget* Border() const { return border_; }
  QWidget* Inner() const { return inner_; }
  QGroupBox* HeaderBox() const { return header_box_; }
  QScrollBar* PositionBar() const { return position_bar_; }
  QGroupBox* InputBox() const { return input_box_; }
  QFrame* HexBevel() const { return hex_bevel_; }
  QLabel* CharCaption() const { return char_caption_; }
  QLabel* HexCaption() const { return hex_caption_; }
  QLabel* HexEquals() const { return hex_equals_; }
  QLineEdit* SourceChar() const { return source_char_; }
  QLineEdit* TargetChar() const { return target_char_; }
  QLineEdit* SourceHex() const { return source_hex_; }
  QLineEdit* TargetHex() const { return target_hex_; }

  TableKind Kind() const { return kind_; }
  const CodeTable& Table() const { return table_; }
  bool IsActive() const { return table_.IsActive(); }
  // The pair is chained and the other table is the active one.
  bool FollowsOtherTable() const;
  bool OemInput() const { return oem_input_; }

  // Makes this editor's table the active one.
  void MakeActive();
  void ClearSelection();
  void SelectSource(int position);
  void MoveTo(int position);
  void Repaint();
  // Commits the pair shown in the two hex fields.
  void CommitPair();
  void RemoveAssignment(const QString& hex_text);
  int32_t EntryColor(int position) const;
  // The font of both character fields.
  void SetDisplayFont(const DisplayFont& font);
  void SetOemInput(bool oem);

  // What the keys in the fields ask for.
  void ResetBoxColor();
  void TypeSource(int byte);
  void TypeTarget(int byte);
  // Enter: commits a complete pair and goes back to the source field.
  void CommitShownPair();
  // F3: the position whose target the target field shows becomes current.
  void FindShownTarget();
  EntryText Text() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void SetRole();
  void LayoutPanels();
  void FocusChanged(QWidget* old, QWidget* now);
  void FollowSelection(TableKind kind, int position);
  void ClearFields();
  void UpdateBorder();
  void ShowEntryTooltip(const QPoint& at, QWidget* field);

  void SourceCharEdited();
  void TargetCharEdited();
  void SourceHexEdited();
  void TargetHexEdited();
  void PositionBarChange();

  void SetScrollPosition(int position);
  void SetInputBoxColor(int32_t color);
  void SetBorderColor(int32_t color);
  void FocusField(QLineEdit* field);

  Session& session_;
  const TableKind kind_;
  const CodeTable& table_;
  bool oem_display_ = false;  // the character fields show bytes through CP 850
  bool oem_input_ = false;
  QFont fields_font_;  // the display font the character fields were fitted for
  bool fields_fitted_ = false;
  int32_t border_color_ = -1;
  int32_t input_box_color_ = -1;

  QWidget* border_;
  QWidget* inner_;
  QGroupBox* header_box_;
  QScrollBar* position_bar_;
  QGroupBox* input_box_;
  QFrame* char_bevel_;
  QFrame* hex_bevel_;
  QLabel* char_caption_;
  QLabel* hex_caption_;
  QLineEdit* source_char_;
  QLabel* char_equals_;
  QLineEdit* target_char_;
  QLineEdit* source_hex_;
  QLabel* hex_equals_;
  QLineEdit* target_hex_;
  EntryKeys* keys_;
};
