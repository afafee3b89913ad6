#include "ui/sampletextwindow.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/session.h"
#include "files/sampletext.h"
#include "model/hexdigits.h"
#include "platform/codepage.h"
#include "platform/colors.h"

namespace {

// A piece of text, marked with a colour and a link to its position.
QString Marked(const QString& text, const QColor& color, int position) {
  return QStringLiteral("<a href=\"#%1\" style=\"color:%2; text-decoration:none\">%3</a>")
      .arg(HexText(position), color.name(), text.toHtmlEscaped());
}

// The text of a file: UTF-8 where it is valid, else the bytes as the
// workstation characters they stand for.
QString DecodeText(const QByteArray& content, Workstation station) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(content);
  if (!utf8.hasError()) return text;
  QString bytes;
  bytes.reserve(content.size());
  for (const char c : content) bytes += QChar(UnicodeOf(static_cast<uint8_t>(c), {station, false}));
  return bytes;
}

}  // namespace

SampleTextWindow::SampleTextWindow(Session& session, QWidget* parent) : QWidget(parent, Qt::Tool), session_(session) {
  setObjectName("SampleTextWindow");
  setWindowTitle(QStringLiteral("Probetext"));
  setPalette(LightPalette());
  Input = new QPlainTextEdit(this);
  Input->setObjectName("Input");
  LoadButton = new QPushButton(QStringLiteral("Text laden ..."), this);
  LoadButton->setObjectName("LoadText");
  HostCodes = new QTextBrowser(this);
  HostCodes->setObjectName("HostCodes");
  BackText = new QTextBrowser(this);
  BackText->setObjectName("BackText");
  for (QTextBrowser* view : {HostCodes, BackText}) {
    view->setOpenLinks(false);
    connect(view, &QTextBrowser::anchorClicked, this, &SampleTextWindow::Choose);
  }
  Summary = new QLabel(this);
  Summary->setObjectName("Summary");
  Summary->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Text der Arbeitsstation:"), this));
  layout->addWidget(Input);
  layout->addWidget(LoadButton, 0, Qt::AlignLeft);
  layout->addWidget(new QLabel(QStringLiteral("Host-Codes nach EXPORT:"), this));
  layout->addWidget(HostCodes);
  layout->addWidget(new QLabel(QStringLiteral("Nach EXPORT und IMPORT:"), this));
  layout->addWidget(BackText);
  layout->addWidget(Summary);
  resize(520, 460);

  connect(Input, &QPlainTextEdit::textChanged, this, &SampleTextWindow::TextChanged);
  connect(LoadButton, &QPushButton::clicked, this, &SampleTextWindow::LoadText);
  connect(&session, &Session::TablesChanged, this, &SampleTextWindow::Refresh);
  connect(&session, &Session::ColorsChanged, this, &SampleTextWindow::Refresh);
  connect(&session, &Session::DisplayFontChanged, this, &SampleTextWindow::ConvertText);
  connect(&session, &Session::WorkstationCharsetChanged, this, &SampleTextWindow::ConvertText);
}

// The text is turned into workstation bytes once per change of the text or
// of the character set; a change of the tables then only looks its bytes up
// again.
void SampleTextWindow::TextChanged() { TakeText(Input->toPlainText()); }

void SampleTextWindow::TakeText(const QString& text) {
  text_ = text;
  ConvertText();
}

void SampleTextWindow::ConvertText() {
  const ByteCharset charset{session_.WorkstationCharset(), session_.OemFontShown};
  bytes_.clear();
  bytes_.reserve(text_.size());
  outside_.clear();
  std::fill(std::begin(occurrences_), std::end(occurrences_), 0);
  for (const QChar c : text_) {
    const int byte = TypedByteOf(c, charset);
    if (byte < 0) {
      if (!outside_.contains(c)) outside_ += c;
      continue;
    }
    bytes_ += static_cast<char>(byte);
    ++occurrences_[byte];
  }
  Refresh();
}

