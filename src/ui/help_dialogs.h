// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The Help menu's windows: how to let a Linux user open the unit, and what
// the program is, with the versions and licences of what it is built on.
#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace wr {

class LinuxHelpDialog : public QDialog {
  Q_OBJECT
 public:
  // Looks for the rule beside this program and in the folders udev reads.
  explicit LinuxHelpDialog(QWidget* parent = nullptr);
  // The same with the places given (for tests).
  LinuxHelpDialog(const QString& programDir, const QStringList& udevRuleDirs,
                  QWidget* parent = nullptr);

  QLabel* lblLinuxSteps = nullptr;
  QPlainTextEdit* edtUdevRule = nullptr;
  QPushButton* btnCopyRule = nullptr;
  // The commands that install the rule; hidden once it is installed.
  QLabel* lblInstallCommands = nullptr;
  QPlainTextEdit* edtInstallCommands = nullptr;
  QPushButton* btnCopyCommands = nullptr;
  QPushButton* btnClose = nullptr;
};

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);

  // The program's version, and those of Qt, libusb and the other libraries.
  static QString VersionsText();

  QLabel* lblAboutTitle = nullptr;
  QLabel* lblVersions = nullptr;
  QPlainTextEdit* edtLicences = nullptr;
  QPushButton* btnClose = nullptr;
};

}  // namespace wr
