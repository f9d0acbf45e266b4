// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tool's preferences, kept in its settings: for now the tracking server
// that Send defaults writes to a unit.
#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace wr {

class Prompts;

// The tracking server kept in the tool's settings; empty when none was set.
QString TrackingHostPreference();
void SetTrackingHostPreference(const QString& host);
// The server Send defaults writes: the preference, else the environment's.
QString EffectiveTrackingHost();
// Empty when host may be kept as the tracking server; otherwise why not.
QString TrackingHostProblem(const QString& host);

class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  explicit PreferencesDialog(Prompts& prompts, QWidget* parent = nullptr);

  // Fills the box from the settings; the dialog's exec() then edits them.
  void Load();

  QLabel* lblTrackingHost = nullptr;
  QLineEdit* edtTrackingHost = nullptr;
  QLabel* lblTrackingHostNote = nullptr;
  QDialogButtonBox* buttons = nullptr;

 public slots:
  // Keeps a valid server (or none); says why another is refused.
  void accept() override;

 private:
  Prompts& prompts_;
};

}  // namespace wr
