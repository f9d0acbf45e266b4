#include "cli/settings_output.h"

#include "cli/cli_context.h"
#include "session/unit_text.h"

namespace wr::cli {
namespace {

bool IsNumberKey(SettingKey key) {
  return key != SettingKey::kUssd && key != SettingKey::kApn && key != SettingKey::kApnUser &&
         key != SettingKey::kApnPassword;
}

}  // namespace

std::string SettingsText(const SettingsValues& values) {
  std::string text;
  for (const auto& [key, value] : values.Entries())
    text += std::string(SettingKeyName(key)) + "=" + value + "\n";
  return text;
}

QJsonValue SettingValueJson(SettingKey key, const std::optional<std::string>& value) {
  if (!value) return QJsonValue::Null;
  // Canonical numbers are plain decimal integers within 32 bits.
  if (IsNumberKey(key)) return QJsonValue(static_cast<qint64>(std::stoll(*value)));
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
    text += std::string(SettingKeyName(d.key)) + ": " + leftName + " " + ShownValue(d.key, d.left) +
            ", " + rightName + " " + ShownValue(d.key, d.right) + "\n";
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

int ReportWrite(CliContext& context, const SettingsWriteReport& report) {
  using Result = SettingsWriteReport::Result;
  if (context.Json()) {
    QJsonObject document;
    document["result"] = QString::fromLatin1(WriteResultName(report.result));
    document["changed"] = DifferencesJson(report.before, "unit", "new");
    QJsonArray problems;
    for (const std::string& line : report.problems) problems.append(FromBytes(line));
    document["problems"] = problems;
    if (!report.message.empty()) document["message"] = FromBytes(report.message);
    context.PrintJson(document);
  }
  switch (report.result) {
    case Result::Unchanged:
      if (!context.Json()) context.Print("The unit already holds these settings; nothing was sent.\n");
      return kExitDone;
    case Result::Written:
      if (!context.Json())
        context.Print("Saved: " + std::to_string(report.before.size()) +
                      (report.before.size() == 1 ? " setting" : " settings") +
                      " changed, and the unit reads every setting back as sent.\n");
      return kExitDone;
    case Result::Differs:
      // Each line begins with the key it concerns ("apn: sent ...").
      for (const std::string& line : report.problems) {
        const std::string key = line.substr(0, line.find(':'));
        context.FailKey(kExitUnit, SettingKeyFromName(key) ? key : std::string(), line);
      }
      return kExitUnit;
    case Result::Interrupted:
      return context.Fail(kExitInterrupted, report.message);
    case Result::Failed:
      break;
  }
  return context.Fail(kExitUnit, report.message);
}

}  // namespace wr::cli
