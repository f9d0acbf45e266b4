// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// wayrunner-cli: the unit from the command line. QtCore only.
#include <QCoreApplication>

#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/console.h"
#include "session/translations.h"
#include "version.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("wayrunner-cli"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(wr::kVersion));
  // The language of the environment (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
  wr::InstallTranslations();
  // The arguments as given, as bytes: file names and settings values pass
  // through unchanged.
  std::vector<std::string> args(argv + 1, argv + argc);
  wr::cli::StdConsole console;
  wr::cli::CliEnvironment environment;
  environment.console = &console;
  return wr::cli::RunCli(args, environment);
}
