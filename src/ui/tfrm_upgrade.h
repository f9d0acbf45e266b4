// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The firmware upgrade dialog: picks the file, checks it, sends it block by
// block with a progress bar and Cancel, and tells the unit to install it.
#include <QDialog>

#include <memory>
#include <string>

#include "session/upgrade_transfer.h"
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

  void FormShow();
  void TimerStartUpgradeTimer();
  void btnCancelClick();

  // Set by Cancel; looked at between blocks and while a block waits.
  bool cancelRequested = false;
  // Set only when the install command went out and was not refused.
  bool upgradeSucceeded = false;
  // Then: the version the file holds, and the unit's connection count when
  // the command went out (the restart brings a new connection).
  std::string installedVersion;
  int connectionsAtInstall = 0;

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
  void RunUpgrade();
  void Tell(std::string_view message, MessageKind kind = MessageKind::Information);
  void ShowBackupFile(const QString& file);

  UnitSession& session_;
  Prompts& prompts_;
  UpgradeTimings timings_;
  std::unique_ptr<UpgradeSettingsBackup> settingsBackup_;
  bool running_ = false;
};

}  // namespace wr
