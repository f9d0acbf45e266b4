// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The tool's exit codes; scripts and provisioning stations rely on them.

namespace wr::cli {

enum ExitCode : int {
  kExitDone = 0,
  // The unit refused, a read-back differs, or (profile diff) there are differences.
  kExitUnit = 1,
  kExitUsage = 2,
  // No unit found, several and none chosen, or the unit cannot be opened.
  kExitNoUnit = 3,
  // A file cannot be read or written, or is invalid.
  kExitFile = 4,
  kExitInterrupted = 5,
};

}  // namespace wr::cli
