// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/place_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h first: the shell header depends on it.
#include <io.h>
#include <shlobj.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace wr {
namespace {

namespace fs = std::filesystem;

// Changes take milliseconds; a peer holding the lock longer is stuck.
constexpr auto kLockPatience = std::chrono::seconds(5);
constexpr auto kLockRetry = std::chrono::milliseconds(10);
constexpr const char* kLockInUse = WR_TRANSLATE_NOOP("wr::Core", "in use by another program");

#ifdef _WIN32
// Another program reading the file (another copy of the tool loading it, a
// virus scanner) keeps it from being replaced until it closes it, which
// takes moments; one that keeps it open longer makes the change fail.
constexpr auto kReplacePatience = std::chrono::seconds(2);

std::string SystemErrorText(DWORD code) {
  char text[256] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                 text, sizeof text, nullptr);
  std::string message(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == '.' || message.back() == ' '))
    message.pop_back();
  return message.empty() ? "error " + std::to_string(code) : message;
}

std::string LastSystemError() { return SystemErrorText(GetLastError()); }
#else
std::string LastSystemError() { return std::strerror(errno); }
#endif

bool WriteAndSync(const fs::path& file, const std::string& content, std::string& error) {
  std::FILE* out = OpenFile(file, "wb");
  if (!out) {
    error = std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(content.data(), 1, content.size(), out) == content.size() &&
            std::fflush(out) == 0;
  if (!ok) error = std::strerror(errno);
#ifdef _WIN32
  if (ok && _commit(_fileno(out)) != 0) {
    error = std::strerror(errno);
    ok = false;
  }
#else
  if (ok && fsync(fileno(out)) != 0) {
    error = std::strerror(errno);
    ok = false;
  }
#endif
  if (std::fclose(out) != 0 && ok) {
    error = std::strerror(errno);
    ok = false;
  }
  return ok;
}

}  // namespace

std::FILE* OpenFile(const fs::path& file, const char* mode) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::strlen(mode));  // ASCII letters only
  return _wfopen(file.c_str(), wideMode.c_str());
#else
  return std::fopen(file.c_str(), mode);
#endif
}

fs::path PlaceDataFolder() {
#ifdef _WIN32
  // UTF-16 throughout: the runtime turns narrow text into a path as if it
  // were Latin-1, not the ANSI code page.
  if (const wchar_t* dir = _wgetenv(L"WAYRUNNER_DATA_DIR"); dir && *dir) return fs::path(dir);
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
    return {};
  return fs::path(folder) / "Wayrunner";
#else
  if (const char* dir = std::getenv("WAYRUNNER_DATA_DIR"); dir && *dir) return fs::path(dir);
  // A relative XDG_DATA_HOME is invalid by the base-directory rules and ignored.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
    return fs::path(xdg) / "Wayrunner";
  const char* home = std::getenv("HOME");
  if (!home || !*home) return {};
#ifdef __APPLE__
  return fs::path(home) / "Library" / "Application Support" / "Wayrunner";
#else
  return fs::path(home) / ".local" / "share" / "Wayrunner";
#endif
#endif
}

bool ReadWholeFile(const fs::path& file, std::string& content) {
  content.clear();
  std::FILE* in = OpenFile(file, "rb");
  if (!in) return false;
  char buffer[8192];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) content.append(buffer, got);
  const bool ok = !std::ferror(in);
  std::fclose(in);
  if (!ok) content.clear();
  return ok;
}

bool ReplaceFileContent(const fs::path& file, const std::string& content, std::string& error) {
  fs::path temp = file;
  temp += ".~";
  if (!WriteAndSync(temp, content, error)) {
    std::error_code ignored;
    if (!fs::is_directory(temp, ignored)) fs::remove(temp, ignored);
    return false;
  }
  std::error_code ec;
  // Keep the file's access rights: it may be shared by several accounts.
  const fs::file_status old = fs::status(file, ec);
  if (!ec && fs::exists(old)) fs::permissions(temp, old.permissions(), ec);

#ifdef _WIN32
  const auto deadline = std::chrono::steady_clock::now() + kReplacePatience;
  while (!MoveFileExW(temp.c_str(), file.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD code = GetLastError();
    const bool inUse = code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION;
    if (!inUse || std::chrono::steady_clock::now() > deadline) {
      error = SystemErrorText(code);
      DeleteFileW(temp.c_str());
      return false;
    }
    std::this_thread::sleep_for(kLockRetry);
  }
#else
  fs::rename(temp, file, ec);
  if (ec) {
    error = ec.message();
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  // Make the rename itself durable; failure here leaves a correct file behind.
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int dir = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
#endif
  return true;
}

Message PlaceFileLock::ErrorMessage() const {
  // The system's own reasons are shown as it gives them.
  return error_ == kLockInUse ? Message::Of(kLockInUse) : Message::Plain(error_);
}

PlaceFileLock::PlaceFileLock(const fs::path& lockFile) {
  const auto deadline = std::chrono::steady_clock::now() + kLockPatience;
#ifdef _WIN32
  HANDLE h = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    error_ = LastSystemError();
    return;
  }
  handle_ = h;
  for (;;) {
    OVERLAPPED whole = {};
    if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
      locked_ = true;
      return;
    }
    const DWORD code = GetLastError();
    if (code != ERROR_LOCK_VIOLATION) {
      error_ = LastSystemError();
      return;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      error_ = kLockInUse;
      return;
    }
    std::this_thread::sleep_for(kLockRetry);
  }
#else
  fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    error_ = LastSystemError();
    return;
  }
  // flock locks belong to the open file, so two stores in one process
  // exclude each other as well as two processes do.
  for (;;) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
      locked_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      error_ = LastSystemError();
      return;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      error_ = kLockInUse;
      return;
    }
    std::this_thread::sleep_for(kLockRetry);
  }
#endif
}

PlaceFileLock::~PlaceFileLock() {
#ifdef _WIN32
  if (handle_) {
    if (locked_) {
      OVERLAPPED whole = {};
      UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &whole);
    }
    CloseHandle(static_cast<HANDLE>(handle_));
  }
#else
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
#endif
}

}  // namespace wr
