// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Progress of a long job on standard error: a bar redrawn in place on a
// terminal, a plain line at every tenth otherwise (a log or a pipe keeps a
// readable record), nothing when quiet.
#include <cstdint>
#include <string>

#include "cli/console.h"

namespace wr::cli {

class Progress {
 public:
  Progress(Console& console, bool quiet, std::string label, int64_t total);
  ~Progress();
  Progress(const Progress&) = delete;
  Progress& operator=(const Progress&) = delete;

  void Set(int64_t done);
  void Advance(int64_t by) { Set(done_ + by); }
  // Ends the bar's line; further messages start on a line of their own.
  void Finish();
  // Draws the bar again after other output (a terminal only).
  void Redraw();

 private:
  void Draw();

  Console& console_;
  bool quiet_;
  bool terminal_;
  std::string label_;
  int64_t total_;
  int64_t done_ = 0;
  int lastShown_ = -1;  // percent on a terminal, tenths otherwise
  bool open_ = false;   // a bar is on screen without its line end
};

}  // namespace wr::cli
