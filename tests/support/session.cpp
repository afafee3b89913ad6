#include "support/session.h"

#include <QApplication>

#include "ui/tablewindow.h"

void SessionTest::SetUp() {
  DM1 = new Session();
  auto scripted = std::make_unique<ScriptedPrompter>();
  prompter = scripted.get();
  DM1->SetPrompter(std::move(scripted));
  Qctecp = new ControlWindow();
  Qctecp->FormCreate();
}

void SessionTest::TearDown() {
  delete Qctecp;
  Qctecp = nullptr;
  delete DM1->ExportWindow;
  delete DM1->ImportWindow;
  delete DM1;
  DM1 = nullptr;
}
