// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A second running copy of the place store, for the Windows tests of
// tests_core, which starts it from beside itself (core/places/place_peer.h).
//
//   place_store_peer add FILE PREFIX COUNT
//     Adds PREFIX0 .. PREFIX<COUNT-1>, each PREFIXi at "i,2", with AddPlaceName.
//     Exit code: the number of adds that failed.
//   place_store_peer hold FILE NAME COORDINATE READY GO
//     Takes the lock that every store takes on FILE, sets the named event
//     READY, waits for the named event GO, then appends NAME,COORDINATE to FILE
//     while it still holds the lock, and lets go. Exit code 0 when every step
//     worked, otherwise the number of the step that failed.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: the shell header depends on it.
#include <shellapi.h>

#include <cwchar>
#include <filesystem>
#include <string>

#include "places/place_file.h"
#include "places/place_store.h"

namespace {

namespace fs = std::filesystem;

// Far beyond what the test needs before it lets this process go on.
constexpr DWORD kSafetyTimeoutMs = 60000;

std::string Narrow(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  return narrow;
}

int Add(const fs::path& file, const std::string& prefix, int count) {
  wr::PlaceStore store(file);
  int failures = 0;
  for (int i = 0; i < count; ++i)
    failures += !store.AddPlaceName(prefix + std::to_string(i), std::to_string(i) + ",2");
  return failures;
}

int Hold(const fs::path& file, const std::string& name, const std::string& coordinate,
         const wchar_t* readyEvent, const wchar_t* goEvent) {
  fs::path lockFile = file;
  lockFile += ".lock";  // the companion file every copy of the tool locks
  wr::PlaceFileLock lock(lockFile);
  if (!lock.Locked()) return 1;

  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEvent);
  HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, goEvent);
  if (!ready || !go || !SetEvent(ready)) return 2;
  if (WaitForSingleObject(go, kSafetyTimeoutMs) != WAIT_OBJECT_0) return 3;

  std::string content;
  wr::ReadWholeFile(file, content);  // a missing file is an empty one
  if (!content.empty() && content.back() != '\n') content += "\r\n";
  content += name + "," + coordinate + "\r\n";
  std::string error;
  return wr::ReplaceFileContent(file, content, error) ? 0 : 4;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 2) return 100;
  const std::wstring command = argv[1];
  if (command == L"add" && argc == 5)
    return Add(argv[2], Narrow(argv[3]), static_cast<int>(std::wcstol(argv[4], nullptr, 10)));
  if (command == L"hold" && argc == 7)
    return Hold(argv[2], Narrow(argv[3]), Narrow(argv[4]), argv[5], argv[6]);
  return 100;
}
