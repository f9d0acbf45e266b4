// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/interrupt.h"

#include <QSocketNotifier>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

namespace wr::cli {
namespace {

// What the handler may touch: a lock-free flag and a file descriptor.
std::atomic<int> gWakeFd{-1};
std::atomic<bool>* gFlag = nullptr;

extern "C" void OnSignal(int signal) {
  // The next one ends the process in the usual way.
  std::signal(signal, SIG_DFL);
  if (gFlag) gFlag->store(true);
  const int fd = gWakeFd.load();
  if (fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
}

}  // namespace

Interrupt::Interrupt(QObject* parent) : QObject(parent) {
  if (::pipe(pipe_) == 0) {
    for (int fd : pipe_) {
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
      ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &Interrupt::Wake);
  }
}

Interrupt::~Interrupt() {
  if (catching_) {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    gWakeFd.store(-1);
    gFlag = nullptr;
  }
  notifier_.reset();
  for (int fd : pipe_)
    if (fd >= 0) ::close(fd);
}

void Interrupt::Request() {
  requested_.store(true);
  if (pipe_[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipe_[1], &byte, 1);
  }
}

void Interrupt::CatchSignals() {
  if (catching_ || pipe_[1] < 0) return;
  catching_ = true;
  gFlag = &requested_;
  gWakeFd.store(pipe_[1]);
  // Without SA_RESTART, a question waiting for an answer on standard input
  // gives up when Ctrl+C is pressed.
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void Interrupt::Wake() {
  char bytes[16];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  if (!requested_.load() || emitted_) return;
  emitted_ = true;
  emit requested();
}

}  // namespace wr::cli
