// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Waiting on the UI thread while timers, input and the workers' drain steps
// keep running.

namespace wr {

// Returns after at least ms milliseconds, having run timers, input and the
// drain steps meanwhile. Delay(0) returns at once, and so does any Delay once
// the application has been told to quit.
void Delay(int ms);

// Runs an event loop for ms milliseconds. False when the loop would not run
// at all: once the application has been told to quit, every new loop returns
// at once until the outermost one has ended, so a wait that goes round again
// would spin without ever seeing a timer or a drain step.
bool RunLoopFor(int ms);

}  // namespace wr
