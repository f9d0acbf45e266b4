// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tool's translations: compiled from translations/wayrunner_LANG.ts at
// build time into the resource folder kTranslationsFolder, loaded with Qt's
// own texts for the same language (its standard buttons and dialogs).
#include <QString>
#include <QStringList>

class QCoreApplication;

namespace wr {

inline constexpr const char* kTranslationsFolder = ":/i18n";

// The languages the tool has a translation for (their codes, "de", ...),
// besides English, the language of its source texts.
QStringList AvailableLanguages();

// Installs the translations for `language` ("de", ...; "en" for English;
// empty for the desktop's language, as LANGUAGE, LC_ALL, LC_MESSAGES and
// LANG give it) into the application. Returns the language shown ("en" when
// there is no translation for it). Translations installed by an earlier
// call are removed first.
QString InstallTranslations(const QString& language = QString());

// The language chosen in the window (View > Language), kept in the
// settings; empty for the desktop's.
QString ChosenLanguage();
void SetChosenLanguage(const QString& language);

}  // namespace wr
