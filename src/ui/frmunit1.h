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

class QKeyEvent;
class TCodeTab;
class TListBoxForm;
struct TFont;

class TFrame1 : public QFrame {
  Q_OBJECT

 public:
  explicit TFrame1(QWidget* parent = nullptr);
  ~TFrame1() override;

  // Controls.
  QWidget* Rand;
  QWidget* Innen;
  QGroupBox* HeaderBox;
  QScrollBar* ScrollBar1;
  QGroupBox* InputHeader;
  QFrame* Bevel1;
  QFrame* Bevel2;
  QLabel* StaticText1;
  QLabel* StaticText2;
  QLineEdit* EdAlphaIn;
  QLabel* Label1;
  QLineEdit* EdAlphaOut;
  QLineEdit* EdHexIn;
  QLabel* Label2;
  QLineEdit* EdHexOut;
  QLabel* LblNoData;

  // State.
  bool ExportRole = true;
  bool AlphaTyped = false;
  bool HexTyped = false;
  bool ScrollByProgram = false;
  TFrame1* PartnerFrame = nullptr;
  TCodeTab* Table = nullptr;
  TListBoxForm* TableWindow = nullptr;
  bool OemInput = false;

  void SetRole(bool exportRole);
  void SetTable(TCodeTab* table);
  void SetActive(bool on);
  void SetActiveColor(int32_t color);
  void SetPartnerFrame(TFrame1* frame);
  void RandEnter(QObject* sender);
  void RandExit();
  void ClearSelection();
  void SelectSource(int position);
  void MoveTo(int position);
  void Repaint();
  void Update();
  int AssignFromHex(const QString& sourceText, const QString& targetText);
  void RemoveAssignment(const QString& hexText);
  int32_t EntryColor(int position) const;
  bool IsActive() const;
  static int HexValue(const QString& text);
  QString HexToChar(const QString& hexText) const;
  // The font of both character fields.
  void SetDisplayFont(const TFont& font);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LayoutPanels();
  void FocusChanged(QWidget* old, QWidget* now);

  // Key-down of the character fields and of the hex fields; true when the
  // key is swallowed.
  bool EdAlphaKeyDown(const QKeyEvent& key);
  bool EdHexKeyDown(const QKeyEvent& key);
  bool HandleKeyDown(const QKeyEvent& key);
  // Key-press filters for one typed byte; true when it is swallowed.
  bool EdAlphaInKeyPress(int key);
  bool EdAlphaOutKeyPress(int key);
  bool EdHexInKeyPress(int key);
  void EdAlphaInChange();
  void EdAlphaOutChange();
  void EdHexInChange();
  void EdHexOutChange();
  void ScrollBar1Change();

  QString CharText(int code) const;
  int CodeOfText(const QString& text) const;
  void SetScrollPosition(int position);
  void SetInputHeaderColor(int32_t color);
  void SetRandColor(int32_t color);
  void FocusField(QLineEdit* field);

  bool displayOem_ = false;  // the character fields show bytes through CP 850
  int32_t randColor_ = -1;
  int32_t inputHeaderColor_ = -1;
};
