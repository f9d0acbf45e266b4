// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The debug terminal: every line exchanged with the unit, and a box to send
// raw command lines. It lives for the whole run; closing only hides it.
#include <QWidget>

#include <string_view>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace wr {

class Prompts;
class TerminalView;
class TfrmMain;
class UnitSession;

class TfrmComms : public QWidget {
  Q_OBJECT
 public:
  // Lines kept in the text area; older ones are dropped first.
  static constexpr int kMaxLines = 100000;

  // Shows the session's traffic; "Quick" sets the main window's polling;
  // "Save log..." asks where through prompts.
  TfrmComms(UnitSession& session, TfrmMain& main, Prompts& prompts, QWidget* parent = nullptr);

  // Appends one line at the end.
  void AppendLine(std::string_view line);

  void btnTransmitClick();
  void edtTXKeyPress(QChar key);
  void chkQuickClick();
  void btnClearClick();
  // Writes the lines as the view shows them (with their time stamps when
  // those are shown) into a file the user picks: all of them or, when the
  // write fails, none, and the file that was there stays as it was.
  void btnSaveLogClick();
  void chkTimestampsClick();

  QWidget* Panel1 = nullptr;
  QLineEdit* edtTX = nullptr;
  QPushButton* btnTransmit = nullptr;
  QCheckBox* chkQuick = nullptr;
  QPushButton* btnClear = nullptr;
  QPushButton* btnSaveLog = nullptr;
  QCheckBox* chkTimestamps = nullptr;
  TerminalView* redtDebug = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SendTypedLine();

  UnitSession& session_;
  TfrmMain& main_;
  Prompts& prompts_;
};

}  // namespace wr
