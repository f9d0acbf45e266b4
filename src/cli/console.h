// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Where the tool's output goes: data on standard output, messages and
// progress on standard error, answers to questions from standard input.
// Tests give a console that keeps everything in memory.
#include <optional>
#include <string>
#include <string_view>

namespace wr::cli {

class Console {
 public:
  virtual ~Console() = default;
  virtual void Out(std::string_view text) = 0;
  virtual void Err(std::string_view text) = 0;
  // Whether standard error is a terminal (progress bars) and whether
  // standard input is one (questions can be asked).
  virtual bool ErrIsTerminal() const = 0;
  virtual bool InIsTerminal() const = 0;
  // One line typed by the user, without its line end; nothing at the end of input.
  virtual std::optional<std::string> ReadLine() = 0;
};

// The process's own streams.
class StdConsole final : public Console {
 public:
  void Out(std::string_view text) override;
  void Err(std::string_view text) override;
  bool ErrIsTerminal() const override;
  bool InIsTerminal() const override;
  std::optional<std::string> ReadLine() override;
};

}  // namespace wr::cli
