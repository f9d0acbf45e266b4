// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/tfrm_comms.h"

#include <QCheckBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>
#include <string>

#include "files/output_file.h"
#include "protocol/commands.h"
#include "session/unit_session.h"
#include "session/unit_text.h"
#include "ui/app_fonts.h"
#include "ui/prompts.h"
#include "ui/save_folder.h"
#include "ui/terminal_view.h"
#include "ui/tfrm_main.h"
#include "ui/widget_names.h"

namespace wr {

TfrmComms::TfrmComms(UnitSession& session, TfrmMain& main, Prompts& prompts, QWidget* parent)
    : QWidget(parent), session_(session), main_(main), prompts_(prompts) {
  setObjectName(QStringLiteral("frmComms"));
  setWindowTitle(QStringLiteral("frmComms"));
  setWindowFlag(Qt::Window);
  setFont(DialogFont());
  resize(679, 626);

  Panel1 = new QWidget;
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setMinimumHeight(41);
  Panel1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  edtTX = new QLineEdit(FromBytes(cmd::kDebugOn));
  edtTX->setObjectName(QStringLiteral("edtTX"));
  edtTX->setMinimumWidth(377);
  edtTX->installEventFilter(this);
  edtTX->setAccessibleName(tr("Line to send to the unit"));
  btnTransmit = new QPushButton(tr("Send"));
  btnTransmit->setObjectName(QStringLiteral("btnTransmit"));
  chkQuick = new QCheckBox(tr("Quick"));
  chkQuick->setObjectName(QStringLiteral("chkQuick"));
  chkQuick->setChecked(true);
  chkQuick->setToolTip(
      tr("How often the main window asks the unit for its status. Ticked: every second (every "
         "half second until the box is first clicked). Unticked: every 30 seconds, until it is "
         "ticked again; the Status tab then says so beside its last update."));
  chkQuick->setAccessibleName(tr("Quick status polling of the main window"));
  auto* top = new QHBoxLayout(Panel1);
  top->setContentsMargins(8, 4, 8, 4);
  btnClear = Named(new QPushButton(tr("C&lear")), "btnClear");
  btnSaveLog = Named(new QPushButton(tr("&Save log...")), "btnSaveLog");
  chkTimestamps = Named(new QCheckBox(tr("&Time stamps")), "chkTimestamps");
  top->addWidget(edtTX, 1);
  top->addWidget(btnTransmit);
  top->addWidget(chkQuick);
  top->addSpacing(12);
  top->addWidget(chkTimestamps);
  top->addWidget(btnClear);
  top->addWidget(btnSaveLog);

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
  connect(btnClear, &QPushButton::clicked, this, &TfrmComms::btnClearClick);
  connect(btnSaveLog, &QPushButton::clicked, this, &TfrmComms::btnSaveLogClick);
  connect(chkTimestamps, &QCheckBox::clicked, this, &TfrmComms::chkTimestampsClick);

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

void TfrmComms::btnClearClick() { redtDebug->Clear(); }

void TfrmComms::chkTimestampsClick() { redtDebug->SetShowTimestamps(chkTimestamps->isChecked()); }

void TfrmComms::btnSaveLogClick() {
  const QString folder = SaveFolder();
  const QString name = QStringLiteral("terminal-%1.log")
                           .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
  const QString file = prompts_.SaveFile(tr("Save log"),
                                         tr("Log files (*.log);;Text files (*.txt);;All files (*)"),
                                         QDir(folder).filePath(name));
  if (file.isEmpty()) return;
  // One byte per character, as the lines came; a line end after each.
  std::string content;
  for (int i = 0; i < redtDebug->LineCount(); ++i) {
    content += redtDebug->LineText(i).toLatin1().toStdString();
    content += '\n';
  }
  // The traffic holds the APN password: the log is for its owner's eyes.
  Message error;
  if (!WriteFileReplacing(std::filesystem::path(QFile::encodeName(file).toStdString()), content,
                          FileAccess::kOwnerOnly, error)) {
    // The reason names the file already.
    prompts_.ShowMessage(tr("The log was not saved.\n%1").arg(Translated(error)),
                         MessageKind::Critical);
    return;
  }
  RememberSaveFolder(file);
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
