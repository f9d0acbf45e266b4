// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "profile/settings_profile.h"

#include <array>

#include "files/output_file.h"
#include "version.h"

namespace wr {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kSection = "settings";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A name from the file for a message: printable ASCII only, cut short.
std::string ShownName(std::string_view name) {
  std::string out;
  for (size_t i = 0; i < name.size() && i < 40; ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    out += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
  }
  if (name.size() > 40) out += "...";
  return out;
}

// Header texts come from the unit; anything that could end the comment
// line (or is no printable character) becomes '?'.
std::string HeaderText(const std::string& text) {
  if (text.empty()) return "unknown";
  std::string out = text;
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b >= 0x7F) c = '?';
  }
  return out;
}

// Quotes a value whose edges the reader would otherwise trim or unquote.
std::string WrittenValue(const std::string& value) {
  const bool blankEdge = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
  return blankEdge || quoted ? "\"" + value + "\"" : value;
}

std::string UtcText(std::time_t t) {
  std::tm parts{};
#ifdef _WIN32
  const bool ok = gmtime_s(&parts, &t) == 0;
#else
  const bool ok = gmtime_r(&t, &parts) != nullptr;
#endif
  if (!ok) return "an unknown date";
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
  return text;
}

ProfileRead Refused(Message problem, std::string key = {}) {
  ProfileRead read;
  read.error = problem.English();
  read.problem = std::move(problem);
  read.key = std::move(key);
  return read;
}

// What follows '=' on a key line, when it holds a blank followed by ';' or
// '#': many INI readers take that for the start of a comment after the
// value, so a profile holding it would mean one thing here and another
// there. Empty when there is none.
std::string CommentLead(std::string_view afterEquals) {
  for (size_t i = 1; i < afterEquals.size(); ++i)
    if ((afterEquals[i] == ';' || afterEquals[i] == '#') && IsBlank(afterEquals[i - 1]))
      return std::string(" ") + afterEquals[i];
  return {};
}

Message Plain(std::string text) { return Message::Plain(std::move(text)); }
Message Number(size_t n) { return Message::Plain(std::to_string(n)); }

// A refusal of the line numbered line; pattern's %1 is that number.
Message AtLine(size_t line, const char* pattern, std::vector<Message> args = {}) {
  args.insert(args.begin(), Number(line));
  return Message::Of(pattern, std::move(args));
}

}  // namespace

