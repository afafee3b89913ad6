#include "support/session.h"

#include <QApplication>

#include "ui/listform.h"

void SessionTest::SetUp() {
  DM1 = new TDM1();
  auto scripted = std::make_unique<TScriptedPrompter>();
  prompter = scripted.get();
  DM1->SetPrompter(std::move(scripted));
  Qctecp = new TQctecp();
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
