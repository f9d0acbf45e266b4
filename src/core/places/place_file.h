// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// File-system pieces of the place-names store: where the file lives, reading
// it whole, replacing it in one step, and the lock that serialises changes
// made by several running copies of the tool.
#include <cstdio>
#include <filesystem>
#include <string>

#include "protocol/message.h"

namespace wr {

// Folder of the place-names file: $WAYRUNNER_DATA_DIR when set; otherwise on
// Windows the common application-data folder + "\Wayrunner", elsewhere the
// user's generic data folder ($XDG_DATA_HOME or ~/.local/share) + "/Wayrunner".
// Empty when none can be found.
std::filesystem::path PlaceDataFolder();

// std::fopen for a path. On Windows it goes through the path's UTF-16 form:
// a narrow path string is UTF-8 there, which the narrow calls would read in
// the ANSI code page, so a folder with letters beyond ASCII would be missed.
std::FILE* OpenFile(const std::filesystem::path& file, const char* mode);

// False when the file cannot be opened or read; content is then empty.
bool ReadWholeFile(const std::filesystem::path& file, std::string& content);

// Writes content to file + ".~", flushes it to disk and puts it in place of
// file in one step, so readers and a crash see either the old or the new
// content, never a partial one. On failure file is untouched and error says why.
// On Windows a program that has the file open blocks the replace; it is
// retried for a moment, since readers hold the file only briefly.
bool ReplaceFileContent(const std::filesystem::path& file, const std::string& content,
                        std::string& error);

// Exclusive lock on a companion lock file, held for the object's lifetime.
// Gives up after a few seconds so a stuck peer cannot freeze the window.
class PlaceFileLock {
 public:
  explicit PlaceFileLock(const std::filesystem::path& lockFile);
  ~PlaceFileLock();
  PlaceFileLock(const PlaceFileLock&) = delete;
  PlaceFileLock& operator=(const PlaceFileLock&) = delete;

  bool Locked() const { return locked_; }
  const std::string& Error() const { return error_; }
  // Error() to be shown in the user's language.
  Message ErrorMessage() const;

 private:
  bool locked_ = false;
  std::string error_;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

}  // namespace wr
