// The whole program as the user meets it: the control window with both
// table windows, menu items chosen with the mouse by their path of titles,
// keys typed into whatever field has the focus, clicks on grid cells, and
// what the editors, grids, captions, dialogs and files then show.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "platform/colors.h"
#include "support/drawncells.h"
#include "support/pdftext.h"
#include "support/session.h"
#include "support/typing.h"
#include "ui/entryeditor.h"
#include "ui/gridmath.h"
#include "ui/tablegrid.h"
#include "ui/tablewindow.h"

// Texts in failure messages as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace acceptance {

inline QString Latin1(const char* text) { return QString::fromLatin1(text); }
inline QString Utf8(const char* text) { return QString::fromUtf8(text); }

// ---- The menu -------------------------------------------------------------

// The item at the end of a path of menu titles, nullptr when there is none.
inline QAction* MenuItem(const QStringList& path) {
  QList<QAction*> items = TheControl->Menu->actions();
  QAction* found = nullptr;
  for (const QString& title : path) {
    found = nullptr;
    for (QAction* item : items)
      if (item->text() == title) found = item;
    if (!found) return nullptr;
    items = found->menu() ? found->menu()->actions() : QList<QAction*>();
  }
  return found;
}

inline void CloseMenus() {
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

// Clicks the menu title in its row of the menu bar, then each item of the
// path in the menu that opened, as the user does. An item that is missing,
// hidden or disabled cannot be clicked: then the menus are closed and the
// result says why.
inline testing::AssertionResult Choose(const QStringList& path) {
  QAction* title = MenuItem({path.first()});
  QMenuBar* row = nullptr;
  for (QMenuBar* candidate : TheControl->Menu->findChildren<QMenuBar*>())
    if (title && candidate->actions().contains(title)) row = candidate;
  if (!row) return testing::AssertionFailure() << "no menu " << path.first().toStdString();
  QTest::mouseClick(row, Qt::LeftButton, {}, row->actionGeometry(title).center());
  QMenu* menu = title->menu();
  if (!QTest::qWaitFor([&] { return menu->isVisible(); }, 2000))
    return testing::AssertionFailure() << "menu " << path.first().toStdString() << " does not open";
  for (int i = 1; i < path.size(); ++i) {
    QAction* item = nullptr;
    for (QAction* candidate : menu->actions())
      if (candidate->text() == path[i]) item = candidate;
    if (!item || !item->isVisible() || !item->isEnabled()) {
      CloseMenus();
      return testing::AssertionFailure() << "cannot click " << path[i].toStdString();
    }
    const QPoint at = menu->actionGeometry(item).center();
    QTest::mouseMove(menu, at);
    if (!item->menu()) {
      bool triggered = false;
      const auto connection = QObject::connect(item, &QAction::triggered, [&] { triggered = true; });
      QTest::mouseClick(menu, Qt::LeftButton, {}, at);
      QObject::disconnect(connection);
      if (!triggered) return testing::AssertionFailure() << "clicking " << path[i].toStdString() << " did nothing";
      break;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    menu = item->menu();
    if (!QTest::qWaitFor([&] { return menu->isVisible(); }, 2000))
      return testing::AssertionFailure() << "menu " << path[i].toStdString() << " does not open";
  }
  if (QApplication::activePopupWidget()) {
    CloseMenus();
    return testing::AssertionFailure() << "the menus stayed open";
  }
  return testing::AssertionSuccess();
}

// ---- Keys and clicks --------------------------------------------------------

// Types each character into the widget that has the focus at that moment.
inline void Type(const QString& text) {
  for (const QChar c : text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    if (c.unicode() < 0x80) {
      QTest::keyClick(target, static_cast<char>(c.unicode()));
    } else {
      TypeChar(target, c);
    }
  }
}

inline void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, key, modifiers);
}

inline void ClickField(QLineEdit* field) {
  QTest::mouseClick(field, Qt::LeftButton, {}, field->rect().center());
  ASSERT_TRUE(field->hasFocus()) << field->objectName().toStdString();
}

// Clicks into a field and double-clicks its text, ready to be typed over.
inline void SelectField(QLineEdit* field) {
  ClickField(field);
  QTest::mouseDClick(field, Qt::LeftButton, {}, field->rect().center());
  ASSERT_EQ(field->selectedText(), field->text());
}

inline QPoint CellCentre(const TableGrid& grid, int item) {
  const CellRect cell = ItemRect(item, grid.Cells->width(), grid.RowHeight());
  return QPoint(cell.X + cell.Width / 2, cell.Y + cell.Height / 2);
}

