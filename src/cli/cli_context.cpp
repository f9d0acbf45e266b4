#include "cli/cli_context.h"

#include <cstdio>

namespace wr::cli {

int CliContext::Fail(int code, std::string_view message) {
  std::string line(kProgramName);
  line.append(": ").append(message);
  if (line.empty() || line.back() != '\n') line += '\n';
  console_.Err(line);
  return code;
}

void CliContext::Note(std::string_view message) {
  if (options_.quiet) return;
  std::string line(message);
  if (line.empty() || line.back() != '\n') line += '\n';
  console_.Err(line);
}

void CliContext::PrintJson(const QJsonDocument& document) {
  console_.Out(document.toJson(QJsonDocument::Indented).toStdString());
}

std::optional<bool> CliContext::Ask(std::string_view question) {
  if (!console_.InIsTerminal()) return std::nullopt;
  console_.Err(std::string(question) + " [y/N] ");
  const std::optional<std::string> answer = console_.ReadLine();
  if (!answer) {
    console_.Err("\n");
    return std::nullopt;
  }
  return *answer == "y" || *answer == "Y" || *answer == "yes" || *answer == "Yes" ||
         *answer == "YES";
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
