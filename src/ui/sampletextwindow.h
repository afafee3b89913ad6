// "Probetext": workstation text as it reaches the host through the EXPORT
// table and comes back through the IMPORT table. Characters that do not come
// back are marked in the ambiguous colour, also when their EXPORT entry is
// unassigned; those that pass an unassigned entry and come back in the
// no-data colour. A click on a marked character chooses its position.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextBrowser;
class QUrl;
class Session;

class SampleTextWindow : public QWidget {
  Q_OBJECT

 public:
  SampleTextWindow(Session& session, QWidget* parent = nullptr);

  // Texts beyond this many characters are counted whole but shown cut.
  static constexpr int kShownCharacters = 2000;
  // Smaller, the three texts would show too little to be read.
  static constexpr QSize kSmallestSize{360, 300};
  // "Text laden ..." refuses larger files.
  static constexpr qint64 kLargestFile = 1024 * 1024;

  QPlainTextEdit* Input;
  QPushButton* LoadButton;
  QTextBrowser* HostCodes;
  QTextBrowser* BackText;
  QLabel* Summary;

 signals:
  // A marked character was clicked: its workstation byte.
  void EntryChosen(int position);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Shows the text as the tables translate it now.
  void Refresh();
  void TextChanged();
  void TakeText(const QString& text);
  // Turns the text into bytes through the character set of the session.
  void ConvertText();
  void LoadText();
  void Choose(const QUrl& link);

  Session& session_;
  QString text_;      // all of the text, also beyond what the field shows
  QByteArray bytes_;  // the text in the workstation code page
  long long occurrences_[256] = {};
  QString outside_;  // characters the code page does not have, each once
};
