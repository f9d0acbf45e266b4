// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where a unit's settings are kept before a firmware upgrade: a profile in
// the backups folder of the data folder, named by the unit's device id and
// the time, so that backups of several units and upgrades sit side by side:
//
//   <data folder>/backups/settings-WR0001234567-20260318-074510Z.ini
//
// The command-line tool and the window write their backups there alike.
#include <ctime>
#include <filesystem>
#include <string>
#include <string_view>

#include "protocol/message.h"

namespace wr {

// The device id as a part of a file name: letters, digits, '-' and '_' kept,
// anything else '_'; "unit" for an empty id.
std::string DeviceIdForFileName(std::string_view deviceId);

// "settings-<device id>-<UTC date and time>Z.ini", e.g.
// "settings-WR0001234567-20260318-074510Z.ini".
std::string SettingsBackupName(std::string_view deviceId, std::time_t when);

// The data folder's "backups" folder; empty when there is no data folder.
std::filesystem::path SettingsBackupFolder();

// The backup file for the unit at this time, with its folder created; when
// that name is taken already, "-2", "-3", ... is added before ".ini". Empty
// with error set when there is no data folder or the folder cannot be made.
std::filesystem::path NewSettingsBackupPath(std::string_view deviceId, std::time_t when,
                                            Message& error);
// The same with error in English.
std::filesystem::path NewSettingsBackupPath(std::string_view deviceId, std::time_t when,
                                            std::string& error);

}  // namespace wr