ProfileRead ParseProfile(std::string_view content) {
  if (content.substr(0, kBom.size()) == kBom) content.remove_prefix(kBom.size());

  ProfileRead read;
  std::array<size_t, kSettingKeyCount> seenOnLine{};  // 0: not yet
  bool haveSection = false;
  size_t lineNumber = 0;
  while (!content.empty()) {
    ++lineNumber;
    const size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    line = Trimmed(line);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;

    if (line.front() == '[') {
      if (line.back() != ']')
        return Refused(AtLine(lineNumber, WR_TRANSLATE_NOOP("wr::Core", "Line %1: a section heading must end with ']'.")));
      const std::string_view name = Trimmed(line.substr(1, line.size() - 2));
      if (!SameIgnoringCase(name, kSection))
        return Refused(AtLine(lineNumber,
                              WR_TRANSLATE_NOOP("wr::Core", "Line %1: [%2] is not a section of a settings "
                                                            "profile; only [settings] is."),
                              {Plain(ShownName(name))}));
      haveSection = true;
      continue;
    }

    const size_t equals = line.find('=');
    if (equals == std::string_view::npos)
      return Refused(AtLine(lineNumber, WR_TRANSLATE_NOOP("wr::Core", "Line %1: expected \"key = value\" "
                                                                       "or a section heading.")));
    const std::string_view name = Trimmed(line.substr(0, equals));
    const auto key = SettingKeyFromName(name);
    if (!key)
      return Refused(AtLine(lineNumber,
                            WR_TRANSLATE_NOOP("wr::Core", "Line %1: \"%2\" is not a setting; the "
                                                          "settings are %3."),
                            {Plain(ShownName(name)), Plain(SettingKeyNames())}),
                     ShownName(name));
    const std::string keyName(SettingKeyName(*key));
    if (!haveSection)
      return Refused(AtLine(lineNumber,
                            WR_TRANSLATE_NOOP("wr::Core", "Line %1: \"%2\" comes before the [settings] "
                                                          "section."),
                            {Plain(keyName)}),
                     keyName);
    size_t& seen = seenOnLine[static_cast<size_t>(*key)];
    if (seen != 0)
      return Refused(AtLine(lineNumber,
                            WR_TRANSLATE_NOOP("wr::Core", "Line %1: \"%2\" is given a second time "
                                                          "(first on line %3)."),
                            {Plain(keyName), Number(seen)}),
                     keyName);
    seen = lineNumber;

    if (const std::string lead = CommentLead(line.substr(equals)); !lead.empty())
      return Refused(AtLine(lineNumber,
                            WR_TRANSLATE_NOOP("wr::Core", "Line %1: the value of \"%2\" holds \"%3\", "
                                                          "which other readers take for the start of a "
                                                          "comment; a comment goes on a line of its own."),
                            {Plain(keyName), Plain(lead)}),
                     keyName);
    std::string_view value = Trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    const Message refusal = read.values.Set(*key, value);
    if (!refusal.Empty())
      return Refused(AtLine(lineNumber, WR_TRANSLATE_NOOP("wr::Core", "Line %1: \"%2\": %3."),
                            {Plain(keyName), refusal}),
                     keyName);
  }
  if (!haveSection)
    return Refused(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The profile has no [settings] section.")));
  return read;
}

ProfileRead ReadProfileFile(const std::filesystem::path& file) {
  std::string content;
  Message error;
  if (!ReadFileLimited(file, kMaxProfileBytes, content, error)) return Refused(error);
  ProfileRead read = ParseProfile(content);
  if (!read.Ok())
    return Refused(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The profile \"%1\" was refused. %2"),
                               {Plain(file.string()), read.problem}),
                   read.key);
  return read;
}

std::string FormatProfile(const SettingsValues& values, const ProfileUnit& unit, std::time_t savedAt) {
  std::string text = "; Wayrunner Track settings profile\n";
  text += "; Written by Wayrunner Track " + std::string(kVersion) + " on " + UtcText(savedAt) + "\n";
  text += "; From the unit with device id " + HeaderText(unit.deviceId) + ", firmware " +
          HeaderText(unit.firmware) + "\n";
  text += "; Settings left out keep the unit's values when the profile is applied.\n";
  text += "\n[settings]\n";
  for (const auto& [key, value] : values.Entries()) {
    text += SettingKeyName(key);
    text += value.empty() ? " =\n" : " = " + WrittenValue(value) + "\n";
  }
  return text;
}

bool WriteProfileFile(const std::filesystem::path& file, const SettingsValues& values,
                      const ProfileUnit& unit, std::string& error) {
  Message message;
  return InEnglish(WriteProfileFile(file, values, unit, message), message, error);
}

bool WriteProfileFile(const std::filesystem::path& file, const SettingsValues& values,
                      const ProfileUnit& unit, Message& error) {
  for (const auto& [key, value] : values.Entries()) {
    if (const std::string lead = CommentLead("= " + WrittenValue(value)); !lead.empty()) {
      error = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The value of \"%1\" holds \"%2\", which a "
                                                        "profile cannot hold: it reads as the start of "
                                                        "a comment. \"%3\" was not written."),
                          {Plain(std::string(SettingKeyName(key))), Plain(lead), Plain(file.string())});
      return false;
    }
  }
  return WriteFileReplacing(file, FormatProfile(values, unit, std::time(nullptr)),
                            FileAccess::kOwnerOnly, error);
}

}  // namespace wr
