// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/permission_hint.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "install_layout.h"

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

QString PermissionHint(const QString& programDir) {
  return PermissionHint(programDir, UdevRuleDirs());
}

QString PermissionHint(const QString& programDir, const QStringList& udevRuleDirs) {
  const QString rule = QString::fromLatin1(install::kUdevRuleName);
  const QString lead = QCoreApplication::translate("OpenFailure", "A unit is attached but this user may not open it (permission missing). ");
  const UdevRulePlace place = FindUdevRule(programDir, udevRuleDirs);
  switch (place.kind) {
    case UdevRulePlace::Kind::Installed:
      // Rules act when a device appears, and grant the user at the
      // computer's own screen only.
      return lead + QCoreApplication::translate("OpenFailure",
                        "The rule %1 is installed: unplug the unit and plug it in again. It grants "
                        "access to the user logged in at this computer's screen, not to remote "
                        "logins.")
                        .arg(place.path);
    case UdevRulePlace::Kind::Beside:
      return lead + QCoreApplication::translate("OpenFailure",
                        "Install the rule that comes with this program and plug the unit in "
                        "again:\nsudo cp %1 /etc/udev/rules.d/ && sudo udevadm control "
                        "--reload-rules")
                        .arg(place.path);
    case UdevRulePlace::Kind::Missing:
      break;
  }
  return lead + QCoreApplication::translate("OpenFailure",
                    "Install the udev rule %1 that comes with this program into "
                    "/etc/udev/rules.d/ and plug the unit in again (the package installs it "
                    "itself; a build from source has it in the packaging folder of its build "
                    "folder, build/default/packaging/%1).")
                    .arg(rule);
}

QString DescribeOpenFailure(UsbOpenFailure failure, const std::string& detail) {
  return DescribeOpenFailure(failure, detail, QCoreApplication::applicationDirPath(),
                             UdevRuleDirs());
}

QString DescribeOpenFailure(UsbOpenFailure failure, const std::string& detail,
                            const QString& programDir, const QStringList& udevRuleDirs) {
  QString text;
  switch (failure) {
    case UsbOpenFailure::None:
      return QString();
    case UsbOpenFailure::Open:
#ifdef __linux__
      text = PermissionHint(programDir, udevRuleDirs);
#else
      text = QCoreApplication::translate("OpenFailure",
                                         "A unit is attached but this user may not open it.");
#endif
      break;
    case UsbOpenFailure::Configuration:
    case UsbOpenFailure::Claim:
      text = QCoreApplication::translate(
          "OpenFailure",
          "A unit is attached but cannot be used: another program or driver holds it. Close "
          "other programs that use the unit, then unplug it and plug it in again.");
      break;
  }
  if (!detail.empty())
    text += QStringLiteral(" (") + QString::fromLocal8Bit(detail.c_str()) + QStringLiteral(")");
  return text;
}

}  // namespace wr
