// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "profile/settings_backup.h"

#include <cctype>
#include <system_error>

#include "places/place_file.h"

namespace wr {

std::string DeviceIdForFileName(std::string_view deviceId) {
  std::string id;
  for (char c : deviceId)
    id += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
  return id.empty() ? std::string("unit") : id;
}

std::string SettingsBackupName(std::string_view deviceId, std::time_t when) {
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &when);
#else
  gmtime_r(&when, &utc);
#endif
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
  return "settings-" + DeviceIdForFileName(deviceId) + "-" + stamp + "Z.ini";
}

std::filesystem::path SettingsBackupFolder() {
  const std::filesystem::path folder = PlaceDataFolder();
  return folder.empty() ? folder : folder / "backups";
}

std::filesystem::path NewSettingsBackupPath(std::string_view deviceId, std::time_t when,
                                            std::string& error) {
  Message message;
  std::filesystem::path path = NewSettingsBackupPath(deviceId, when, message);
  if (path.empty()) error = message.English();
  return path;
}

std::filesystem::path NewSettingsBackupPath(std::string_view deviceId, std::time_t when,
                                            Message& error) {
  const std::filesystem::path backups = SettingsBackupFolder();
  if (backups.empty()) {
    error = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "there is no data folder for the settings backup"));
    return {};
  }
  std::error_code ec;
  std::filesystem::create_directories(backups, ec);
  if (ec) {
    error = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "cannot create the backup folder %1: %2"),
                        {Message::Plain(backups.u8string()), Message::Plain(ec.message())});
    return {};
  }
  // A second backup within the same second gets a number rather than
  // replacing the first, which may be the only copy of what the unit held.
  const std::string name = SettingsBackupName(deviceId, when);
  std::filesystem::path path = backups / name;
  const std::string stem = name.substr(0, name.size() - 4);
  for (int n = 2; std::filesystem::exists(path, ec) && n < 1000; ++n)
    path = backups / (stem + "-" + std::to_string(n) + ".ini");
  return path;
}

}  // namespace wr
