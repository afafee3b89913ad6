// A fresh session and control window for each GUI test.
#pragma once

#include <gtest/gtest.h>

#include "app/session.h"
#include "support/scriptedprompter.h"
#include "ui/controlwindow.h"

class SessionTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  ScriptedPrompter* prompter = nullptr;  // owned by the session
  CodeTable& exportTable() const { return *DM1->ExportTable; }
  CodeTable& importTable() const { return *DM1->ImportTable; }
  void MakeExportActive() const {
    exportTable().SetActive(1);
    importTable().SetActive(0);
  }
  void MakeImportActive() const {
    importTable().SetActive(1);
    exportTable().SetActive(0);
  }
};
