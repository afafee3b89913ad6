#include "support/session.h"

Session* TheSession = nullptr;
ControlWindow* TheControl = nullptr;

void SessionTest::SetUp() {
  TheSession = new Session();
  auto scripted = std::make_unique<ScriptedPrompter>();
  prompter = scripted.get();
  TheSession->SetPrompter(std::move(scripted));
  TheControl = new ControlWindow(*TheSession);
}

void SessionTest::TearDown() {
  delete TheControl;
  TheControl = nullptr;
  delete TheSession;
  TheSession = nullptr;
}
