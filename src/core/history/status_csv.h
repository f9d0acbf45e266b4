// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The status history written as a file for spreadsheets and scripts.
#include <cstdint>
#include <filesystem>
#include <string>

#include "history/status_history.h"
#include "protocol/message.h"

namespace wr {

// RFC 4180 CSV in UTF-8 with CRLF line ends and a heading row, oldest row
// first. The first five columns are the time (ISO 8601, UTC, to the second)
// and the four values: for a reading its values, for a summarised minute the
// means. Then the number of readings the row stands for, and each value's
// minimum and maximum over them (the value itself for a single reading). A
// value no reading carried is an empty field.
std::string StatusHistoryCsv(const StatusHistory& history);

// Writes StatusHistoryCsv to file by way of a temporary file, so a failed
// write leaves what was there. False with error set for the user.
bool WriteStatusHistoryCsv(const StatusHistory& history, const std::filesystem::path& file,
                           Message& error);
bool WriteStatusHistoryCsv(const StatusHistory& history, const std::filesystem::path& file,
                           std::string& error);

// "2024-06-11T14:32:05Z" for milliseconds since 1970-01-01 UTC; the
// milliseconds are cut off, also before 1970.
std::string IsoUtcSeconds(int64_t timeMs);

}  // namespace wr
