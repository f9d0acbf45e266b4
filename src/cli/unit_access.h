// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Finding and opening the unit a command works on, and waiting on the
// command's own thread while the unit answers.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "usb/usb_location.h"
#include "session/unit_session.h"

namespace wr::cli {

class CliContext;

// A session's timings for the command line: the first look for the unit at
// once, and reads that give up after a short while so that the tool ends
// promptly (the worker leaves its loop only between two reads).
// With query, the session asks for the unit's whole state as soon as it is
// connected (as the window does); without, it sends nothing by itself.
UnitSession::Options CliSessionOptions(std::optional<UsbLocation> location, bool query = true);

enum class WaitResult { Met, TimedOut, Stopped };

// Whether the thread running the command has been told to stop (an
// interrupt): it is then asked for interruption, and its event loops end.
bool StopRequested();

// Runs the thread's event loop until cond holds (looked at after each of the
// session's drain steps, and every tickMs when given), timeoutMs passes, or
// the thread is told to stop (an interrupt).
WaitResult WaitFor(const std::function<bool()>& cond, int timeoutMs, UnitSession* session = nullptr,
                   int tickMs = 0);

// Why a unit cannot be used, for the one line on standard error.
struct AccessFailure {
  int exitCode = 0;
  std::string message;
};

// The session's text that says why an attached unit could not be opened, on
// one line; empty when nothing failed.
std::string OpenFailureText(const UnitSession& session);

// Opens the unit at location and waits, at most timeoutMs, until it is
// connected and (with query) has reported its firmware version and device
// id. The session is returned also on failure, for its state.
std::unique_ptr<UnitSession> ConnectAt(UsbApi& api, UsbLocation location, int timeoutMs,
                                       bool query, AccessFailure& failure);

// The unit the command line chooses: the one at --device, or the only one
// attached, waiting up to --timeout for one to appear; opened and
// identified. Empty with failure set when there is none to use.
std::unique_ptr<UnitSession> OpenChosenUnit(CliContext& context, AccessFailure& failure,
                                            bool query = true);

// Waits until the unit has answered (OK or ERROR) every command the session
// has sent so far, so that no late answer to one of them can be taken for
// the answer to the next; false when it has not within timeoutMs.
bool WaitForAnswers(UnitSession& session, int timeoutMs);

// Waits until every settings group has been read on this connection, asking
// again for those that did not come; false with the missing ones named.
bool ReadAllSettings(UnitSession& session, std::string& missing);

}  // namespace wr::cli