inline void ClickItem(TableWindow* window, int item) {
  TableGrid& grid = *window->Grid;
  QTest::mouseClick(grid.Cells, Qt::LeftButton, {}, CellCentre(grid, item));
}

inline void ClickEntry(TableWindow* window, int entry) { ClickItem(window, ItemOfEntry(*window->Grid, entry)); }

// ---- What the views show ----------------------------------------------------

// The four fields of an editor: character in, character out, hex in, hex out.
inline QStringList Fields(const EntryEditor* frame) {
  return {frame->SourceChar()->text(), frame->TargetChar()->text(), frame->SourceHex()->text(),
          frame->TargetHex()->text()};
}

inline QColor Resolved(int32_t color) { return ResolveColor(color, LightPalette()); }
inline QColor Background(const QWidget* widget) { return widget->palette().color(QPalette::Window); }

// The character a byte shows as in the Courier New display font.
inline QString Shown(int byte) { return byte == 0 ? QString() : QString(DisplayChar(static_cast<uint8_t>(byte), {})); }

inline ShownCell DrawnEntry(TableWindow* window, int entry) {
  TableGrid& grid = *window->Grid;
  return DrawnItem(grid, ItemOfEntry(grid, entry));
}

// The entry the grid marks as current, -1 for none.
inline int MarkedEntry(TableWindow* window) {
  for (int entry = 0; entry < 256; ++entry)
    if (DrawnEntry(window, entry).Marked) return entry;
  return -1;
}

// The labels of the top row and of the left column, as drawn.
inline QString TopLabels(TableGrid& grid) {
  QString text;
  for (int column = 1; column < kGridSide; ++column) text += DrawnItem(grid, column * kGridSide).Text;
  return text;
}

inline QString LeftLabels(TableGrid& grid) {
  QString text;
  for (int row = 1; row < kGridSide; ++row) text += DrawnItem(grid, row).Text;
  return text;
}

// ---- Tables -----------------------------------------------------------------

inline std::vector<int> Targets(const CodeTable& table) {
  std::vector<int> targets;
  for (const TableEntry& entry : table.Entries()) targets.push_back(entry.Target);
  return targets;
}

inline std::vector<int> Targets(const uint8_t (&bytes)[256]) { return std::vector<int>(bytes, bytes + 256); }

inline std::vector<int> Unassigned() { return std::vector<int>(256, -1); }

inline std::vector<int> Identity() {
  std::vector<int> targets(256);
  for (int p = 0; p < 256; ++p) targets[p] = p;
  return targets;
}

// The targets' counts as a table must keep them: sources of each code minus one.
inline std::vector<int> CountsOf(const std::vector<int>& targets) {
  std::vector<int> counts(256, -1);
  for (int target : targets)
    if (target >= 0) ++counts[target & 0xFF];
  return counts;
}

inline std::vector<int> Counts(const CodeTable& table) {
  std::vector<int> counts;
  for (const TableEntry& entry : table.Entries()) counts.push_back(entry.Count);
  return counts;
}

// The inverse of a table of targets; of several sources the highest wins.
inline std::vector<int> Inverse(const std::vector<int>& targets) {
  std::vector<int> inverse(256, -1);
  for (int p = 0; p < 256; ++p)
    if (targets[p] >= 0) inverse[targets[p]] = p;
  return inverse;
}

inline QString Header(const CodeTable& table) { return Latin1(table.Header()); }

// ---- Files ------------------------------------------------------------------

