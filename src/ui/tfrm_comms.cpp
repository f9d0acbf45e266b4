#include "ui/tfrm_comms.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "protocol/commands.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/app_fonts.h"
#include "ui/terminal_view.h"
#include "ui/tfrm_main.h"

namespace wr {

TfrmComms::TfrmComms(UnitSession& session, TfrmMain& main, QWidget* parent)
    : QWidget(parent), session_(session), main_(main) {
  setObjectName(QStringLiteral("frmComms"));
  setWindowTitle(QStringLiteral("frmComms"));
  setWindowFlag(Qt::Window);
  setFont(DialogFont());
  resize(679, 626);

  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedHeight(41);
  edtTX = new QLineEdit(FromBytes(cmd::kDebugOn));
  edtTX->setObjectName(QStringLiteral("edtTX"));
  edtTX->setFixedWidth(377);
  edtTX->installEventFilter(this);
  btnTransmit = new QPushButton(QStringLiteral("Send"));
  btnTransmit->setObjectName(QStringLiteral("btnTransmit"));
  chkQuick = new QCheckBox(QStringLiteral("Quick"));
  chkQuick->setObjectName(QStringLiteral("chkQuick"));
  chkQuick->setChecked(true);
  auto* top = new QHBoxLayout(Panel1);
  top->setContentsMargins(8, 4, 8, 4);
  top->addWidget(edtTX);
  top->addWidget(btnTransmit);
  top->addWidget(chkQuick);
  top->addStretch(1);

  // A log of bytes: compact storage, only the visible lines painted.
  redtDebug = new TerminalView;
  redtDebug->setObjectName(QStringLiteral("redtDebug"));
  redtDebug->SetMaxLines(kMaxLines);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(redtDebug, 1);

  connect(btnTransmit, &QPushButton::clicked, this, &TfrmComms::btnTransmitClick);
  // clicked, not toggled: only the user's own click changes the interval.
  connect(chkQuick, &QCheckBox::clicked, this, &TfrmComms::chkQuickClick);

  connect(&session_, &UnitSession::lineReceived, this,
          [this](const std::string& line) { AppendLine(line); });
  connect(&session_, &UnitSession::commandEchoed, this,
          [this](const std::string& echo) { AppendLine(echo); });
}

void TfrmComms::AppendLine(std::string_view line) { redtDebug->AppendLine(line); }

void TfrmComms::SendTypedLine() {
  // As typed: no trimming, no echo; the unit's answer shows as received lines.
  session_.SendLine(ToBytes(edtTX->text()));
}

void TfrmComms::btnTransmitClick() { SendTypedLine(); }

void TfrmComms::edtTXKeyPress(QChar key) {
  if (key == QLatin1Char('\r')) SendTypedLine();
}

void TfrmComms::chkQuickClick() { main_.SetRefreshInterval(chkQuick->isChecked() ? 1000 : 30000); }

bool TfrmComms::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtTX && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      edtTXKeyPress(QLatin1Char('\r'));
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace wr
