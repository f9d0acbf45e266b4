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

QString TfrmUpgrade::FirmwareSentMessage() {
  return tr("The firmware was sent. Please wait for unit to restart: its version is checked "
            "when it is back.");
}

bool TfrmUpgrade::Busy() const {
  return running_ || reporting_ || awaitingReport_ || (operation_ && operation_->Running());
}

void TfrmUpgrade::Run(int quietAfterMs) {
  if (Busy()) return;
  upgradeSucceeded = false;
  {
    // No status query may share the OK flag with the blocks; polling resumes
    // however the dialog ends.
    PollingPause pause(session_);
    exec();
  }
  if (operation_ && !upgradeSucceeded && operation_->Running()) {
    // The dialog was closed under the transfer (the application quits):
    // nothing more goes out, and nobody is told.
    operation_->disconnect(this);
    operation_->Cancel();
  }
  if (!upgradeSucceeded || session_.Quitting()) return;
  // The unit restarts now; give it time before the next status query.
  session_.SetQuietMs(quietAfterMs);
  // Nothing is known to be upgraded yet: the unit says so only once it is back.
  prompts_.ShowMessage(FirmwareSentMessage());
  awaitingReport_ = true;
  if (!operation_->Running()) Report();
}

void TfrmUpgrade::FormShow() {
  cancelRequested = false;
  upgradeSucceeded = false;
  TimerStartUpgrade->start();
}

void TfrmUpgrade::TimerStartUpgradeTimer() {
  TimerStartUpgrade->stop();
  upgradeSucceeded = false;
  running_ = true;
  Prepare([this](bool ready) {
    if (ready && !session_.Quitting()) {
      StartTransfer();
      return;
    }
    running_ = false;
    accept();
  });
}

void TfrmUpgrade::StartTransfer() {
  connect(operation_.get(), &UpgradeOperation::progress, this, [this](int done, int total) {
    if (total > 0) pbarUpgrade->setValue(done);
  });
  // The operation reports from inside the session's drain step: what the
  // window does about it (boxes, the dialog closing) waits for the loop.
  connect(operation_.get(), &UpgradeOperation::phaseChanged, this,
          [this](UpgradeOperation::Phase phase) {
            if (phase != UpgradeOperation::Phase::Restarting) return;
            // Set only when the install command went out and was not refused.
            upgradeSucceeded = true;
            running_ = false;
            QMetaObject::invokeMethod(this, &QDialog::accept, Qt::QueuedConnection);
          });
  connect(operation_.get(), &UpgradeOperation::finished, this, [this] {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (!upgradeSucceeded) {
            TransferEnded();
          } else if (awaitingReport_) {
            Report();
          }
        },
        Qt::QueuedConnection);
  });
  operation_->Start();
}

void TfrmUpgrade::btnCancelClick() {
  cancelRequested = true;
  // Once the install command is out the unit installs: Cancel has nothing
  // left to stop.
  if (running_ && operation_ && operation_->CurrentPhase() < UpgradeOperation::Phase::Installing)
    operation_->Cancel();
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

void TfrmUpgrade::Tell(const Message& message, MessageKind kind) {
  prompts_.ShowMessage(Translated(message), kind);
}

void TfrmUpgrade::ShowBackupFile(const QString& file) {
  lblSettingsBackup->setText(tr("The unit's settings are kept in %1").arg(file));
  lblSettingsBackup->setVisible(!file.isEmpty());
  // The dialog keeps its size, and grows by the lines the file name takes.
  const int extra = file.isEmpty() ? 0 : lblSettingsBackup->heightForWidth(kWidth - 40) + 6;
  setFixedSize(kWidth, kHeight + extra);
}

void TfrmUpgrade::TransferEnded() {
  running_ = false;
  MessageKind kind = MessageKind::Information;
  switch (operation_->Ending()) {
    case UpgradeOperation::End::SendFailed:
    case UpgradeOperation::End::NotDelivered:
      kind = MessageKind::Critical;
      break;
    case UpgradeOperation::End::InstallRefused:
      kind = MessageKind::Warning;
      break;
    default:
      break;
  }
  const UnitSession::Outcome& outcome = operation_->Result();
  if (!outcome.message.isEmpty()) prompts_.ShowMessage(outcome.message, kind);
  accept();
}

void TfrmUpgrade::Report() {
  awaitingReport_ = false;
  const UnitSession::Outcome& outcome = operation_->Result();
  if (outcome.interrupted || session_.Quitting()) return;
  reporting_ = true;
  const UpgradeOperation::End end = operation_->Ending();
  prompts_.ShowMessage(outcome.message, end == UpgradeOperation::End::Upgraded
                                            ? MessageKind::Information
                                            : MessageKind::Warning);
  // The settings kept before the transfer, offered back when they changed.
  if (end != UpgradeOperation::End::NotBack)
    settingsBackup_->OfferRestore([this] { reporting_ = false; });
  else
    reporting_ = false;
}

void TfrmUpgrade::Prepare(std::function<void(bool ready)> done) {
  pbarUpgrade->setValue(0);
  cancelRequested = false;
  settingsBackup_->Forget();
  ShowBackupFile(QString());

  const QString path =
      prompts_.OpenFile(tr("Open"), QString::fromLatin1(kFirmwareFilter));
  if (path.isEmpty()) {
    done(false);
    return;
  }

  const std::string unitVersion = session_.Model().FirmwareVersion();
  UpgradeFileResult file =
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
    Tell(file.problem, failed ? MessageKind::Critical : MessageKind::Warning);
    done(false);
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
  auto image = std::make_shared<UpgradeFileResult>(std::move(file));
  settingsBackup_->AskAndKeep(tr("Warning"), question, [this, image, done](bool go) {
    if (!go) {
      done(false);
      return;
    }
    ShowBackupFile(settingsBackup_->File());
    // The maximum is an int; real images are far below the reader's size limit.
    pbarUpgrade->setMaximum(static_cast<int>(image->imageLength));
    RestartWatch watch;
    watch.limitMs = timings_.restartLimitMs;
    operation_ = std::make_unique<UpgradeOperation>(session_, std::move(*image), timings_, watch);
    done(true);
  });
}

}  // namespace wr