inline QByteArray ReadFile(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFile(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// 256 stored codes: the target, or the position itself where there is none.
inline QByteArray Image(const std::vector<int>& targets) {
  QByteArray image(256, '\0');
  for (int p = 0; p < 256; ++p) image[p] = static_cast<char>(targets[p] < 0 ? p : targets[p]);
  return image;
}

inline int16_t Int16At(const QByteArray& bytes, int at) {
  return static_cast<int16_t>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

// Checks one 1088-byte V5 image at offset: signature, kind letter, from
// offset 21 some text up to the first "]", a blank, the name and only NULs
// after it up to offset 64, and the targets as little-endian 16-bit values,
// -1 kept.
inline void ExpectV5Image(const QByteArray& file, int offset, char letter, const QByteArray& name,
                          const std::vector<int>& targets) {
  const QByteArray image = file.mid(offset, 1088);
  ASSERT_EQ(image.size(), 1088);
  EXPECT_EQ(image.left(13), QByteArray("QAVO CodeTab "));
  EXPECT_EQ(image[13], letter);
  const int bracket = image.indexOf(']', 21);
  ASSERT_GE(bracket, 21);
  ASSERT_LT(bracket + 2 + name.size(), 64);
  EXPECT_FALSE(image.mid(21, bracket - 21).contains('\0'));
  EXPECT_EQ(image[bracket + 1], ' ');
  EXPECT_EQ(image.mid(bracket + 2, 64 - bracket - 2), name + QByteArray(64 - bracket - 2 - name.size(), '\0'));
  for (int p = 0; p < 256; ++p) EXPECT_EQ(Int16At(image, 64 + 4 * p), targets[p]) << "position " << p;
}

// The declaration of one table in C (or Pascal) as the product's compilers
// read it: comment block with the header line, then 16 rows of 16 codes.
inline std::string Declaration(bool pascal, const QString& header_line, const std::string& array_name,
                               const std::vector<int>& targets) {
  const std::string rule = pascal ? "{" + std::string(69, '*') + "}\n" : "/" + std::string(69, '*') + "/\n";
  const std::string blank = pascal ? "{*" + std::string(67, ' ') + "*}\n" : "/*" + std::string(67, ' ') + "*/\n";
  const std::string header = header_line.toLatin1().toStdString();
  std::string text = "\n" + rule + blank + (pascal ? "{* " + header + " *}\n" : "/* " + header + " */\n") + rule;
  text += pascal ? "\nconst " + array_name + " : array [0..255] of byte = (\n"
                 : "\nconst unsigned char " + array_name + " [256] = {\n";
  for (int row = 0; row < 16; ++row) {
    if (row > 0) text += ",\n";
    text += pascal ? "   " : "  ";
    for (int i = 0; i < 16; ++i) {
      const int p = 16 * row + i;
      char value[16];
      std::snprintf(value, sizeof value, pascal ? "$%02X" : "0X%02X", (targets[p] < 0 ? p : targets[p]) & 0xFF);
      if (i > 0) text += pascal ? ", " : ",";
      text += value;
    }
  }
  return text + (pascal ? " );\n" : " };\n");
}

inline int PdfPages(const QByteArray& pdf) {
  static const QRegularExpression kPage("/Type\\s*/Page(?![a-zA-Z])");
  return static_cast<int>(QString::fromLatin1(pdf).count(kPage));
}

// The table windows printed in a PDF file: their captions in its text.
inline QStringList PrintedCaptions(const QString& pdf_file) {
  static const QRegularExpression kCaption("QAVO CodeTab (EXPORT|IMPORT)");
  QStringList captions;
  auto found = kCaption.globalMatch(PdfText(pdf_file));
  while (found.hasNext()) captions << found.next().captured(0);
  return captions;
}

// ---- The program, started as at start-up -------------------------------------

class Acceptance : public SessionTest {
 protected:
  void SetUp() override {
    SessionTest::SetUp();
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(ShowControlWindow());
    exp_ = TheControl->ExportEditor;
    imp_ = TheControl->ImportEditor;
    ASSERT_NE(TheControl->ExportWindow, nullptr);
    ASSERT_NE(TheControl->ImportWindow, nullptr);
    ASSERT_TRUE(TheControl->ExportWindow->isVisible());
    ASSERT_TRUE(TheControl->ImportWindow->isVisible());
    ASSERT_TRUE(exp_->SourceChar()->hasFocus());
  }

  void TearDown() override {
    CloseMenus();
    SessionTest::TearDown();
  }

  TableWindow* ExportWindow() const { return TheControl->ExportWindow; }
  TableWindow* ImportWindow() const { return TheControl->ImportWindow; }
  QString Path(const char* name) const { return dir_.filePath(name); }

  // What the user reads in the message boxes, in order.
  QStringList Texts(const char* kind) const {
    QStringList texts;
    for (const PromptCall& call : prompter_->CallsOf(kind)) texts << call.Text;
    return texts;
  }
  QStringList DialogTitles() const {
    QStringList titles;
    for (const PromptCall& call : prompter_->Calls)
      if (call.Kind == "open" || call.Kind == "save") titles << call.Settings.Title;
    return titles;
  }

  // Both window captions are the tables' header lines.
  void ExpectCaptions() const {
    EXPECT_EQ(CaptionText(*ExportWindow()), Header(ExportTable()));
    EXPECT_EQ(CaptionText(*ImportWindow()), Header(ImportTable()));
  }

  QTemporaryDir dir_;
  EntryEditor* exp_ = nullptr;
  EntryEditor* imp_ = nullptr;
};

}  // namespace acceptance
