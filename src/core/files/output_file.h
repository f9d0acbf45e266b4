// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Files the tool writes for the user (exports, settings profiles): written
// beside their destination under a temporary name and moved into place only
// once complete, so a failed write never leaves a truncated file behind a
// success, and never damages the file it was meant to replace.
#include <filesystem>
#include <string>
#include <string_view>

#include "protocol/message.h"

namespace wr {

enum class FileAccess {
  kOrdinary,   // the usual rights for a new file (on POSIX 0666 less the umask)
  kOwnerOnly,  // readable and writable by its owner only (0600 on POSIX)
};

// One replacement of a destination file. Create() makes the temporary file
// with its final access rights, so the content is never readable by others
// even for a moment; Write() or an outside writer (given TempPath()) fills
// it; Commit() flushes it to disk and renames it over the destination. A
// replacement destroyed before Commit() succeeded removes its temporary file.
class FileReplacement {
 public:
  FileReplacement(std::filesystem::path destination, FileAccess access);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // Each returns false with error set to a sentence naming the file and the
  // system's reason; the std::string forms give it in English.
  bool Create(Message& error);
  bool Write(std::string_view content, Message& error);
  bool Commit(Message& error);
  bool Create(std::string& error);
  bool Write(std::string_view content, std::string& error);
  bool Commit(std::string& error);

  const std::filesystem::path& TempPath() const { return temp_; }
  const std::filesystem::path& Destination() const { return destination_; }

 private:
  void Discard();

  std::filesystem::path destination_;
  FileAccess access_;
  std::filesystem::path temp_;
  bool committed_ = false;
};

// The whole sequence for content held in memory.
bool WriteFileReplacing(const std::filesystem::path& file, std::string_view content,
                        FileAccess access, Message& error);
bool WriteFileReplacing(const std::filesystem::path& file, std::string_view content,
                        FileAccess access, std::string& error);

// Reads a whole file of at most maxBytes. False with error set (naming the
// file) when it cannot be opened or read, or is larger.
bool ReadFileLimited(const std::filesystem::path& file, size_t maxBytes, std::string& content,
                     Message& error);
bool ReadFileLimited(const std::filesystem::path& file, size_t maxBytes, std::string& content,
                     std::string& error);

// For the std::string forms: ok, with error set to message in English when not.
bool InEnglish(bool ok, const Message& message, std::string& error);

}  // namespace wr
