// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/tfrm_upgrade.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "session/delay.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/app_fonts.h"
#include "ui/prompts.h"
#include "ui/upgrade_settings_backup.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

constexpr int kWidth = 377;
constexpr int kHeight = 125;

}  // namespace

TfrmUpgrade::TfrmUpgrade(UnitSession& session, Prompts& prompts, QWidget* parent)
    : QDialog(parent),
      session_(session),
      prompts_(prompts),
      settingsBackup_(std::make_unique<UpgradeSettingsBackup>(session, prompts, parent)) {
  setObjectName(QStringLiteral("frmUpgrade"));
  setWindowTitle(tr("Upgrade"));
  setFont(DialogFont());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kWidth, kHeight);

  GroupBox1 = Named(new QGroupBox, "GroupBox1");
  Label1 = Named(new QLabel(tr("Upgrading Firmware, Please wait...")), "Label1");
  pbarUpgrade = Named(new QProgressBar, "pbarUpgrade");
  pbarUpgrade->setMinimum(0);
  pbarUpgrade->setValue(0);
  pbarUpgrade->setTextVisible(false);
  pbarUpgrade->setAccessibleName(tr("Upgrade progress"));
  auto* groupLayout = new QVBoxLayout(GroupBox1);
  groupLayout->addWidget(Label1);
  groupLayout->addWidget(pbarUpgrade);
  lblSettingsBackup = Named(new QLabel, "lblSettingsBackup");
  lblSettingsBackup->setWordWrap(true);
  lblSettingsBackup->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblSettingsBackup->setVisible(false);
  groupLayout->addWidget(lblSettingsBackup);

  Panel1 = Named(new QWidget, "Panel1");
  Panel1->setFixedHeight(41);
  btnCancel = Named(new QPushButton(tr("Cancel")), "btnCancel");
  auto* panelLayout = new QHBoxLayout(Panel1);
  panelLayout->setContentsMargins(8, 8, 8, 8);
  panelLayout->addStretch();
  panelLayout->addWidget(btnCancel);
  connect(btnCancel, &QPushButton::clicked, this, &TfrmUpgrade::btnCancelClick);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->setSpacing(0);
  layout->addWidget(GroupBox1, 1);
  layout->addWidget(Panel1);

  TimerStartUpgrade = Named(new QTimer(this), "TimerStartUpgrade");
  TimerStartUpgrade->setInterval(1);
  TimerStartUpgrade->setSingleShot(false);
  connect(TimerStartUpgrade, &QTimer::timeout, this, &TfrmUpgrade::TimerStartUpgradeTimer);
}

TfrmUpgrade::~TfrmUpgrade() = default;

void TfrmUpgrade::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - rect().center());
  FormShow();
}

void TfrmUpgrade::FormShow() {
  cancelRequested = false;
  upgradeSucceeded = false;
  installedVersion.clear();
  TimerStartUpgrade->start();
}

void TfrmUpgrade::TimerStartUpgradeTimer() {
  TimerStartUpgrade->stop();
  upgradeSucceeded = false;
  running_ = true;
  RunUpgrade();
  running_ = false;
  accept();
}

void TfrmUpgrade::btnCancelClick() {
  cancelRequested = true;
  // A block's wait looks at the flag at once instead of at its time-out.
  session_.WakeWaiters();
}

void TfrmUpgrade::reject() {
  // The procedure closes the dialog itself when it has ended; closing it
  // under a running transfer would leave the transfer without its window.
  if (running_) {
    btnCancelClick();
    return;
  }
  TimerStartUpgrade->stop();
  QDialog::reject();
}

