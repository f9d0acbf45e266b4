// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The waits of the worker that keeps the link to one unit alive. Tests
// shorten them; the tool uses the defaults.
namespace wr {

struct LinkTimings {
  // Milliseconds between open attempts while no unit is attached.
  static constexpr int kSearchSleepMs = 1000;
  // Milliseconds without anything from the unit after which the worker
  // looks for it on the bus.
  static constexpr int kReadTimeoutMs = 2000;
  // Milliseconds between presence checks while the unit keeps sending.
  static constexpr int kPresenceAfterMs = 2000;
  // Milliseconds one bulk read waits for the unit. A line handed to the
  // worker while it reads waits at most this long; one handed over while it
  // waits for the owner's drain step goes out at once.
  static constexpr int kReadSliceMs = 20;

  int searchSleepMs = kSearchSleepMs;
  int readTimeoutMs = kReadTimeoutMs;
  int presenceAfterMs = kPresenceAfterMs;
  // The first look for a unit without the search sleep before it (the
  // command-line tool); the window keeps its search period.
  bool firstLookAtOnce = false;
  int readSliceMs = kReadSliceMs;
};

}  // namespace wr
