// The main menu of the control window, item by item, and F1 help.
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

#include "platform/helpviewer.h"
#include "support/session.h"
#include "ui/entryeditor.h"

namespace {

// One line per item: indentation by depth, the title, and "->Action" for an
// item that carries an action of the session, "[x]" for a check item.
QStringList MenuTree(const QList<QAction*>& actions, int depth) {
  QStringList lines;
  for (QAction* action : actions) {
    QString line = QString(depth * 2, ' ') + action->text();
    if (!action->objectName().isEmpty() && action->parent() == TheSession) line += " ->" + action->objectName();
    if (action->isCheckable()) line += " [x]";
    lines << line;
    if (action->menu()) lines += MenuTree(action->menu()->actions(), depth + 1);
  }
  return lines;
}

using MainMenu = SessionTest;

TEST_F(MainMenu, EveryItemInItsPlace) {
  const QStringList expected = {
      "&Datei",
      "  &Speichern",
      "    QAVO &UNIX-kompatible (256 Byte + 256 Byte) ... ->SaveUnix",
      "    &Windows QAVO V3 kompatibel (512 Byte) ... ->SaveV3",
      "    Windows QAVO V&5 (1088/2176 Bytes) ... ->SaveV5",
      "    &C Header ... ->SaveCHeader",
      "    &Pascal (Delphi) Header ... ->SavePascal",
      "    ICU-Zeichensatztabelle (.ucm) ... ->SaveUcm",
      "    Python-Codec (.py) ... ->SavePython",
      "    Java-Zeichensatz (.jar) ... ->SaveJava",
      "  &Drucken ... ->Print",
      "  &Beenden ->Quit",
      "&Bearbeiten",
      QString::fromUtf8("  &Rückgängig ->Undo"),
      "  &Wiederholen ->Redo",
      "  ",
      "  Tabellen &verbinden ->ChainTablesAction [x]",
      "  &Zeilen und Spalten vertauschen ->SwapRowsColumns [x]",
      QString::fromUtf8("  Über&tragen"),
      "    Von &EXPORT nach IMPORT ->CopyExportToImport",
      "    Von &IMPORT nach  EXPORT ->CopyImportToExport",
      "  &Leeren",
      "    &Beide Tabellen leeren ->ClearBoth",
      "    &EXPORT Tabelle leeren ->ClearExport",
      "    &IMPORT Tablee leeren ->ClearImport",
      "  Ver&gleichen",
      "    Mit &DIN vergleichen ->CompareDin",
      "    Mit &Tabelle vergleichen ... ->CompareTable",
      "    mit &Codepage ... ->ComparePage",
      QString::fromUtf8("    &Nächste Codepage bestimmen ->IdentifyPage"),
      "&Tabelle laden",
      "  &DIN (QAVO WINDOWS Standard)",
      "    &Beide ->LoadDIN",
      "    &EXPORT (a/e) ->LoadDinExport",
      "    &IMPORT (e/a) ->LoadDinImport",
      "  &ISO 8859-1 CP 273",
      "    &Beide ->LoadIsoCp273",
      "    &EXPORT (a/e) ->LoadIsoExportCp273",
      "    &IMPORT (e/a) ->LoadIsoImportCp273",
      "  I&SO 8859-1 CP 37",
      "    &Beide ->LoadIsoCp37",
      "    &EXPORT (a/e) ->LoadIsoExportCp37",
      "    &IMPORT (e/a) ->LoadIsoImportCp37",
      "  &QAVO (UNIX Version Standard)",
      "    &Beide ->LoadUnix",
      "    &EXPORT (a/e) ->LoadUnixExport",
      "    &IMPORT (e/a) ->LoadUnixImport",
      "  &Aus Datei",
      "    &automatische Erkennung ... ->LoadTableFile",
      "    &IIMPORT  (256 Bytes) ... ->LoadImport",
      "    &EXPORT (256 Bytes) ... ->LoadExport",
      "    ICU-Zeichensatztabelle (.ucm) ... ->LoadUcm",
      "  &Weitere Codepages ... ->MoreCodePages",
      "&Einstellungen",
      "  &Zeichensatz",
      "    WINDOWS &Courier new ->FontCourierNew",
      "    WINDOWS MS &Sans Serif ->FontSansSerif",
      "    &ANSI (WINDOWS FixedSys) ->FontFixedSys",
      "    &OEM (WINDOWS Terminal) ->FontTerminal",
      QString::fromUtf8("    &Zeichensatz wählen ... ->ChooseFont"),
      "  &Arbeitsplatz-Zeichensatz",
      "    &ISO 8859-1 ->WorkstationIso8859 [x]",
      "    &Windows-1252 ->WorkstationWindows1252 [x]",
      "  &Farben",
      "    &Verbundene Tabellen ... ->ColorChainedAction",
      "    &Aktiviert ... ->ColorActiveAction",
      "    &Eindeutige Zuordnung ... ->ColorProofAction",
      "    &Mehrfach-Zuordnung ... ->ColorAmbiguousAction",
      "&Ansicht",
      QString::fromUtf8("  &Vergrößern ->ZoomIn"),
      "  Ver&kleinern ->ZoomOut",
      QString::fromUtf8("  &Normalgröße ->ZoomNormal"),
      "&Fenster",
      "  " + TheSession->ShowBoth->text() + " ->ShowBoth [x]",
      "  " + TheSession->ShowExport->text() + " ->ShowExport [x]",
      "  " + TheSession->ShowImport->text() + " ->ShowImport [x]",
      "  &Probetext ->ShowSampleText",
      "&?",
      "  &Hilfe ->Help",
      "  &Info ->About",
  };
  EXPECT_EQ(MenuTree(TheControl->Menu->actions(), 0), expected);
}

TEST_F(MainMenu, CaptionsChangedAtRunTimeShowInTheMenu) {
  TheSession->ShowBoth->setText("&Beide Tabellen verbergen");
  QMenu* fenster = TheControl->Menu->actions().at(5)->menu();
  EXPECT_EQ(fenster->actions().at(0)->text(), "&Beide Tabellen verbergen");
}

TEST_F(MainMenu, InfoShowsAnAboutBox) {
  QMenu* about = TheControl->Menu->actions().at(6)->menu();
  about->actions().at(1)->trigger();
  const auto calls = prompter_->CallsOf("about");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_TRUE(calls[0].Text.contains("QAVO Code Table Editor"));
}

QTextBrowser* HelpWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == "HelpViewer" && widget->isVisible()) return qobject_cast<QTextBrowser*>(widget);
  return nullptr;
}

