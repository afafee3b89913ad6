// A fresh session and control window for each GUI test.
#pragma once

#include <gtest/gtest.h>

#include "app/dm1unit.h"
#include "support/scriptedprompter.h"
#include "ui/teunit1.h"

class SessionTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  TScriptedPrompter* prompter = nullptr;  // owned by the session
  TCodeTab& exportTable() const { return *DM1->ExportTable; }
  TCodeTab& importTable() const { return *DM1->ImportTable; }
  void MakeExportActive() const {
    exportTable().SetActive(1);
    importTable().SetActive(0);
  }
  void MakeImportActive() const {
    importTable().SetActive(1);
    exportTable().SetActive(0);
  }
};
