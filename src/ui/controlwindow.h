// The control window: the main menu and the EXPORT and IMPORT entry editors.
// It creates, places, shows and hides the two table windows and the list of
// a comparison as the session asks, and keeps every view in step with the
// session's signals.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <vector>

#include "files/compare.h"
#include "files/pagecomparison.h"
#include "model/codetable.h"
#include "ui/menurows.h"

class DifferenceList;
class EntryEditor;
class SampleTextWindow;
class Session;
class TableWindow;

class ControlWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ControlWindow(Session& session, QWidget* owner = nullptr);
  ~ControlWindow() override;

  QWidget* ChainMargin;
  QWidget* EditorPanel;
  EntryEditor* ExportEditor;
  QLabel* CurrentFontLabel;
  QLabel* WorkstationCharsetLabel;
  EntryEditor* ImportEditor;
  MenuRows* Menu;

  // Created on first use, hidden rather than destroyed.
  TableWindow* ExportWindow = nullptr;
  TableWindow* ImportWindow = nullptr;
  QPointer<DifferenceList> DifferenceWindow;
  QPointer<SampleTextWindow> SampleWindow;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildForm();
  void BuildMenu();
  void ConnectSession();
  void UpdateViews();
  void ShowTableWindow(TableKind kind, bool shown);
  void FollowZoom();
  TableWindow* CreateTableWindow(TableKind kind);
  void ShowDifferences(TableKind kind, const QString& other_name, const std::vector<Difference>& differences);
  void ShowPageComparison(const PageComparison& comparison);
  // The list window of comparisons, created on first use.
  DifferenceList& DifferenceListWindow();
  void ShowSampleText();
  // A grid cell or a comparison row chosen: that table becomes the active
  // one and its editor shows the position.
  void SelectEntry(TableKind kind, int position);

  Session& session_;
  // The desktop's log-out asked and the user said quit: not again.
  bool quit_confirmed_ = false;
  bool placed_ = false;
};
