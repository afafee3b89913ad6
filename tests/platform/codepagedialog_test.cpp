// The code page dialog: its list, its preselection, and a choice made with
// the keyboard through the real prompter.
#include "platform/codepagedialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "files/codepages.h"
#include "platform/prompter.h"

namespace {

QStringList Items(const QListWidget& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items << list.item(i)->text();
  return items;
}

TEST(CodePageDialog, ListsTheGivenPagesInOrderWithTheirRegions) {
  CodePageDialog dialog(CodePageChoice(), {37, 273, 1141, 1047}, nullptr);
  EXPECT_EQ(dialog.windowTitle(), "Weitere Codepages");
  EXPECT_EQ(Items(*dialog.ListCodePages),
            QStringList({"CP 037  USA, Kanada", QString::fromUtf8("CP 273  Deutschland, Österreich"),
                         QString::fromUtf8("CP 1141  Deutschland, Österreich (Euro)"), "CP 1047  Latin-1, z/OS UNIX"}));
  EXPECT_EQ(dialog.CbSwapNl->text(), "NL und LF tauschen (z/OS UNIX)");
}

TEST(CodePageDialog, OffersWhatTheConverterProvides) {
  const std::vector<int> available = AvailableCodePages();
  CodePageDialog dialog(CodePageChoice(), available, nullptr);
  ASSERT_EQ(dialog.ListCodePages->count(), static_cast<int>(available.size()));
  for (size_t i = 0; i < available.size(); ++i)
    EXPECT_TRUE(dialog.ListCodePages->item(static_cast<int>(i))
                    ->text()
                    .startsWith(QStringLiteral("CP %1 ").arg(available[i], 3, 10, QChar('0'))));
}

TEST(CodePageDialog, ShowsTheGivenChoiceAndFallsBackToTheFirstPage) {
  CodePageChoice choice;
  choice.CodePage = 285;
  choice.Windows1252 = true;
  choice.SwapNl = true;
  CodePageDialog dialog(choice, {37, 285, 500}, nullptr);
  const CodePageChoice shown = dialog.Choice();
  EXPECT_EQ(shown.CodePage, 285);
  EXPECT_TRUE(shown.Windows1252);
  EXPECT_TRUE(shown.SwapNl);

  choice.CodePage = 1141;
  CodePageDialog fallback(choice, {37, 285}, nullptr);
  EXPECT_EQ(fallback.Choice().CodePage, 37);

  CodePageDialog empty(choice, {}, nullptr);
  EXPECT_EQ(empty.Choice().CodePage, -1);
  EXPECT_FALSE(empty.findChild<QPushButton*>("BtnOk")->isEnabled());
}

// Answers the dialog once it is open, with keys and clicks on its controls.
void WhenOpen(const std::function<void(CodePageDialog&)>& act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<CodePageDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    act(*dialog);
  });
}

TEST(CodePageDialog, TheChoiceMadeWithKeysIsReturned) {
  QtPrompter prompter;
  CodePageChoice choice;
  WhenOpen([](CodePageDialog& dialog) {
    QTest::keyClick(dialog.ListCodePages, Qt::Key_Up);
    dialog.RbWindows1252->click();
    QTest::keyClick(dialog.CbSwapNl, Qt::Key_Space);
    dialog.findChild<QPushButton*>("BtnOk")->click();
  });
  ASSERT_TRUE(prompter.ChooseCodePage(choice, {273, 1047, 1141}));
  EXPECT_EQ(choice.CodePage, 1047);
  EXPECT_TRUE(choice.Windows1252);
  EXPECT_TRUE(choice.SwapNl);
}

TEST(CodePageDialog, CancelKeepsTheChoice) {
  QtPrompter prompter;
  CodePageChoice choice;
  WhenOpen([](CodePageDialog& dialog) {
    QTest::keyClick(dialog.ListCodePages, Qt::Key_Up);
    QTest::keyClick(dialog.ListCodePages, Qt::Key_Escape);
  });
  EXPECT_FALSE(prompter.ChooseCodePage(choice, {273, 1141}));
  EXPECT_EQ(choice.CodePage, 1141);
}

}  // namespace
