#include "ui/tfrm_network_wizard.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <filesystem>
#include <string>

#include "ini/ini_file.h"
#include "install_layout.h"
#include "protocol/reply_fields.h"
#include "session/unit_text.h"

namespace wr {
namespace {

constexpr const char* kFileName = "Settings.ini";
constexpr const char* kSection = "Operators";
constexpr const char* kDataFolder = "wayrunner-track";

std::filesystem::path ToPath(const QString& file) {
  return std::filesystem::path(QFile::encodeName(file).toStdString());
}

}  // namespace

QString TfrmNetworkWizard::FindSettingsFile() {
  const QString inCurrent = QDir::current().filePath(QLatin1String(kFileName));
  if (QFileInfo::exists(inCurrent)) return inCurrent;
  // A desktop launcher seldom starts the program in its own folder.
  const QString appDir = QCoreApplication::applicationDirPath();
  if (!appDir.isEmpty()) {
    const QString beside = QDir(appDir).filePath(QLatin1String(kFileName));
    if (QFileInfo::exists(beside)) return beside;
    const QString installed = QDir(appDir).filePath(
        QStringLiteral("%1/%2").arg(QLatin1String(install::kDataFromProgram),
                                    QLatin1String(kFileName)));
    if (QFileInfo::exists(installed)) return QDir::cleanPath(installed);
  }
  const QString data = QStandardPaths::locate(
      QStandardPaths::GenericDataLocation,
      QStringLiteral("%1/%2").arg(QLatin1String(kDataFolder), QLatin1String(kFileName)));
  if (!data.isEmpty()) return data;
  // None yet: keep the current directory's, where the file is expected.
  return inCurrent;
}

TfrmNetworkWizard::TfrmNetworkWizard(Prompts& prompts, QWidget* parent, const QString& iniFile)
    : QDialog(parent),
      prompts_(prompts),
      iniFile_(iniFile.isEmpty() ? FindSettingsFile() : iniFile) {
  setObjectName(QStringLiteral("frmNetworkWizard"));
  setWindowTitle(QStringLiteral("Network Wizard"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(316, 112);

  Label1 = new QLabel(QStringLiteral("Select Network"));
  Label1->setObjectName(QStringLiteral("Label1"));
  cboxNetwork = new QComboBox;
  cboxNetwork->setObjectName(QStringLiteral("cboxNetwork"));
  cboxNetwork->setEditable(false);
  // The layout's own list, replaced by the file's operators below.
  cboxNetwork->addItems({QStringLiteral("RSA: Vodacom"), QStringLiteral("RSA: MTN"),
                         QStringLiteral("RSA: Cell-C"), QStringLiteral("RSA: Virgin"),
                         QStringLiteral("RSA: Red Bull"), QStringLiteral("RSA: 8.ta"), QString()});
  auto* selectRow = new QHBoxLayout;
  selectRow->setContentsMargins(12, 16, 12, 0);
  selectRow->addWidget(Label1);
  selectRow->addWidget(cboxNetwork, 1);

  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(41);
  BitBtn1 = new QPushButton(QStringLiteral("OK"));
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(QStringLiteral("Cancel"));
  BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
  auto* buttons = new QHBoxLayout(Panel1);
  buttons->setContentsMargins(8, 6, 8, 6);
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);
  connect(BitBtn1, &QPushButton::clicked, this, &TfrmNetworkWizard::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(selectRow);
  layout->addStretch(1);
  layout->addWidget(Panel1);

  cboxNetwork->clear();
  for (const auto& [name, value] : ReadIniSection(ToPath(iniFile_), kSection))
    cboxNetwork->addItem(FromBytes(name));
  cboxNetwork->setCurrentIndex(cboxNetwork->count() > 0 ? 0 : -1);
}

void TfrmNetworkWizard::BitBtn1Click() {
  const std::string value =
      ReadIniValue(ToPath(iniFile_), kSection, ToBytes(cboxNetwork->currentText()));
  NetworkPreset preset;
  preset.apn = FromBytes(ReplyFieldText(value, 0));
  preset.username = FromBytes(ReplyFieldText(value, 1));
  preset.password = FromBytes(ReplyFieldText(value, 2));
  preset.ussd = FromBytes(ReplyFieldText(value, 3));
  preset.ussdInterval = QStringLiteral("24");
  result_ = preset;
  accept();
}

int TfrmNetworkWizard::exec() {
  result_.reset();
  return QDialog::exec();
}

}  // namespace wr
