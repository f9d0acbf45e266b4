// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/preferences_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QVBoxLayout>

#include "protocol/settings_commands.h"
#include "session/unit_text.h"
#include "ui/prompts.h"
#include "ui/widget_names.h"

namespace wr {
namespace {

const QString kTrackingHostKey = QStringLiteral("defaults/trackingHost");

}  // namespace

QString TrackingHostPreference() {
  return QSettings().value(kTrackingHostKey).toString().trimmed();
}

void SetTrackingHostPreference(const QString& host) {
  QSettings settings;
  if (host.trimmed().isEmpty()) {
    settings.remove(kTrackingHostKey);
  } else {
    settings.setValue(kTrackingHostKey, host.trimmed());
  }
}

QString EffectiveTrackingHost() {
  return FromBytes(TrackingHost(ToBytes(TrackingHostPreference())));
}

QString TrackingHostProblem(const QString& host) {
  const std::string bytes = ToBytes(host.trimmed());
  if (!TrackingHostIsSet(bytes))
    return QCoreApplication::translate("PreferencesDialog",
                                       "\"%1\" is no tracking server: enter the host name or "
                                       "address your units report to.")
        .arg(host.trimmed());
  const Message bad = DescribeUnsafeCharacter(bytes);
  if (!bad.Empty())
    return QCoreApplication::translate("PreferencesDialog",
                                       "The tracking server cannot contain %1.")
        .arg(Translated(bad));
  return QString();
}

PreferencesDialog::PreferencesDialog(Prompts& prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts) {
  setObjectName(QStringLiteral("dlgPreferences"));
  setWindowTitle(tr("Preferences"));
  edtTrackingHost = Named(new QLineEdit, "edtTrackingHost");
  edtTrackingHost->setAccessibleName(tr("Tracking server that Send defaults writes"));
  edtTrackingHost->setPlaceholderText(tr("host name or address"));
  edtTrackingHost->setMinimumWidth(260);
  lblTrackingHost = Named(new QLabel(tr("&Tracking server:")), "lblTrackingHost");
  lblTrackingHost->setBuddy(edtTrackingHost);
  lblTrackingHostNote = Named(new QLabel, "lblTrackingHostNote");
  lblTrackingHostNote->setWordWrap(true);
  auto* form = new QFormLayout;
  form->addRow(lblTrackingHost, edtTrackingHost);
  buttons = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel), "buttons");
  connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PreferencesDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(lblTrackingHostNote);
  layout->addStretch(1);
  layout->addWidget(buttons);
}

void PreferencesDialog::Load() {
  edtTrackingHost->setText(TrackingHostPreference());
  QString note = tr("Send defaults writes this server, port 80, to the unit. Without one it asks "
                    "for one and sends nothing.");
  const QString fromEnvironment = FromBytes(TrackingHost());
  if (!fromEnvironment.isEmpty())
    note += QLatin1Char(' ') + tr("Left empty, %1 is used, from %2.")
                                   .arg(fromEnvironment, QString::fromLatin1(kTrackingHostVariable));
  lblTrackingHostNote->setText(note);
}

void PreferencesDialog::accept() {
  const QString host = edtTrackingHost->text().trimmed();
  if (!host.isEmpty()) {
    const QString problem = TrackingHostProblem(host);
    if (!problem.isEmpty()) {
      prompts_.ShowMessage(problem, MessageKind::Warning);
      return;
    }
  }
  SetTrackingHostPreference(host);
  QDialog::accept();
}

}  // namespace wr
