// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ui/help_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

#include <zlib.h>
#ifdef WR_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

#include "install_layout.h"
#include "protocol/commands.h"
#include "ui/app_fonts.h"
#include "ui/app_icon.h"
#include "session/permission_hint.h"
#include "ui/widget_names.h"
#include "usb/udev_rule.h"
#include "version.h"

namespace wr {
namespace {

// Shown whole, in the dialog's size of a fixed-pitch font: as wide as its
// longest line and as tall as its lines.
QPlainTextEdit* CopyableText(const char* name, const QString& text, const QFont& dialogFont) {
  auto* box = Named(new QPlainTextEdit(text), name);
  box->setReadOnly(true);
  QFont font = TerminalFont();
  font.setPointSizeF(dialogFont.pointSizeF());
  box->setFont(font);
  box->setLineWrapMode(QPlainTextEdit::NoWrap);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  const QFontMetrics metrics(font);
  int widest = 0;
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  const int frame = 2 * box->frameWidth() + static_cast<int>(2 * box->document()->documentMargin());
  box->setMinimumWidth(widest + frame + 8);
  box->setFixedHeight(metrics.lineSpacing() * static_cast<int>(lines.size()) + frame + 8);
  return box;
}

QPushButton* CopyButton(const char* name, const QString& caption, QPlainTextEdit* from) {
  auto* button = Named(new QPushButton(caption), name);
  QObject::connect(button, &QPushButton::clicked, button,
                   [from] { QGuiApplication::clipboard()->setText(from->toPlainText()); });
  return button;
}

QString IdsText() {
  QStringList pairs;
  for (const auto& [vendor, product] : usbid::kUnitIds) {
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%04x", static_cast<unsigned>(vendor) & 0xFFFFu,
                  static_cast<unsigned>(product) & 0xFFFFu);
    pairs << QString::fromLatin1(text);
  }
  return pairs.join(LinuxHelpDialog::tr(", else "));
}

}  // namespace

LinuxHelpDialog::LinuxHelpDialog(QWidget* parent)
    : LinuxHelpDialog(QCoreApplication::applicationDirPath(), UdevRuleDirs(), parent) {}

