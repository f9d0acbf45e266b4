// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The network wizard: fills the SIM-card fields from an operator preset.
#include <QDialog>
#include <QString>
#include <QStringList>

#include <optional>

#include "protocol/settings_values.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace wr {

class Prompts;

// The SIM-card fields an operator preset fills, with their texts.
using NetworkPreset = SettingTexts;

class TfrmNetworkWizard : public QDialog {
  Q_OBJECT
 public:
  // The presets come from iniFile; when it is empty, from Settings.ini in the
  // current directory, else beside the program, else in the installed data
  // folder. The operator list is read here, once; the values on every OK.
  explicit TfrmNetworkWizard(Prompts& prompts, QWidget* parent = nullptr,
                             const QString& iniFile = QString());

  // Where the presets are read from for this run: the first of
  // SettingsFilePlaces() that exists, else the current directory's.
  static QString FindSettingsFile();
  // Every place looked in, in order.
  static QStringList SettingsFilePlaces();
  QString SettingsFile() const { return iniFile_; }

  // OK: takes the chosen operator's preset as the result and closes.
  void BitBtn1Click();

  // Runs the dialog; the result is set only by OK.
  int exec() override;
  // The preset chosen with the last OK; empty after Cancel.
  const std::optional<NetworkPreset>& Result() const { return result_; }

  QLabel* Label1 = nullptr;
  // Says where the presets were looked for when none were found.
  QLabel* lblPresetsMissing = nullptr;
  QComboBox* cboxNetwork = nullptr;
  QWidget* Panel1 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;

 private:
  // The file's texts: UTF-8 when the whole file is valid UTF-8, else 8-bit.
  QString DecodePreset(const std::string& bytes) const;

  Prompts& prompts_;
  QString iniFile_;
  bool fileIsUtf8_ = true;
  std::optional<NetworkPreset> result_;
};

}  // namespace wr
