#include "cli/console.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define WR_ISATTY _isatty
#define WR_FILENO _fileno
#else
#include <unistd.h>
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
  if (!std::getline(std::cin, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace wr::cli
