// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/output_file.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace wr {
namespace {

namespace fs = std::filesystem;

Message Failure(const fs::path& file, Message reason) {
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The file \"%1\" could not be written: %2."),
                     {Message::Plain(file.string()), std::move(reason)});
}

Message SystemReason(int code) {
  std::string reason = std::strerror(code);
  if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
  return Message::Plain(reason);
}

#ifdef _WIN32
int ProcessId() { return _getpid(); }
int OpenNew(const fs::path& file, FileAccess) {
  return _open(file.string().c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
               _S_IREAD | _S_IWRITE);
}
int OpenExisting(const fs::path& file) {
  return _open(file.string().c_str(), _O_WRONLY | _O_TRUNC | _O_BINARY);
}
int OpenForSync(const fs::path& file) { return _open(file.string().c_str(), _O_RDWR | _O_BINARY); }
long WriteSome(int fd, const char* data, size_t size) {
  return _write(fd, data, static_cast<unsigned>(size > 0x40000000 ? 0x40000000 : size));
}
int SyncFile(int fd) { return _commit(fd); }
int CloseFile(int fd) { return _close(fd); }
#else
int ProcessId() { return static_cast<int>(::getpid()); }
int OpenNew(const fs::path& file, FileAccess access) {
  return ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                access == FileAccess::kOwnerOnly ? 0600 : 0666);
}
int OpenExisting(const fs::path& file) { return ::open(file.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC); }
int OpenForSync(const fs::path& file) { return ::open(file.c_str(), O_RDONLY | O_CLOEXEC); }
long WriteSome(int fd, const char* data, size_t size) { return static_cast<long>(::write(fd, data, size)); }
int SyncFile(int fd) { return ::fsync(fd); }
int CloseFile(int fd) { return ::close(fd); }
#endif

std::atomic<unsigned> temporaryCounter{0};

}  // namespace

FileReplacement::FileReplacement(fs::path destination, FileAccess access)
    : destination_(std::move(destination)), access_(access) {}

FileReplacement::~FileReplacement() {
  if (!committed_) Discard();
}

void FileReplacement::Discard() {
  if (temp_.empty()) return;
  std::error_code ignored;
  fs::remove(temp_, ignored);
  temp_.clear();
}

bool FileReplacement::Create(Message& error) {
  Discard();
  committed_ = false;
  // Beside the destination, so the final rename stays within one file system.
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = destination_;
    candidate += ".~" + std::to_string(ProcessId()) + "-" + std::to_string(temporaryCounter++);
    const int fd = OpenNew(candidate, access_);
    if (fd >= 0) {
      CloseFile(fd);
      temp_ = std::move(candidate);
      return true;
    }
    if (errno != EEXIST) {
      error = Failure(destination_, SystemReason(errno));
      return false;
    }
  }
  error = Failure(destination_,
                  Message::Of(WR_TRANSLATE_NOOP("wr::Core", "no free name for its temporary file")));
  return false;
}

bool FileReplacement::Write(std::string_view content, Message& error) {
  if (temp_.empty() && !Create(error)) return false;
  const int fd = OpenExisting(temp_);
  if (fd < 0) {
    error = Failure(destination_, SystemReason(errno));
    return false;
  }
  size_t done = 0;
  while (done < content.size()) {
    const long n = WriteSome(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      // A write of nothing without an error is a full device by another name.
      const int code = n < 0 ? errno : ENOSPC;
      CloseFile(fd);
      error = Failure(destination_, SystemReason(code));
      return false;
    }
    done += static_cast<size_t>(n);
  }
  if (CloseFile(fd) != 0) {
    error = Failure(destination_, SystemReason(errno));
    return false;
  }
  return true;
}

bool FileReplacement::Commit(Message& error) {
  if (temp_.empty()) {
    error = Failure(destination_, Message::Of(WR_TRANSLATE_NOOP("wr::Core", "nothing was written")));
    return false;
  }
  // The content must be on disk before the rename makes it the file;
  // otherwise a crash could leave an empty file under the final name.
  const int fd = OpenForSync(temp_);
  if (fd < 0) {
    error = Failure(destination_, SystemReason(errno));
    return false;
  }
  const bool synced = SyncFile(fd) == 0;
  const int syncError = errno;
  CloseFile(fd);
  if (!synced) {
    error = Failure(destination_, SystemReason(syncError));
    return false;
  }
#ifdef _WIN32
  if (!MoveFileExA(temp_.string().c_str(), destination_.string().c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string reason(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == '.' || reason.back() == ' '))
      reason.pop_back();
    error = Failure(destination_, reason.empty() ? Message::Of(WR_TRANSLATE_NOOP(
                                                        "wr::Core", "it could not be put in place"))
                                                  : Message::Plain(reason));
    return false;
  }
#else
  if (::rename(temp_.c_str(), destination_.c_str()) != 0) {
    error = Failure(destination_, SystemReason(errno));
    return false;
  }
  // Make the rename itself durable; failing that still leaves a whole file.
  const fs::path folder = destination_.has_parent_path() ? destination_.parent_path() : fs::path(".");
  const int dir = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
#endif
  committed_ = true;
  temp_.clear();
  return true;
}

bool InEnglish(bool ok, const Message& message, std::string& error) {
  if (!ok) error = message.English();
  return ok;
}

bool FileReplacement::Create(std::string& error) {
  Message message;
  return InEnglish(Create(message), message, error);
}

bool FileReplacement::Write(std::string_view content, std::string& error) {
  Message message;
  return InEnglish(Write(content, message), message, error);
}

bool FileReplacement::Commit(std::string& error) {
  Message message;
  return InEnglish(Commit(message), message, error);
}

bool WriteFileReplacing(const fs::path& file, std::string_view content, FileAccess access,
                        std::string& error) {
  Message message;
  return InEnglish(WriteFileReplacing(file, content, access, message), message, error);
}

bool ReadFileLimited(const fs::path& file, size_t maxBytes, std::string& content,
                     std::string& error) {
  Message message;
  return InEnglish(ReadFileLimited(file, maxBytes, content, message), message, error);
}

bool WriteFileReplacing(const fs::path& file, std::string_view content, FileAccess access,
                        Message& error) {
  FileReplacement replacement(file, access);
  return replacement.Create(error) && replacement.Write(content, error) &&
         replacement.Commit(error);
}

bool ReadFileLimited(const fs::path& file, size_t maxBytes, std::string& content,
                     Message& error) {
  content.clear();
  const auto fail = [&](Message reason) {
    content.clear();
    error = Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The file \"%1\" could not be read: %2."),
                        {Message::Plain(file.string()), std::move(reason)});
    return false;
  };
  std::FILE* in = std::fopen(file.string().c_str(), "rb");
  if (!in) return fail(SystemReason(errno));
  char buffer[8192];
  size_t got = 0;
  bool tooLarge = false;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    if (content.size() + got > maxBytes) {
      tooLarge = true;
      break;
    }
    content.append(buffer, got);
  }
  const bool failed = std::ferror(in) != 0;
  const int code = errno;
  std::fclose(in);
  if (tooLarge)
    return fail(Message::Of(WR_TRANSLATE_NOOP("wr::Core", "it is larger than %1 bytes"),
                            {Message::Plain(std::to_string(maxBytes))}));
  if (failed) return fail(SystemReason(code));
  return true;
}

}  // namespace wr
