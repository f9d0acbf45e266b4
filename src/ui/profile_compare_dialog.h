// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The comparison of the unit's settings with a profile: one row per setting
// the profile holds, with the unit's value and the profile's. Choosing, each
// row has a tick (the differing ones ticked at first) and OK takes the ticked
// values; showing, the table is only looked at.
#include <QDialog>
#include <QString>

#include "protocol/settings_values.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace wr {

// What the Settings tab calls a setting, e.g. "GPRS APN".
QString SettingTitle(SettingKey key);
// A canonical value as the user reads it: "On" for low power 1, the
// ignition mode's name, "(empty)" for an empty text.
QString SettingValueText(SettingKey key, const std::string& value);

class ProfileCompareDialog : public QDialog {
  Q_OBJECT
 public:
  enum class Mode { Choose, Show };
  enum Column { kSettingColumn, kUnitColumn, kProfileColumn };

  explicit ProfileCompareDialog(Mode mode, QWidget* parent = nullptr);

  // Fills the table with the keys of profile in canonical order. unit may
  // leave keys out (not read); such a row counts as differing.
  // profileHeading names the right-hand column (empty: "Profile"; "Kept before the
  // upgrade").
  void SetComparison(const QString& intro, const SettingsValues& unit,
                     const SettingsValues& profile,
                     const QString& profileHeading = QString());
  // The caption of the button that accepts a choice.
  void SetAcceptText(const QString& text);

  Mode DialogMode() const { return mode_; }
  // The rows' keys, top to bottom.
  const std::vector<SettingKey>& Keys() const { return keys_; }
  int RowOf(SettingKey key) const;
  bool IsTicked(int row) const;
  void SetTicked(int row, bool ticked);
  // The profile's values of the ticked rows; empty when showing.
  SettingsValues Ticked() const;
  int DifferenceCount() const { return differences_; }

  QLabel* lblCompareIntro = nullptr;
  QTableWidget* tblCompare = nullptr;
  QLabel* lblCompareSummary = nullptr;
  // Choose: OK and Cancel. Show: Close only (btnCompareOk is null).
  QPushButton* btnCompareOk = nullptr;
  QPushButton* btnCompareCancel = nullptr;

 private:
  Mode mode_;
  std::vector<SettingKey> keys_;
  SettingsValues profile_;
  int differences_ = 0;
};

}  // namespace wr
