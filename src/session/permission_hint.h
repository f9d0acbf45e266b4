// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QString>
#include <QStringList>

#include <string>

#include "protocol/message.h"
#include "usb/usb_location.h"

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
QString PermissionHint(const QString& programDir, const QStringList& udevRuleDirs);

// What to tell a user about an attached unit that could not be opened, the
// same in the window and on the command line: the permission hint, or the
// words for a unit that another program holds, followed by the library's
// own words in brackets. Empty for None.
QString DescribeOpenFailure(UsbOpenFailure failure, const std::string& detail);
// The same as messages, for a front end that needs the English beside the
// user's language (a log); oneLine puts the hint's command on the same line.
Message PermissionHintMessage(const QString& programDir, const QStringList& udevRuleDirs,
                              bool oneLine);
Message DescribeOpenFailureMessage(UsbOpenFailure failure, const std::string& detail,
                                   bool oneLine);

}  // namespace wr
