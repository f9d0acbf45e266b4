// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Settings, differences and write results as the commands print them.
#include <QJsonArray>
#include <QJsonObject>

#include <string>
#include <vector>

#include "protocol/settings_values.h"
#include "session/write_settings_operation.h"

namespace wr::cli {

// One line per key, from the setting table: the key, what the window calls
// it, and the values it takes; no line end after the last.
std::string SettingKeysHelp();
// "key=value" lines in canonical order.
std::string SettingsText(const SettingsValues& values);
// One member per key; the numeric keys as JSON numbers.
QJsonObject SettingsJson(const SettingsValues& values);
// A key's value as JSON: a number for the numeric keys, else a string; null when absent.
QJsonValue SettingValueJson(SettingKey key, const std::optional<std::string>& value);

// One line per difference: 'apn: unit "internet", profile "fleet"'.
std::string DifferencesText(const std::vector<SettingDifference>& differences,
                            const std::string& leftName, const std::string& rightName);
// [{"key": ..., leftName: ..., rightName: ...}, ...]
QJsonArray DifferencesJson(const std::vector<SettingDifference>& differences,
                           const char* leftName, const char* rightName);

// The result's word in JSON and in the provisioning log (English).
const char* WriteResultName(SettingsWriteReport::Result result);
// The same word for people, in their language.
std::string WriteResultText(SettingsWriteReport::Result result);

class CliContext;
// Prints what a write did (a JSON document, or a line; one line on standard
// error per setting the unit did not take) and returns the exit code.
int ReportWrite(CliContext& context, const SettingsWriteReport& report);

}  // namespace wr::cli
