// The Qt side of the prompter: file filters as the dialog shows them, and
// the confirmation box that Enter does not confirm.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/prompter.h"

namespace {

TEST(NameFilters, EachPatternShowsOnceAndIsTheOneThatFilters) {
  EXPECT_EQ(NameFilters("Alle (*.*)|*.*|Qavo Code Tables (*.tab;*.qct)|*.tab;*.qct"),
            QStringList({"Alle (*.*)", "Qavo Code Tables (*.tab *.qct)"}));
  EXPECT_EQ(NameFilters("QAVO Codetabelle (*.atb)|*.tab|Alle (*.*)|*.*"),
            QStringList({"QAVO Codetabelle (*.tab)", "Alle (*.*)"}));
  EXPECT_EQ(NameFilters("C Header|*.h"), QStringList({"C Header (*.h)"}));
}

TEST(ConfirmBox, EnterAnswersAbbrechen) {
  QString default_button;
  QTimer::singleShot(0, [&default_button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    default_button = box->defaultButton() ? box->defaultButton()->text() : QString();
    QTest::keyClick(box, Qt::Key_Return);
  });
  QtPrompter prompter;
  EXPECT_FALSE(prompter.Confirm("Trotzdem beenden?"));
  EXPECT_EQ(default_button, "Abbrechen");
}

}  // namespace
