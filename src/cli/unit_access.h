// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Finding and opening the unit a command works on, and running operations
// in the event loop of the command's own thread.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "usb/usb_location.h"
#include "session/connect_operation.h"
#include "session/operation.h"
#include "session/write_settings_operation.h"
#include "session/unit_session.h"

namespace wr::cli {

class CliContext;

// A session's timings for the command line: the first look for the unit at
// once, and reads that give up after a short while so that the tool ends
// promptly (the worker leaves its loop only between two reads).
// With query, the session asks for the unit's whole state as soon as it is
// connected (as the window does); without, it sends nothing by itself.
UnitSession::Options CliSessionOptions(std::optional<UsbLocation> location, bool query = true);

// Whether the thread running the command has been told to stop (an
// interrupt): it is then asked for interruption, and its event loops end.
bool StopRequested();

// Runs the operation in this thread's event loop until it has finished; an
// interrupt cancels it. False when it was interrupted.
bool RunOperation(Operation& operation);

// Runs one command on the session's queue until it has ended; an interrupt
// cancels it (the result is then Cancelled).
CommandResult RunCommand(UnitSession& session, UnitCommand command);

// Why a unit cannot be used, for the one line on standard error.
struct AccessFailure {
  int exitCode = 0;
  std::string message;
};

// Opens the unit at location and waits, at most timeoutMs, until it is
// connected and (with query) has reported its firmware version and device
// id. The session is returned also on failure, for its state.
std::unique_ptr<UnitSession> ConnectAt(UsbApi& api, UsbLocation location, int timeoutMs,
                                       bool query, AccessFailure& failure,
                                       std::function<bool(const UnitModel&)> enough = {});

// The unit the command line chooses: the one at --device, or the only one
// attached, waiting up to --timeout for one to appear; opened and
// identified. Empty with failure set when there is none to use.
std::unique_ptr<UnitSession> OpenChosenUnit(CliContext& context, AccessFailure& failure,
                                            bool query = true,
                                            std::function<bool(const UnitModel&)> enough = {});

// Waits until every settings group has been read on this connection, asking
// again for those that did not come; false with the missing ones named.
bool ReadAllSettings(UnitSession& session, std::string& missing);

// Runs a WriteSettingsOperation of wanted to its end.
SettingsWriteReport WriteSettings(UnitSession& session, const SettingsValues& wanted);

}  // namespace wr::cli
