// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/tfrm_network_wizard.h"

#include <QFile>

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

#include <algorithm>
#include <string>

#include "ini/ini_file.h"
#include "install_layout.h"
#include "protocol/reply_fields.h"
#include "session/unit_text.h"
#include "ui/prompts.h"

namespace wr {
namespace {

constexpr const char* kFileName = "Settings.ini";
constexpr const char* kSection = "Operators";
constexpr const char* kDataFolder = "wayrunner-track";

// The whole file, to decide once how its text is to be read.
std::string ReadBytes(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = in.readAll();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

QStringList TfrmNetworkWizard::SettingsFilePlaces() {
  QStringList places{QDir::current().filePath(QLatin1String(kFileName))};
  // A desktop launcher seldom starts the program in its own folder.
  const QString appDir = QCoreApplication::applicationDirPath();
  if (!appDir.isEmpty()) {
    places << QDir(appDir).filePath(QLatin1String(kFileName));
    places << QDir::cleanPath(QDir(appDir).filePath(
        QStringLiteral("%1/%2").arg(QLatin1String(install::kDataFromProgram),
                                    QLatin1String(kFileName))));
  }
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
    places << QDir(data).filePath(
        QStringLiteral("%1/%2").arg(QLatin1String(kDataFolder), QLatin1String(kFileName)));
  places.removeDuplicates();
  return places;
}

QString TfrmNetworkWizard::FindSettingsFile() {
  const QStringList places = SettingsFilePlaces();
  for (const QString& place : places)
    if (QFileInfo::exists(place)) return place;
  // None yet: keep the current directory's, where the file is expected.
  return places.front();
}

TfrmNetworkWizard::TfrmNetworkWizard(Prompts& prompts, QWidget* parent, const QString& iniFile)
    : QDialog(parent),
      prompts_(prompts),
      iniFile_(iniFile.isEmpty() ? FindSettingsFile() : iniFile) {
  setObjectName(QStringLiteral("frmNetworkWizard"));
  setWindowTitle(tr("Network Wizard"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(316, 112);

  Label1 = new QLabel(tr("Select Network"));
  Label1->setObjectName(QStringLiteral("Label1"));
  cboxNetwork = new QComboBox;
  cboxNetwork->setObjectName(QStringLiteral("cboxNetwork"));
  cboxNetwork->setEditable(false);
  cboxNetwork->setAccessibleName(tr("Network"));
  Label1->setBuddy(cboxNetwork);
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
  lblPresetsMissing = new QLabel;
  lblPresetsMissing->setObjectName(QStringLiteral("lblPresetsMissing"));
  lblPresetsMissing->setWordWrap(true);
  lblPresetsMissing->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblPresetsMissing->setVisible(false);

  BitBtn1 = new QPushButton(tr("OK"));
  BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
  BitBtn1->setDefault(true);
  BitBtn2 = new QPushButton(tr("Cancel"));
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
  layout->addWidget(lblPresetsMissing);
  layout->addStretch(1);
  layout->addWidget(Panel1);

  // OK without an operator would blank the SIM-card fields.
  connect(cboxNetwork, &QComboBox::currentIndexChanged, this,
          [this](int index) { BitBtn1->setEnabled(index >= 0); });
  cboxNetwork->clear();
  const std::string content = ReadBytes(iniFile_);
  fileIsUtf8_ = IsValidUtf8(content);
  for (const auto& [name, value] : ParseIniSection(content, kSection)) {
    // The name as the file has it is what finds the value again.
    cboxNetwork->addItem(DecodePreset(name), QByteArray(name.data(), static_cast<qsizetype>(name.size())));
  }
  cboxNetwork->setCurrentIndex(cboxNetwork->count() > 0 ? 0 : -1);
  BitBtn1->setEnabled(cboxNetwork->currentIndex() >= 0);
  if (!QFileInfo::exists(iniFile_)) {
    lblPresetsMissing->setText(
        tr("No operator presets were found. The wizard looked for %1 in:\n%2")
            .arg(QLatin1String(kFileName), SettingsFilePlaces().join(QLatin1Char('\n'))));
  } else if (cboxNetwork->count() == 0) {
    lblPresetsMissing->setText(
        tr("%1 lists no operators in its [%2] section.").arg(iniFile_, QLatin1String(kSection)));
  }
  if (!lblPresetsMissing->text().isEmpty()) {
    lblPresetsMissing->setVisible(true);
    // Room for the places it names.
    setFixedSize(480, sizeHint().height());
  }
}

QString TfrmNetworkWizard::DecodePreset(const std::string& bytes) const {
  return DecodeFileText(bytes, fileIsUtf8_);
}

void TfrmNetworkWizard::BitBtn1Click() {
  if (cboxNetwork->currentIndex() < 0) return;
  const QByteArray key = cboxNetwork->currentData().toByteArray();
  const std::string name(key.constData(), static_cast<size_t>(key.size()));
  // The values are read again on every OK: the file may have been edited.
  const IniSection operators = ParseIniSection(ReadBytes(iniFile_), kSection);
  const auto found = std::find_if(operators.begin(), operators.end(),
                                  [&name](const auto& entry) { return entry.first == name; });
  if (found == operators.end()) {
    // Edited away since the list was read: the fields stay as they are.
    prompts_.ShowMessage(tr("%1 is no longer listed in %2. The SIM-card fields were not changed.")
                             .arg(cboxNetwork->currentText(), iniFile_));
    return;
  }
  const std::string& value = found->second;
  // Checked as typed values are, when Save is pressed.
  auto field = [&](int n) { return ToBytes(DecodePreset(ReplyFieldText(value, n))); };
  result_ = NetworkPreset{{SettingKey::kApn, field(0)},
                          {SettingKey::kApnUser, field(1)},
                          {SettingKey::kApnPassword, field(2)},
                          {SettingKey::kUssd, field(3)},
                          {SettingKey::kUssdInterval, "24"}};
  accept();
}

int TfrmNetworkWizard::exec() {
  result_.reset();
  return QDialog::exec();
}

}  // namespace wr