void SampleTextWindow::Refresh() {
  if (!isVisible()) return;
  const CodeTable& export_table = *session_.ExportTable;
  const CodeTable& import_table = *session_.ImportTable;
  const ByteCharset charset{session_.WorkstationCharset(), session_.OemFontShown};
  const QColor paper = palette().color(QPalette::Base);
  const QColor lost = ReadableOn(ResolveColor(session_.AmbiguousColor, palette()), paper);
  const QColor unassigned = ReadableOn(ResolveColor(session_.NoDataColor, palette()), paper);
  QString codes;
  QString back;
  const int shown = static_cast<int>(std::min<qsizetype>(bytes_.size(), kShownCharacters));
  for (int i = 0; i < shown; ++i) {
    const auto byte = static_cast<uint8_t>(bytes_[i]);
    const SampleByte result = TranslateSampleByte(byte, export_table, import_table);
    const QString code = HexText(result.Host);
    const QString character = byte == '\n' ? QStringLiteral("\n") : QString(DisplayChar(result.Back, charset));
    if (i > 0) codes += ' ';
    if (result.State == SampleState::kBack) {
      codes += code;
      back += character.toHtmlEscaped();
    } else {
      const QColor& color = result.State == SampleState::kLost ? lost : unassigned;
      codes += Marked(code, color, byte);
      back += Marked(character, color, byte);
    }
  }
  if (session_.CurrentFont) {
    HostCodes->setFont(session_.CurrentFont->ToQFont());
    BackText->setFont(session_.CurrentFont->ToQFont());
  }
  HostCodes->setHtml(codes);
  BackText->setHtml(QStringLiteral("<pre style=\"white-space:pre-wrap\">") + back + "</pre>");

  const SampleCounts counts = CountSample(occurrences_, export_table, import_table);
  QString summary = QString::fromUtf8("%1 Zeichen: %2 kommen nicht zurück, %3 nicht zugeordnet (1:1).")
                        .arg(bytes_.size())
                        .arg(counts.Lost)
                        .arg(counts.Unassigned);
  if (bytes_.size() > kShownCharacters)
    summary += QString::fromUtf8(" Angezeigt sind die ersten %1 Zeichen.").arg(kShownCharacters);
  if (!outside_.isEmpty()) summary += QString::fromUtf8(" Nicht in der Codepage der Arbeitsstation: ") + outside_;
  Summary->setText(summary);
}

void SampleTextWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void SampleTextWindow::LoadText() {
  FileDialogSettings dialog;
  dialog.Title = QStringLiteral("Probetext laden");
  dialog.Filter = QStringLiteral("Text (*.txt)|*.txt|Alle (*.*)|*.*");
  if (!session_.Prompt().OpenFile(dialog)) return;
  const QString& name = dialog.FileName;
  // A pipe or a device might never end; only a plain file is read.
  const QFileInfo info(name);
  if (!info.isFile()) {
    session_.Prompt().Message(QStringLiteral("Datei: ") + name + QString::fromUtf8("\nist keine gewöhnliche Datei!"));
    return;
  }
  if (info.size() > kLargestFile) {
    session_.Prompt().Message(QStringLiteral("Datei: ") + name + QString::fromUtf8("\nist größer als 1 MiB!"));
    return;
  }
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    session_.Prompt().Message(QStringLiteral("Datei: ") + name + QString::fromUtf8("\nkann nicht gelesen werden!"));
    return;
  }
  // Laying out a long line takes time in proportion to its length: the
  // field shows as much as the views do, the counts take all of it.
  const QString text = DecodeText(file.read(kLargestFile), session_.WorkstationCharset());
  {
    const QSignalBlocker quiet(Input);
    Input->setPlainText(text.left(kShownCharacters));
  }
  TakeText(text);
}

void SampleTextWindow::Choose(const QUrl& link) {
  bool ok = false;
  const int position = link.fragment().toInt(&ok, 16);
  if (ok) emit EntryChosen(position);
}
