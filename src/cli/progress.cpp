// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/progress.h"

#include <algorithm>

namespace wr::cli {

namespace {
constexpr int kBarWidth = 30;
}

Progress::Progress(Console& console, bool quiet, std::string label, int64_t total)
    : console_(console),
      quiet_(quiet),
      terminal_(console.ErrIsTerminal()),
      label_(std::move(label)),
      total_(std::max<int64_t>(total, 1)) {
  Draw();
}

Progress::~Progress() { Finish(); }

void Progress::Set(int64_t done) {
  done_ = std::clamp<int64_t>(done, 0, total_);
  Draw();
}

void Progress::Draw() {
  if (quiet_) return;
  const int percent = static_cast<int>(done_ * 100 / total_);
  if (terminal_) {
    if (percent == lastShown_) return;
    lastShown_ = percent;
    const int filled = percent * kBarWidth / 100;
    std::string line = "\r" + label_ + " [" + std::string(static_cast<size_t>(filled), '#') +
                       std::string(static_cast<size_t>(kBarWidth - filled), ' ') + "] " +
                       std::to_string(percent) + "%";
    console_.Err(line);
    open_ = true;
    return;
  }
  const int tenth = percent / 10;
  if (tenth == lastShown_) return;
  lastShown_ = tenth;
  console_.Err(label_ + ": " + std::to_string(percent) + "%\n");
}

void Progress::Redraw() {
  if (!terminal_) return;
  lastShown_ = -1;
  Draw();
}

void Progress::Finish() {
  if (open_) console_.Err("\n");
  open_ = false;
}

}  // namespace wr::cli
