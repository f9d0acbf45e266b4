// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "protocol/message.h"

namespace wr {

Message Message::Of(const char* source, std::vector<Message> args) {
  Message m;
  m.source = source;
  m.args = std::move(args);
  return m;
}

Message Message::Plain(std::string text) {
  Message m;
  m.text = std::move(text);
  return m;
}

Message Message::Join(std::vector<Message> parts) {
  Message m;
  m.args = std::move(parts);
  return m;
}

std::string FillArguments(const std::string& pattern, const std::vector<std::string>& args) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
      if (n < args.size()) {
        out += args[n];
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string Message::English() const {
  std::vector<std::string> parts;
  parts.reserve(args.size());
  for (const Message& arg : args) parts.push_back(arg.English());
  if (source) return FillArguments(source, parts);
  std::string out = text;
  for (const std::string& part : parts) out += part;
  return out;
}

}  // namespace wr
