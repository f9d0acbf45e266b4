// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/cli_context.h"

#include "cli/cli_text.h"

#include <QJsonDocument>

#include <cstdio>

#include "session/unit_text.h"

namespace wr::cli {
namespace {

QJsonObject Versioned(QJsonObject object) {
  object["schema"] = kJsonSchemaVersion;
  return object;
}

std::string JsonText(const QJsonObject& object, bool compact) {
  return QJsonDocument(object)
             .toJson(compact ? QJsonDocument::Compact : QJsonDocument::Indented)
             .toStdString() +
         (compact ? "\n" : "");
}

}  // namespace

QJsonObject JsonError(int code, std::string_view message) {
  QJsonObject error;
  error["error"] = FromBytes(std::string(message));
  error["exit_code"] = code;
  return Versioned(error);
}

int CliContext::Fail(int code, std::string_view message) { return Failed(code, message, nullptr); }

int CliContext::FailKey(int code, std::string_view key, std::string_view message) {
  const std::string name(key);
  return Failed(code, message, name.empty() ? nullptr : &name);
}

int CliContext::Failed(int code, std::string_view message, const std::string* key) {
  std::string line(kProgramName);
  line.append(": ").append(message);
  if (line.empty() || line.back() != '\n') line += '\n';
  console_.Err(line);
  std::lock_guard<std::mutex> lock(json_mutex_);
  // The key is named only when every failure concerns that one key.
  if (failures_.empty())
    failedKey_ = key ? *key : std::string();
  else if (!key || *key != failedKey_)
    failedKey_.clear();
  failures_.emplace_back(message);
  if (!failures_.back().empty() && failures_.back().back() == '\n') failures_.back().pop_back();
  return code;
}

void CliContext::SetUnit(const UsbLocation& location, const std::string& deviceId) {
  std::lock_guard<std::mutex> lock(json_mutex_);
  device_ = LocationText(location);
  deviceId_ = deviceId;
}

void CliContext::PrintJson(QJsonObject document) {
  std::lock_guard<std::mutex> lock(json_mutex_);
  document_ = std::move(document);
}

void CliContext::PrintJsonLine(QJsonObject document) {
  {
    std::lock_guard<std::mutex> lock(json_mutex_);
    streamed_ = true;
  }
  console_.Out(JsonText(Versioned(std::move(document)), true));
}

void CliContext::FinishJson(int code) {
  if (!options_.json) return;
  std::lock_guard<std::mutex> lock(json_mutex_);
  const bool failed = code != kExitDone && !failures_.empty();
  if (!document_ && !failed) return;
  QJsonObject out = document_.value_or(QJsonObject());
  if (failed) {
    std::string message;
    for (const std::string& failure : failures_) message += (message.empty() ? "" : "\n") + failure;
    out["error"] = FromBytes(message);
    out["exit_code"] = code;
    if (!failedKey_.empty()) out["key"] = FromBytes(failedKey_);
    if (!device_.empty()) out["device"] = QString::fromStdString(device_);
    if (!deviceId_.empty()) out["device_id"] = FromBytes(deviceId_);
  }
  console_.Out(JsonText(Versioned(std::move(out)), streamed_));
}

void CliContext::Note(std::string_view message) {
  if (options_.quiet) return;
  std::string line(message);
  if (line.empty() || line.back() != '\n') line += '\n';
  console_.Err(line);
}

std::optional<bool> CliContext::Ask(std::string_view question) {
  if (!console_.InIsTerminal()) return std::nullopt;
  console_.Err(std::string(question) + " " + Tr(QT_TRANSLATE_NOOP("wr::cli", "[y/N]")) + " ");
  const std::optional<std::string> answer = console_.ReadLine();
  if (!answer) {
    console_.Err("\n");
    return std::nullopt;
  }
  if (*answer == "y" || *answer == "Y" || *answer == "yes" || *answer == "Yes" || *answer == "YES")
    return true;
  // The words of the user's language for yes, too.
  const QString given = QString::fromStdString(*answer);
  for (const char* word : {QT_TRANSLATE_NOOP("wr::cli", "y"), QT_TRANSLATE_NOOP("wr::cli", "yes")})
    if (!given.isEmpty() && given.compare(QString::fromStdString(Tr(word)), Qt::CaseInsensitive) == 0)
      return true;
  return false;
}

std::string LocationText(const UsbLocation& location) {
  char text[32];
  std::snprintf(text, sizeof text, "%03d:%03d", location.bus, location.address);
  return text;
}

std::optional<UsbLocation> ParseLocation(std::string_view text) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  auto number = [](std::string_view digits, int& value) {
    if (digits.empty() || digits.size() > 3) return false;
    value = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    return value <= 255;
  };
  UsbLocation at;
  if (!number(text.substr(0, colon), at.bus) || !number(text.substr(colon + 1), at.address))
    return std::nullopt;
  return at;
}

}  // namespace wr::cli
