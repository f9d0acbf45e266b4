// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/console.h"

#include <QThread>

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define WR_ISATTY _isatty
#define WR_FILENO _fileno
#else
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#define WR_ISATTY isatty
#define WR_FILENO fileno
#endif

namespace wr::cli {

void StdConsole::Out(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  // Whoever reads the other end (a script, a pipe into another tool) sees
  // each piece as it is printed, as with status --watch.
  std::fflush(stdout);
}

void StdConsole::Err(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

bool StdConsole::ErrIsTerminal() const { return WR_ISATTY(WR_FILENO(stderr)) != 0; }

bool StdConsole::InIsTerminal() const { return WR_ISATTY(WR_FILENO(stdin)) != 0; }

std::optional<std::string> StdConsole::ReadLine() {
  std::string line;
#ifdef _WIN32
  if (!std::getline(std::cin, line)) return std::nullopt;
#else
  // Read byte by byte with a look at the thread's stop request between
  // waits: Ctrl+C reaches the process, not necessarily this thread, and
  // must not leave a question waiting for Enter.
  for (;;) {
    if (QThread::currentThread()->isInterruptionRequested()) return std::nullopt;
    pollfd in{0, POLLIN, 0};
    const int ready = ::poll(&in, 1, 100);
    if (ready < 0 && errno != EINTR) return std::nullopt;
    if (ready <= 0) continue;
    char c = 0;
    const ssize_t got = ::read(0, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return line.empty() ? std::nullopt : std::optional<std::string>(line);
    if (c == '\n') break;
    line += c;
  }
#endif
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace wr::cli