TEST_F(MainMenu, HilfeOpensTheContents) {
  TheSession->Help->trigger();
  QTextBrowser* help = HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->source().toString(), "qrc:/help/index.html");
  EXPECT_FALSE(help->toPlainText().isEmpty());
  QApplication::setActiveWindow(help);
  ASSERT_TRUE(QTest::qWaitForWindowActive(help));
  QTest::keyClick(help, Qt::Key_Escape);
  EXPECT_EQ(HelpWindow(), nullptr);
}

TEST_F(MainMenu, F1OnAnEditorFieldOpensItsTopic) {
  TheControl->show();
  QApplication::setActiveWindow(TheControl);
  TheControl->ImportEditor->SourceHex()->setFocus();
  QTest::keyClick(TheControl->ImportEditor->SourceHex(), Qt::Key_F1);
  QTextBrowser* help = HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->source().toString(), "qrc:/help/index.html#topic6");
  help->close();
  TheControl->ExportEditor->TargetChar()->setFocus();
  QTest::keyClick(TheControl->ExportEditor->TargetChar(), Qt::Key_F1);
  help = HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->source().toString(), "qrc:/help/index.html#topic5");
  help->close();
}

TEST_F(MainMenu, MenuItemsCarryTheirHelpContexts) {
  const auto context = [](QAction* a) { return a->property("helpContext").toInt(); };
  QMenu* datei = TheControl->Menu->actions().at(0)->menu();
  QMenu* bearbeiten = TheControl->Menu->actions().at(1)->menu();
  EXPECT_EQ(context(datei->actions().at(0)), kHelpSaving);
  EXPECT_EQ(context(TheControl->Menu->actions().at(1)), kHelpEditing);
  EXPECT_EQ(context(bearbeiten->actions().at(5)), kHelpEditing);
  EXPECT_EQ(context(bearbeiten->actions().at(6)), kHelpEditing);
}

TEST_F(MainMenu, F1InAnOpenMenuOpensTheTopicOfTheHighlightedItem) {
  TheControl->show();
  QMenu* datei = TheControl->Menu->actions().at(0)->menu();
  datei->popup(QPoint(0, 0));
  QTest::qWait(10);
  datei->setActiveAction(datei->actions().at(0));
  QTest::keyClick(datei, Qt::Key_F1);
  QTextBrowser* help = HelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->source().toString(), "qrc:/help/index.html#topic11");
  help->close();
}

}  // namespace
