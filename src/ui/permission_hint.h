#pragma once
#include <QString>
#include <QStringList>

namespace wr {

// Where the udev rule that lets this user open a unit is.
struct UdevRulePlace {
  enum class Kind {
    Installed,  // in a folder udev reads: path
    Beside,     // shipped beside this program (a build, or an install under another prefix): path
    Missing,    // neither
  };
  Kind kind = Kind::Missing;
  QString path;
};

// The folders udev reads rules from.
QStringList UdevRuleDirs();
UdevRulePlace FindUdevRule(const QString& programDir, const QStringList& udevRuleDirs);

// What to tell a user who may not open an attached unit, pointing at the
// udev rule that grants it: already in a folder udev reads, found beside
// this program (a build, or an install under another prefix), or not found.
QString PermissionHint(const QString& programDir);
// The same, with the folders udev reads given (for tests).
QString PermissionHint(const QString& programDir, const QStringList& udevRuleDirs);

}  // namespace wr
