// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/permission_hint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "install_layout.h"
#include "session/unit_text.h"

namespace wr {

QStringList UdevRuleDirs() {
  // /lib is still separate on older systems.
  return {QStringLiteral("/etc/udev/rules.d"), QStringLiteral("/run/udev/rules.d"),
          QStringLiteral("/usr/local/lib/udev/rules.d"), QStringLiteral("/usr/lib/udev/rules.d"),
          QStringLiteral("/lib/udev/rules.d")};
}

UdevRulePlace FindUdevRule(const QString& programDir, const QStringList& udevRuleDirs) {
  const QString rule = QString::fromLatin1(install::kUdevRuleName);
  for (const QString& dir : udevRuleDirs) {
    const QString path = QDir(dir).filePath(rule);
    if (QFileInfo::exists(path)) return {UdevRulePlace::Kind::Installed, path};
  }
  // An install under a prefix udev does not read, and a build, where the
  // rule is generated into packaging/ beside the program.
  const QString beside[] = {
      QDir(programDir).filePath(QStringLiteral("%1/%2").arg(
          QLatin1String(install::kRulesFromProgram), rule)),
      QDir(programDir).filePath(QStringLiteral("packaging/%1").arg(rule))};
  for (const QString& candidate : beside) {
    if (!programDir.isEmpty() && QFileInfo::exists(candidate))
      return {UdevRulePlace::Kind::Beside, QFileInfo(candidate).absoluteFilePath()};
  }
  return {UdevRulePlace::Kind::Missing, QString()};
}

QString PermissionHint(const QString& programDir, const QStringList& udevRuleDirs) {
  return Translated(PermissionHintMessage(programDir, udevRuleDirs, false));
}

Message PermissionHintMessage(const QString& programDir, const QStringList& udevRuleDirs,
                              bool oneLine) {
  const std::string rule = install::kUdevRuleName;
  const Message lead = Message::Of(WR_TRANSLATE_NOOP(
      "wr::Core", "A unit is attached but this user may not open it (permission missing). "));
  const UdevRulePlace place = FindUdevRule(programDir, udevRuleDirs);
  switch (place.kind) {
    case UdevRulePlace::Kind::Installed:
      // Rules act when a device appears, and grant the user at the
      // computer's own screen only.
      return Message::Join(
          {lead, Message::Of(WR_TRANSLATE_NOOP(
                                 "wr::Core",
                                 "The rule %1 is installed: unplug the unit and plug it in again. "
                                 "It grants access to the user logged in at this computer's "
                                 "screen, not to remote logins."),
                             {Message::Plain(place.path.toStdString())})});
    case UdevRulePlace::Kind::Beside:
      // On one line the command follows the colon after a blank.
      return Message::Join(
          {lead, Message::Of(WR_TRANSLATE_NOOP("wr::Core",
                                               "Install the rule that comes with this program "
                                               "and plug the unit in again:%1sudo cp %2 "
                                               "/etc/udev/rules.d/ && sudo udevadm control "
                                               "--reload-rules"),
                             {Message::Plain(oneLine ? " " : "\n"),
                              Message::Plain(place.path.toStdString())})});
    case UdevRulePlace::Kind::Missing:
      break;
  }
  return Message::Join(
      {lead, Message::Of(WR_TRANSLATE_NOOP(
                             "wr::Core",
                             "Install the udev rule %1 that comes with this program into "
                             "/etc/udev/rules.d/ and plug the unit in again (the package "
                             "installs it itself; a build from source has it in the packaging "
                             "folder of its build folder, build/default/packaging/%1)."),
                         {Message::Plain(rule)})});
}

QString DescribeOpenFailure(UsbOpenFailure failure, const std::string& detail) {
  return Translated(DescribeOpenFailureMessage(failure, detail, false));
}

Message DescribeOpenFailureMessage(UsbOpenFailure failure, const std::string& detail,
                                   bool oneLine) {
  Message text;
  switch (failure) {
    case UsbOpenFailure::None:
      return {};
    case UsbOpenFailure::Open:
#ifdef __linux__
      text = PermissionHintMessage(QCoreApplication::applicationDirPath(), UdevRuleDirs(), oneLine);
#else
      (void)oneLine;
      text = Message::Of(
          WR_TRANSLATE_NOOP("wr::Core", "A unit is attached but this user may not open it."));
#endif
      break;
    case UsbOpenFailure::Configuration:
    case UsbOpenFailure::Claim:
      text = Message::Of(WR_TRANSLATE_NOOP(
          "wr::Core",
          "A unit is attached but cannot be used: another program or driver holds it. Close "
          "other programs that use the unit, then unplug it and plug it in again."));
      break;
  }
  if (detail.empty()) return text;
  // The library's own words, as it gives them.
  return Message::Join({text, Message::Plain(" (" + QString::fromLocal8Bit(detail.c_str()).toStdString() + ")")});
}

}  // namespace wr
