// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "session/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include <memory>
#include <vector>

namespace wr {
namespace {

constexpr const char* kLanguageKey = "language";

// The translators installed, owned here for as long as they are installed.
std::vector<std::unique_ptr<QTranslator>>& Installed() {
  static std::vector<std::unique_ptr<QTranslator>> installed;
  return installed;
}

void RemoveInstalled() {
  for (const auto& translator : Installed()) QCoreApplication::removeTranslator(translator.get());
  Installed().clear();
}

bool Install(std::unique_ptr<QTranslator> translator) {
  if (!QCoreApplication::installTranslator(translator.get())) return false;
  Installed().push_back(std::move(translator));
  return true;
}

// The window's settings, read also before the application has its names.
std::unique_ptr<QSettings> WindowSettings() {
  return std::make_unique<QSettings>(QStringLiteral("Wayrunner"), QStringLiteral("wayrunner-track"));
}

// The first of the desktop's languages that is English or has a translation;
// "en" when none has.
QString DesktopLanguage() {
  const QStringList available = AvailableLanguages();
  for (QString ui : QLocale::system().uiLanguages()) {
    ui.replace(QLatin1Char('-'), QLatin1Char('_'));
    const QString code = ui.section(QLatin1Char('_'), 0, 0);
    if (code == QLatin1String("en") || code == QLatin1String("C")) return QStringLiteral("en");
    if (available.contains(ui)) return ui;
    if (available.contains(code)) return code;
  }
  return QStringLiteral("en");
}

}  // namespace

QStringList AvailableLanguages() {
  QStringList out;
  const QStringList files = QDir(QString::fromLatin1(kTranslationsFolder))
                                .entryList({QStringLiteral("wayrunner_*.qm")}, QDir::Files, QDir::Name);
  for (const QString& file : files) {
    const QString code = file.mid(10, file.size() - 13);  // wayrunner_ ... .qm
    if (code != QLatin1String("pseudo")) out << code;
  }
  return out;
}

QString InstallTranslations(const QString& language) {
  RemoveInstalled();
  // English, the source texts, needs no file.
  const QString shown = language.isEmpty() ? DesktopLanguage() : language;
  auto own = std::make_unique<QTranslator>();
  if (shown == QLatin1String("en") ||
      !own->load(QStringLiteral("wayrunner_") + shown, QString::fromLatin1(kTranslationsFolder)))
    return QStringLiteral("en");
  Install(std::move(own));
  // Qt's own texts, where the system has them in that language.
  auto qt = std::make_unique<QTranslator>();
  if (qt->load(QLocale(shown), QStringLiteral("qtbase"), QStringLiteral("_"),
               QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    Install(std::move(qt));
  return shown;
}

QString ChosenLanguage() { return WindowSettings()->value(QLatin1String(kLanguageKey)).toString(); }

void SetChosenLanguage(const QString& language) {
  const std::unique_ptr<QSettings> settings = WindowSettings();
  if (language.isEmpty())
    settings->remove(QLatin1String(kLanguageKey));
  else
    settings->setValue(QLatin1String(kLanguageKey), language);
}

}  // namespace wr
