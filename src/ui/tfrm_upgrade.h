// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The firmware upgrade dialog: picks the file, checks it, and shows the
// upgrade operation's transfer with a progress bar and Cancel. Once the
// unit has been told to install, the dialog closes; the operation goes on
// watching the restart, and the outcome is reported when it ends.
#include <QDialog>

#include <functional>
#include <memory>
#include <string>

#include "protocol/message.h"
#include "session/upgrade_operation.h"
#include "ui/prompts.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;

namespace wr {

class UnitSession;
class UpgradeSettingsBackup;

class TfrmUpgrade : public QDialog {
  Q_OBJECT
 public:
  // The file dialog's filter: files ending in .fw, described as Upgrade Files.
  static constexpr const char* kFirmwareFilter = "Upgrade Files (*.fw)";

  TfrmUpgrade(UnitSession& session, Prompts& prompts, QWidget* parent = nullptr);
  ~TfrmUpgrade() override;

  // Waits of the transfer; tests shorten them, the tool keeps the defaults.
  void SetTimings(const UpgradeTimings& timings) { timings_ = timings; }
  const UpgradeTimings& Timings() const { return timings_; }

  // The unit's settings kept before the transfer; the shell offers them back
  // once the unit has restarted.
  UpgradeSettingsBackup& SettingsBackup() { return *settingsBackup_; }

  // The whole upgrade from the main window: the dialog (modal while the
  // file is picked and sent), then, without blocking, the report of the
  // version the unit comes back with. quietAfterMs: the quiet time set once
  // the install command went out, so that the next status query waits.
  void Run(int quietAfterMs);
  // An upgrade is under way (also after the dialog closed, while the unit
  // restarts) or its outcome is being reported.
  bool Busy() const;
  // The operation of the last upgrade; none before the first transfer.
  UpgradeOperation* Operation() { return operation_.get(); }

  // Said when the install command went out, before the unit is back.
  static QString FirmwareSentMessage();

  void FormShow();
  void TimerStartUpgradeTimer();
  void btnCancelClick();

  // Set by Cancel; looked at between blocks and while a block waits.
  bool cancelRequested = false;
  // Set only when the install command went out and was not refused.
  bool upgradeSucceeded = false;

  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QProgressBar* pbarUpgrade = nullptr;
  // Where the unit's settings were kept, while the transfer runs.
  QLabel* lblSettingsBackup = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* btnCancel = nullptr;
  QTimer* TimerStartUpgrade = nullptr;

 public slots:
  // Escape and the close box act as Cancel while the procedure runs.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Up to the start of the operation (the file, the question, the settings
  // kept); then done, with false when nothing is to be sent.
  void Prepare(std::function<void(bool ready)> done);
  // Starts the operation Prepare made, and follows it.
  void StartTransfer();
  void TransferEnded();
  void Report();
  void Tell(const Message& message, MessageKind kind = MessageKind::Information);
  void ShowBackupFile(const QString& file);

  UnitSession& session_;
  Prompts& prompts_;
  UpgradeTimings timings_;
  std::unique_ptr<UpgradeSettingsBackup> settingsBackup_;
  std::unique_ptr<UpgradeOperation> operation_;
  // The dialog is open for a transfer (Cancel stops it).
  bool running_ = false;
  // The outcome is being shown.
  bool reporting_ = false;
  // The install command went out: the sent message was shown and the
  // outcome follows when the operation ends.
  bool awaitingReport_ = false;
};

}  // namespace wr