void TfrmUpgrade::closeEvent(QCloseEvent* event) {
  if (running_) {
    btnCancelClick();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TfrmUpgrade::Tell(std::string_view message, MessageKind kind) {
  prompts_.ShowMessage(tr(std::string(message).c_str()), kind);
}

void TfrmUpgrade::ShowBackupFile(const QString& file) {
  lblSettingsBackup->setText(tr("The unit's settings are kept in %1").arg(file));
  lblSettingsBackup->setVisible(!file.isEmpty());
  // The dialog keeps its size, and grows by the lines the file name takes.
  const int extra = file.isEmpty() ? 0 : lblSettingsBackup->heightForWidth(kWidth - 40) + 6;
  setFixedSize(kWidth, kHeight + extra);
}

void TfrmUpgrade::RunUpgrade() {
  pbarUpgrade->setValue(0);
  cancelRequested = false;
  settingsBackup_->Forget();
  ShowBackupFile(QString());

  const QString path =
      prompts_.OpenFile(tr("Open"), QString::fromLatin1(kFirmwareFilter));
  if (path.isEmpty()) return;

  const std::string unitVersion = session_.Model().FirmwareVersion();
  const UpgradeFileResult file =
      ReadUpgradeFile(std::filesystem::path(path.toStdU16String()), unitVersion);
  // The caption names every file that could be opened, also one refused later.
  if (file.message != upgrade_msg::kFileMissing && file.message != upgrade_msg::kOpenFailed)
    setWindowTitle(path);
  if (!file.ok) {
    // A file that cannot be read is a failure; one that is read and refused
    // is for the user to look at.
    const bool failed = file.message == upgrade_msg::kOpenFailed ||
                        file.message == upgrade_msg::kSizeFailed ||
                        file.message == upgrade_msg::kReadFailed;
    Tell(file.message, failed ? MessageKind::Critical : MessageKind::Warning);
    return;
  }

  // The question names both versions, and says so when the file is older.
  const QString target = FromBytes(file.productWord) + tr(" version: ") +
                         FromBytes(file.version);
  const QString from = FromBytes(unitVersion);
  const int order = CompareFirmwareVersions(file.version, unitVersion);
  QString question;
  if (order < 0) {
    question = tr("This will take the unit from version %1 back to %2, an older version "
                              "(a downgrade). Proceed?")
                   .arg(from, target);
  } else if (order == 0) {
    question = tr("The unit already runs version %1. This will install %2 again. Proceed?")
                   .arg(from, target);
  } else {
    question = tr("This will upgrade the unit from version %1 to %2. Proceed?")
                   .arg(from, target);
  }
  // The settings first, when the user keeps them: an upgrade may reset them.
  if (!settingsBackup_->AskAndKeep(tr("Warning"), question)) return;
  ShowBackupFile(settingsBackup_->File());

  // The maximum is an int; real images are far below the reader's size limit.
  pbarUpgrade->setMaximum(static_cast<int>(file.imageLength));
  Delay(timings_.settleMs);
  TransferHooks hooks;
  hooks.cancelled = [this] { return cancelRequested; };
  hooks.advance = [this](size_t bytes) {
    pbarUpgrade->setValue(pbarUpgrade->value() + static_cast<int>(bytes));
  };
  switch (SendUpgradeBlocks(session_, file, timings_, hooks)) {
    case TransferResult::SendFailed:
      Tell(QT_TR_NOOP("Error sending upgrade file!"), MessageKind::Critical);
      return;
    case TransferResult::Cancelled:
      Tell(QT_TR_NOOP("Firmware upgrade stopped!"));
      return;
    case TransferResult::Sent:
      break;
  }

  const int connectionsBeforeInstall = session_.Connections();
  switch (SendInstallCommand(session_, file.LastBlockNumber(), timings_)) {
    case InstallResult::Refused:
      Tell(QT_TR_NOOP("Firmware upgrade not supported!"), MessageKind::Warning);
      return;
    case InstallResult::NotDelivered:
      Tell(QT_TR_NOOP("Error sending upgrade command! The unit was not told to install the firmware."),
           MessageKind::Critical);
      return;
    case InstallResult::Installed:
      upgradeSucceeded = true;
      installedVersion = file.version;
      connectionsAtInstall = connectionsBeforeInstall;
      return;
  }
}

}  // namespace wr
