// A fresh session and control window for each GUI test.
#pragma once

#include <gtest/gtest.h>

#include "app/session.h"
#include "support/scriptedprompter.h"
#include "ui/controlwindow.h"

// The session and control window of the running test, for the helpers
// that tests share.
extern Session* TheSession;
extern ControlWindow* TheControl;

// The text of a window's caption without Qt's place for the changed mark.
QString CaptionText(const QWidget& window);

class SessionTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Shows the control window and waits until it is the active window, as
  // keystrokes need; false when it never became active.
  static bool ShowControlWindow();

  ScriptedPrompter* prompter_ = nullptr;  // owned by the session
  CodeTable& ExportTable() const { return *TheSession->ExportTable; }
  CodeTable& ImportTable() const { return *TheSession->ImportTable; }
  void MakeExportActive() const {
    ExportTable().SetActive(true);
    ImportTable().SetActive(false);
  }
  void MakeImportActive() const {
    ImportTable().SetActive(true);
    ExportTable().SetActive(false);
  }
};
