// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Another process working on the same place-names file, as a second running
// copy of the tool would. On Windows it is the place_store_peer program built
// beside the test program (tests/windows/place_store_peer.cpp); elsewhere a
// fork of the test program.
#include <chrono>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "places/place_store.h"

namespace wr::test {

class PeerProcess {
 public:
  PeerProcess() = default;
  PeerProcess(PeerProcess&& other) noexcept { *this = std::move(other); }
  PeerProcess& operator=(PeerProcess&& other) noexcept {
    std::swap(process_, other.process_);
    return *this;
  }
  ~PeerProcess() { Wait(); }

  // Adds prefix + i at "i,2" for every i below count, one AddPlaceName each.
  // Its exit code is the number of adds that failed.
  static PeerProcess AddNames(const std::filesystem::path& file, const std::string& prefix,
                              int count) {
#ifdef _WIN32
    // The tests' prefixes are plain ASCII.
    return Run({L"add", file.wstring(), std::wstring(prefix.begin(), prefix.end()),
                std::to_wstring(count)});
#else
    PeerProcess peer;
    peer.process_ = fork();
    if (peer.process_ == 0) {
      PlaceStore store(file);
      int failures = 0;
      for (int i = 0; i < count; ++i)
        failures += !store.AddPlaceName(prefix + std::to_string(i), std::to_string(i) + ",2");
      _exit(failures);
    }
    return peer;
#endif
  }

  bool Started() const {
#ifdef _WIN32
    return process_ != nullptr;
#else
    return process_ > 0;
#endif
  }

  // The exit code once the process has ended; -1 when it was not started,
  // ended abnormally or outlived the safety time-out (it is then killed).
  int Wait() {
    if (!Started()) return -1;
#ifdef _WIN32
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process_, kSafetyTimeoutMs) != WAIT_OBJECT_0)
      TerminateProcess(process_, code);
    else
      GetExitCodeProcess(process_, &code);
    CloseHandle(process_);
    process_ = nullptr;
    return static_cast<int>(code);
#else
    int status = 0;
    const pid_t waited = waitpid(process_, &status, 0);
    process_ = -1;
    return waited > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  }

#ifdef _WIN32
  // Bound of every wait on a peer: far beyond what the steps take.
  static constexpr DWORD kSafetyTimeoutMs = 60000;

  // place_store_peer with these arguments (see its source for the commands).
  static PeerProcess Run(const std::vector<std::wstring>& args) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring program =
        (std::filesystem::path(self).parent_path() / L"place_store_peer.exe").wstring();
    std::wstring line = L"\"" + program + L"\"";
    for (const std::wstring& arg : args) line += L" \"" + arg + L"\"";  // none holds a quote
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    PeerProcess peer;
    if (CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info)) {
      CloseHandle(info.hThread);
      peer.process_ = info.hProcess;
    }
    return peer;
  }

  HANDLE Handle() const { return process_; }

#endif

 private:
#ifdef _WIN32
  HANDLE process_ = nullptr;
#else
  pid_t process_ = -1;
#endif
};

}  // namespace wr::test
