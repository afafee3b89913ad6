#include "platform/codepagedialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

struct Region {
  int CodePage;
  const char* Text;  // UTF-8
};

const Region kRegions[] = {
    {37, "USA, Kanada"},
    {273, "Deutschland, Österreich"},
    {277, "Dänemark, Norwegen"},
    {278, "Finnland, Schweden"},
    {280, "Italien"},
    {284, "Spanien, Lateinamerika"},
    {285, "Großbritannien"},
    {297, "Frankreich"},
    {420, "Arabisch"},
    {424, "Hebräisch"},
    {500, "International"},
    {871, "Island"},
    {875, "Griechisch"},
    {1025, "Kyrillisch"},
    {1026, "Türkisch"},
    {1047, "Latin-1, z/OS UNIX"},
    {1112, "Baltisch"},
    {1122, "Estnisch"},
    {1123, "Kyrillisch, Ukraine"},
    {1140, "USA, Kanada (Euro)"},
    {1141, "Deutschland, Österreich (Euro)"},
    {1142, "Dänemark, Norwegen (Euro)"},
    {1143, "Finnland, Schweden (Euro)"},
    {1144, "Italien (Euro)"},
    {1145, "Spanien, Lateinamerika (Euro)"},
    {1146, "Großbritannien (Euro)"},
    {1147, "Frankreich (Euro)"},
    {1148, "International (Euro)"},
    {1149, "Island (Euro)"},
    {1153, "Mitteleuropa (Euro)"},
    {1154, "Kyrillisch (Euro)"},
    {1155, "Türkisch (Euro)"},
    {1156, "Baltisch (Euro)"},
    {1157, "Estnisch (Euro)"},
    {1158, "Kyrillisch, Ukraine (Euro)"},
};

}  // namespace

QString CodePageCaption(int code_page) {
  const QString number = QStringLiteral("CP %1").arg(code_page, 3, 10, QChar('0'));
  for (const Region& region : kRegions)
    if (region.CodePage == code_page) return number + QStringLiteral("  ") + QString::fromUtf8(region.Text);
  return number;
}

CodePageDialog::CodePageDialog(const CodePageChoice& choice, const std::vector<int>& available, QWidget* parent)
    : QDialog(parent), pages_(available) {
  setObjectName("CodePageDialog");
  setWindowTitle(QStringLiteral("Weitere Codepages"));

  auto* host_box = new QGroupBox(QStringLiteral("EBCDIC-Codepage (Host)"), this);
  ListCodePages = new QListWidget(host_box);
  ListCodePages->setObjectName("ListCodePages");
  for (const int page : pages_) ListCodePages->addItem(CodePageCaption(page));
  const auto chosen = std::find(pages_.begin(), pages_.end(), choice.CodePage);
  ListCodePages->setCurrentRow(chosen == pages_.end() ? 0 : static_cast<int>(chosen - pages_.begin()));
  auto* host_layout = new QVBoxLayout(host_box);
  host_layout->addWidget(ListCodePages);

  auto* workstation_box = new QGroupBox(QStringLiteral("Arbeitsplatz-Zeichensatz"), this);
  RbIso8859 = new QRadioButton(QStringLiteral("&ISO 8859-1"), workstation_box);
  RbIso8859->setObjectName("RbIso8859");
  RbWindows1252 = new QRadioButton(QStringLiteral("&Windows-1252"), workstation_box);
  RbWindows1252->setObjectName("RbWindows1252");
  (choice.Windows1252 ? RbWindows1252 : RbIso8859)->setChecked(true);
  auto* workstation_layout = new QVBoxLayout(workstation_box);
  workstation_layout->addWidget(RbIso8859);
  workstation_layout->addWidget(RbWindows1252);

  CbSwapNl = new QCheckBox(QStringLiteral("NL und LF tauschen (z/OS UNIX)"), this);
  CbSwapNl->setObjectName("CbSwapNl");
  CbSwapNl->setChecked(choice.SwapNl);

  auto* hint = new QLabel(QString::fromUtf8("Zeichen ohne Gegenstück bleiben unbelegt."), this);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok_->setObjectName("BtnOk");
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName("BtnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(ListCodePages, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  connect(ListCodePages, &QListWidget::currentRowChanged, this, &CodePageDialog::UpdateOk);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(host_box, 1);
  layout->addWidget(workstation_box);
  layout->addWidget(CbSwapNl);
  layout->addWidget(hint);
  layout->addWidget(buttons);
  resize(340, 440);
  if (QListWidgetItem* current = ListCodePages->currentItem())
    ListCodePages->scrollToItem(current, QAbstractItemView::PositionAtCenter);
  ListCodePages->setFocus();
  UpdateOk();
}

CodePageChoice CodePageDialog::Choice() const {
  CodePageChoice choice;
  const int row = ListCodePages->currentRow();
  choice.CodePage = row >= 0 && row < static_cast<int>(pages_.size()) ? pages_[static_cast<size_t>(row)] : -1;
  choice.Windows1252 = RbWindows1252->isChecked();
  choice.SwapNl = CbSwapNl->isChecked();
  return choice;
}

void CodePageDialog::UpdateOk() { ok_->setEnabled(Choice().CodePage != -1); }
