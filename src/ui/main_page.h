// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Main tab: the banner, the About box with the unit's version and
// device id, the unit buttons and the output switches.
#include <QWidget>

#include <functional>

#include "protocol/unit_controls.h"
#include "ui/prompts.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace wr {

class UnitSession;

class MainPage : public QWidget {
  Q_OBJECT
 public:
  MainPage(UnitSession& session, Prompts& prompts, QWidget* parent = nullptr);

  // The question Send defaults asks first: it overwrites settings, which it
  // lists with the server it writes.
  static const char* const kDefaultsCaption;  // translated with tr()
  static QString DefaultsQuestion(const QString& host);

  // Enabled while a unit is connected.
  void SetUnitControlsEnabled(bool enabled);

  // Asked, with a caption and what the action does to them, before an
  // action that would lose the Settings tab's unsaved changes; false stops
  // the action. Without a guard the actions go ahead.
  using EditsGuard = std::function<bool(const QString& caption, const QString& consequence)>;
  void SetEditsGuard(EditsGuard guard) { editsGuard_ = std::move(guard); }
  // The factory reset clears the unit's trip log too: what the question says
  // of it, and the offer to export the trips first (false: stop).
  struct TripLog {
    std::function<QString()> erasedText;
    // Calls then(true) when erasing may go on (exported, or not wanted).
    std::function<void(const QString& caption, const QString& notDone,
                       std::function<void(bool)> then)>
        offerExport;
  };
  void SetTripLog(TripLog tripLog) { tripLog_ = std::move(tripLog); }

  void btnRebootClick();
  void btnFactoryClick();
  void btnDefaultsClick();
  void btnRelayCloseClick();
  void btnRelayOpenClick();
  void btnOutputHighClick();
  void btnOutputLowClick();
  void btnBuzzerOnClick();
  void btnBuzzerOffClick();
  void btn3V3OnClick();
  void btn3V3OffClick();

  QWidget* pnlWayrunner = nullptr;
  QLabel* imgWayrunner = nullptr;
  QLabel* LabelVersion = nullptr;
  QLabel* lblMaker = nullptr;
  QGroupBox* GroupBox9 = nullptr;
  QLineEdit* edtVersion = nullptr;
  QLineEdit* edtSerial = nullptr;
  QPushButton* btnReboot = nullptr;
  QPushButton* btnUpgrade = nullptr;
  QPushButton* btnFactory = nullptr;
  QPushButton* btnDefaults = nullptr;
  QGroupBox* gboxOutputs = nullptr;
  QPushButton* btnRelayClose = nullptr;
  QPushButton* btnRelayOpen = nullptr;
  QPushButton* btnOutputHigh = nullptr;
  QPushButton* btnOutputLow = nullptr;
  QPushButton* btnBuzzerOn = nullptr;
  QPushButton* btnBuzzerOff = nullptr;
  QPushButton* btn3V3On = nullptr;
  QPushButton* btn3V3Off = nullptr;

 signals:
  // A key typed into the firmware-version box.
  void versionKeyPressed(QChar key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QGroupBox* BuildOutputsGroup();
  void SwitchOutput(UnitOutput output, bool on);
  void ShowMessage(const QString& message, MessageKind kind = MessageKind::Information);
  // The tracking server the user enters and Preferences then keeps; empty
  // when cancelled or refused (the refusal is shown).
  QString AskForTrackingHost();
  bool EditsMayGo(const QString& caption, const QString& consequence);

  UnitSession& session_;
  Prompts& prompts_;
  EditsGuard editsGuard_;
  TripLog tripLog_;
};

}  // namespace wr
