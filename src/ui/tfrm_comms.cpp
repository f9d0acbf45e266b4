#include "ui/tfrm_comms.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "protocol/commands.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/app_fonts.h"
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

  redtDebug = new QPlainTextEdit;
  redtDebug->setObjectName(QStringLiteral("redtDebug"));
  redtDebug->setFont(TerminalFont());
  redtDebug->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  redtDebug->setLineWrapMode(QPlainTextEdit::NoWrap);
  redtDebug->setMaximumBlockCount(kMaxLines);
  redtDebug->setUndoRedoEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(redtDebug, 1);

  connect(btnTransmit, &QPushButton::clicked, this, &TfrmComms::btnTransmitClick);
  // clicked, not toggled: only the user's own click changes the interval.
  connect(chkQuick, &QCheckBox::clicked, this, &TfrmComms::chkQuickClick);
  QScrollBar* bar = redtDebug->verticalScrollBar();
  // The user's own moves of the view (wheel, arrows, pages, dragging) decide
  // whether new lines are followed; the position is already the new one here.
  connect(bar, &QScrollBar::actionTriggered, this,
          [this, bar](int) { following_ = bar->sliderPosition() >= bar->maximum(); });

  connect(&session_, &UnitSession::lineReceived, this,
          [this](const std::string& line) { AppendLine(line); });
  connect(&session_, &UnitSession::commandEchoed, this,
          [this](const std::string& echo) { AppendLine(echo); });
}

void TfrmComms::AppendLine(std::string_view line) {
  QScrollBar* bar = redtDebug->verticalScrollBar();
  const int keep = bar->value();
  const int blocksBefore = redtDebug->blockCount();
  redtDebug->appendPlainText(FromBytes(line));
  if (following_) {
    bar->setValue(bar->maximum());
  } else {
    // When the oldest line was dropped, everything moved up by one.
    const bool dropped = redtDebug->blockCount() == blocksBefore;
    bar->setValue(dropped && keep > 0 ? keep - 1 : keep);
  }
}

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

void TfrmComms::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The text laid out while hidden has its final height only after this event.
  if (following_)
    QTimer::singleShot(0, this, [this] {
      QScrollBar* bar = redtDebug->verticalScrollBar();
      bar->setValue(bar->maximum());
    });
}

}  // namespace wr
