#pragma once
// The debug terminal: every line exchanged with the unit, and a box to send
// raw command lines. It lives for the whole run; closing only hides it.
#include <QWidget>

#include <string_view>

#include "link/link_client.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace wr {

class TfrmMain;

class TfrmComms : public QWidget, public TerminalSink {
  Q_OBJECT
 public:
  // Lines kept in the text area; older ones are dropped first.
  static constexpr int kMaxLines = 100000;
  static constexpr int kQuietTickMs = 100;

  explicit TfrmComms(TfrmMain& main, QWidget* parent = nullptr);

  // TerminalSink: appends one line at the end.
  void AppendLine(std::string_view line) override;

  void btnTransmitClick();
  void edtTXKeyPress(QChar key);
  void chkQuickClick();
  void Timer1Timer();

  QWidget* Panel1 = nullptr;
  QLineEdit* edtTX = nullptr;
  QPushButton* btnTransmit = nullptr;
  QCheckBox* chkQuick = nullptr;
  QPlainTextEdit* redtDebug = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void SendTypedLine();

  TfrmMain& main_;
  // Whether the view follows new lines; false while the user looks further up.
  bool following_ = true;
};

}  // namespace wr
