#include "support/session.h"

#include <QApplication>
#include <QTest>

Session* TheSession = nullptr;
ControlWindow* TheControl = nullptr;

QString CaptionText(const QWidget& window) {
  QString title = window.windowTitle();
  if (title.endsWith("[*]")) title.chop(3);
  return title.replace("[*][*]", "[*]");
}

void SessionTest::SetUp() {
  TheSession = new Session();
  auto scripted = std::make_unique<ScriptedPrompter>();
  prompter_ = scripted.get();
  TheSession->SetPrompter(std::move(scripted));
  TheControl = new ControlWindow(*TheSession);
}

bool SessionTest::ShowControlWindow() {
  TheControl->show();
  QApplication::setActiveWindow(TheControl);
  return QTest::qWaitForWindowActive(TheControl);
}

void SessionTest::TearDown() {
  delete TheControl;
  TheControl = nullptr;
  delete TheSession;
  TheSession = nullptr;
}
