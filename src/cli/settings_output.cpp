// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/settings_output.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>

#include "cli/cli_context.h"
#include "cli/cli_text.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

// The texts below are marked in this context so that lupdate finds them.
QString SettingsTr(const char* text) { return QCoreApplication::translate("wr::cli::Settings", text); }

QString AllowedValues(const SettingDescriptor& d) {
  switch (d.kind) {
    case SettingKind::Text:
      return d.maxLength ? SettingsTr(QT_TRANSLATE_NOOP("wr::cli::Settings", "text of printable ASCII without commas, at most %1 characters"))
                               .arg(d.maxLength)
                         : SettingsTr(QT_TRANSLATE_NOOP("wr::cli::Settings", "text of printable ASCII without commas"));
    case SettingKind::Integer: return SettingsTr(QT_TRANSLATE_NOOP("wr::cli::Settings", "a whole number from %1 to %2")).arg(d.min).arg(d.max);
    case SettingKind::Minutes: return SettingsTr(QT_TRANSLATE_NOOP("wr::cli::Settings", "whole minutes from %1 to %2")).arg(d.min).arg(d.max);
    case SettingKind::Choice:
    case SettingKind::Flag: break;
  }
  QStringList choices;
  for (size_t i = 0; i < d.choices.size(); ++i)
    choices << QStringLiteral("%1 %2").arg(i).arg(Translated(Message::Of(d.choices[i])));
  return choices.join(QStringLiteral(", "));
}

}  // namespace

std::string SettingKeysHelp() {
  size_t width = 0;
  for (const SettingDescriptor& d : SettingTable()) width = std::max(width, d.name.size());
  std::string text;
  for (const SettingDescriptor& d : SettingTable()) {
    QString line = SettingsTr(QT_TRANSLATE_NOOP("wr::cli::Settings", "%1: %2")).arg(Translated(Message::Of(d.title)), AllowedValues(d));
    if (d.secret) line += SettingsTr(QT_TRANSLATE_NOOP("wr::cli::Settings", " (secret: kept in profiles readable by their owner only)"));
    if (!text.empty()) text += "\n";
    text += "  " + std::string(d.name) + std::string(width - d.name.size() + 2, ' ') + ToBytes(line);
  }
  return text;
}

std::string SettingsText(const SettingsValues& values) {
  std::string text;
  for (const auto& [key, value] : values.Entries())
    text += std::string(SettingKeyName(key)) + "=" + value + "\n";
  return text;
}

QJsonValue SettingValueJson(SettingKey key, const std::optional<std::string>& value) {
  if (!value) return QJsonValue::Null;
  // Canonical numbers are plain decimal integers within 32 bits.
  if (IsNumberSetting(key)) return QJsonValue(static_cast<qint64>(std::stoll(*value)));
  return FromBytes(*value);
}

QJsonObject SettingsJson(const SettingsValues& values) {
  QJsonObject object;
  for (const auto& [key, value] : values.Entries())
    object[QString::fromLatin1(SettingKeyName(key).data(),
                               static_cast<int>(SettingKeyName(key).size()))] =
        SettingValueJson(key, value);
  return object;
}

std::string DifferencesText(const std::vector<SettingDifference>& differences,
                            const std::string& leftName, const std::string& rightName) {
  std::string text;
  for (const SettingDifference& d : differences)
    text += std::string(SettingKeyName(d.key)) + ": " + leftName + " " +
            ToBytes(Translated(ShownValue(d.key, d.left))) + ", " + rightName + " " +
            ToBytes(Translated(ShownValue(d.key, d.right))) + "\n";
  return text;
}

QJsonArray DifferencesJson(const std::vector<SettingDifference>& differences,
                           const char* leftName, const char* rightName) {
  QJsonArray list;
  for (const SettingDifference& d : differences) {
    QJsonObject entry;
    entry["key"] = QString::fromLatin1(SettingKeyName(d.key).data(),
                                       static_cast<int>(SettingKeyName(d.key).size()));
    entry[QString::fromLatin1(leftName)] = SettingValueJson(d.key, d.left);
    entry[QString::fromLatin1(rightName)] = SettingValueJson(d.key, d.right);
    list.append(entry);
  }
  return list;
}

const char* WriteResultName(SettingsWriteReport::Result result) {
  switch (result) {
    case SettingsWriteReport::Result::Unchanged: return "unchanged";
    case SettingsWriteReport::Result::Written: return "ok";
    case SettingsWriteReport::Result::Differs: return "differs";
    case SettingsWriteReport::Result::Failed: return "failed";
    case SettingsWriteReport::Result::Interrupted: return "interrupted";
  }
  return "failed";
}

std::string WriteResultText(SettingsWriteReport::Result result) {
  switch (result) {
    case SettingsWriteReport::Result::Unchanged: return Tr(QT_TRANSLATE_NOOP("wr::cli", "unchanged"));
    case SettingsWriteReport::Result::Written: return Tr(QT_TRANSLATE_NOOP("wr::cli", "ok"));
    case SettingsWriteReport::Result::Differs: return Tr(QT_TRANSLATE_NOOP("wr::cli", "differs"));
    case SettingsWriteReport::Result::Failed: break;
    case SettingsWriteReport::Result::Interrupted: return Tr(QT_TRANSLATE_NOOP("wr::cli", "interrupted"));
  }
  return Tr(QT_TRANSLATE_NOOP("wr::cli", "failed"));
}

int ReportWrite(CliContext& context, const SettingsWriteReport& report) {
  using Result = SettingsWriteReport::Result;
  if (context.Json()) {
    QJsonObject document;
    document["result"] = QString::fromLatin1(WriteResultName(report.result));
    document["changed"] = DifferencesJson(report.before, "unit", "new");
    QJsonArray problems;
    for (const Message& line : report.problems) problems.append(Translated(line));
    document["problems"] = problems;
    if (!report.message.Empty()) document["message"] = Translated(report.message);
    context.PrintJson(document);
  }
  switch (report.result) {
    case Result::Unchanged:
      if (!context.Json())
        context.Print(
            cli::Tr(QT_TRANSLATE_NOOP("wr::cli", "The unit already holds these settings; nothing was sent.")) +
            "\n");
      return kExitDone;
    case Result::Written:
      if (!context.Json())
        context.Print(cli::Tr(report.before.size() == 1
                             ? QT_TRANSLATE_NOOP("wr::cli", "Saved: %1 setting changed, and the unit reads "
                                                            "every setting back as sent.")
                             : QT_TRANSLATE_NOOP("wr::cli", "Saved: %1 settings changed, and the unit reads "
                                                            "every setting back as sent."),
                         {std::to_string(report.before.size())}) +
                      "\n");
      return kExitDone;
    case Result::Differs:
      // Each line begins with the key it concerns ("apn: sent ...").
      for (const Message& problem : report.problems) {
        const std::string line = ToBytes(Translated(problem));
        const std::string key = line.substr(0, line.find(':'));
        context.FailKey(kExitUnit, SettingKeyFromName(key) ? key : std::string(), line);
      }
      return kExitUnit;
    case Result::Interrupted:
      return context.Fail(kExitInterrupted, ToBytes(Translated(report.message)));
    case Result::Failed:
      break;
  }
  return context.Fail(kExitUnit, ToBytes(Translated(report.message)));
}

}  // namespace wr::cli