LinuxHelpDialog::LinuxHelpDialog(const QString& programDir, const QStringList& udevRuleDirs,
                                 QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmLinuxHelp"));
  setWindowTitle(tr("Using a unit on Linux"));
  setFont(DialogFont());

  const QString ruleName = QString::fromLatin1(install::kUdevRuleName);
  const QString target = QStringLiteral("/etc/udev/rules.d/") + ruleName;
  const QString reload = QStringLiteral("sudo udevadm control --reload-rules && sudo udevadm trigger");
  const UdevRulePlace place = FindUdevRule(programDir, udevRuleDirs);

  QString steps = tr(
                      "<p>The unit is found by its USB identifiers (%1). An ordinary user needs "
                      "permission to open it, which a udev rule grants to the user logged in at "
                      "this computer's own screen.</p>")
                      .arg(IdsText());
  QString commands;
  switch (place.kind) {
    case UdevRulePlace::Kind::Installed:
      steps += tr(
                   "<ol><li>The rule is installed on this computer: <tt>%1</tt>.</li>"
                   "<li>Unplug the unit and plug it in again: a rule acts when a device "
                   "appears.</li></ol>")
                   .arg(place.path.toHtmlEscaped());
      break;
    case UdevRulePlace::Kind::Beside:
      steps += tr(
                   "<ol><li>Copy the rule that comes with this program, <tt>%1</tt>, into "
                   "<tt>/etc/udev/rules.d/</tt> (as root; the commands are below).</li>"
                   "<li>Have udev read it again.</li>"
                   "<li>Unplug the unit and plug it in again.</li></ol>")
                   .arg(place.path.toHtmlEscaped());
      commands = QStringLiteral("sudo cp %1 /etc/udev/rules.d/\n%2").arg(place.path, reload);
      break;
    case UdevRulePlace::Kind::Missing:
      steps += tr(
                   "<ol><li>Save the rule below as <tt>%1</tt> (as root; the commands below "
                   "do it).</li>"
                   "<li>Have udev read it again.</li>"
                   "<li>Unplug the unit and plug it in again.</li></ol>"
                   "<p>The package installs the rule itself.</p>")
                   .arg(target.toHtmlEscaped());
      commands = QStringLiteral("sudo tee %1 >/dev/null <<'EOF'\n%2EOF\n%3")
                     .arg(target, QString::fromStdString(UdevRuleText()), reload);
      break;
  }
  steps += tr(
      "<p>The rule does not serve remote logins (ssh): such a user needs a rule of their own, "
      "for example one with <tt>GROUP=</tt> set to a group they belong to.</p>");

  lblLinuxSteps = Named(new QLabel(steps), "lblLinuxSteps");
  lblLinuxSteps->setWordWrap(true);
  lblLinuxSteps->setTextFormat(Qt::RichText);
  lblLinuxSteps->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* ruleLabel = new QLabel(tr("The rule (%1):").arg(ruleName));
  edtUdevRule =
      CopyableText("edtUdevRule", QString::fromStdString(UdevRuleText()).trimmed(), font());
  edtUdevRule->setAccessibleName(tr("Device rule"));
  btnCopyRule = CopyButton("btnCopyRule", tr("&Copy rule"), edtUdevRule);
  lblInstallCommands = Named(new QLabel(tr("Commands to install it:")), "lblInstallCommands");
  edtInstallCommands = CopyableText("edtInstallCommands", commands, font());
  edtInstallCommands->setAccessibleName(tr("Commands to install the rule"));
  btnCopyCommands = CopyButton("btnCopyCommands", tr("Copy c&ommands"), edtInstallCommands);
  btnClose = Named(new QPushButton(tr("Close")), "btnClose");
  btnClose->setDefault(true);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblLinuxSteps);
  layout->addWidget(ruleLabel);
  layout->addWidget(edtUdevRule);
  auto* ruleButtons = new QHBoxLayout;
  ruleButtons->addStretch(1);
  ruleButtons->addWidget(btnCopyRule);
  layout->addLayout(ruleButtons);
  layout->addWidget(lblInstallCommands);
  layout->addWidget(edtInstallCommands);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(btnCopyCommands);
  bottom->addWidget(btnClose);
  layout->addLayout(bottom);
  layout->addStretch(1);
  const bool installed = commands.isEmpty();
  for (QWidget* w : {static_cast<QWidget*>(lblInstallCommands),
                     static_cast<QWidget*>(edtInstallCommands),
                     static_cast<QWidget*>(btnCopyCommands)})
    w->setVisible(!installed);
  // The steps wrap to the width the rule and the commands take.
  lblLinuxSteps->setMinimumWidth(400);
  adjustSize();
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(tr("About Wayrunner Track"));
  setFont(DialogFont());

  auto* icon = new QLabel;
  icon->setPixmap(AppIcon().pixmap(64, 64));
  lblAboutTitle = Named(new QLabel(tr("<b>Wayrunner Track %1</b><br>"
                                                  "Configure and watch a vehicle tracking unit "
                                                  "attached by USB.")
                                       .arg(QString::fromLatin1(kVersion))),
                        "lblAboutTitle");
  lblAboutTitle->setWordWrap(true);
  lblVersions = Named(new QLabel(VersionsText()), "lblVersions");
  lblVersions->setTextInteractionFlags(Qt::TextSelectableByMouse);

  QString licences = tr(
      "Wayrunner Track is free software under the GNU General Public License, version 3 or "
      "later (GPL-3.0-or-later), with no warranty.\n\n");
  QFile copyright(QStringLiteral(":/copyright"));
  if (copyright.open(QIODevice::ReadOnly)) licences += QString::fromUtf8(copyright.readAll()).trimmed();
  licences += tr(
      "\n\nBuilt on:\n"
      "  Qt: LGPL 3 or GPL 2 (Qt Charts, which draws the status history: GPL 3 or later)\n"
      "  libusb: LGPL 2 or later\n"
      "  zlib: zlib licence\n"
      "  libxlsxwriter: BSD 2-clause\n");
  edtLicences = Named(new QPlainTextEdit(licences), "edtLicences");
  edtLicences->setReadOnly(true);
  edtLicences->setAccessibleName(tr("Licences"));
  edtLicences->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  btnClose = Named(new QPushButton(tr("Close")), "btnClose");
  btnClose->setDefault(true);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

  auto* head = new QHBoxLayout;
  head->addWidget(icon, 0, Qt::AlignTop);
  auto* text = new QVBoxLayout;
  text->addWidget(lblAboutTitle);
  text->addWidget(lblVersions);
  head->addLayout(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(head);
  layout->addWidget(new QLabel(tr("Licences:")));
  layout->addWidget(edtLicences, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(btnClose);
  layout->addLayout(bottom);
  resize(520, 420);
}

QString AboutDialog::VersionsText() {
  QStringList lines;
  lines << tr("Version %1").arg(QString::fromLatin1(kVersion));
  lines << tr("Qt %1 (built with %2)")
               .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR));
  const QString usb = QString::fromLatin1(kLibUsbVersion);
  lines << QStringLiteral("libusb %1").arg(usb.isEmpty() ? tr("(not built in)") : usb);
  lines << QStringLiteral("zlib %1").arg(QString::fromLatin1(zlibVersion()));
#ifdef WR_HAVE_XLSXWRITER
  lines << QStringLiteral("libxlsxwriter %1").arg(QStringLiteral(LXW_VERSION));
#endif
  return lines.join(QLatin1Char('\n'));
}

}  // namespace wr
