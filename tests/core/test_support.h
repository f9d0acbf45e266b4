// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Small helpers the core tests share, the same on Linux and Windows.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>

namespace wr::test {

// Sets an environment variable for one scope and puts the old value back.
// A null value removes it. On Windows an empty value removes it as well,
// which is all the runtime allows.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Set(const char* value) {
#ifdef _WIN32
    _putenv_s(name_, value ? value : "");
#else
    if (value)
      setenv(name_, value, 1);
    else
      unsetenv(name_);
#endif
  }

  const char* name_;
  std::optional<std::string> old_;
};

// A new, empty folder in the temporary folder; empty when none could be made.
inline std::filesystem::path MakeTempFolder(const std::string& prefix) {
  namespace fs = std::filesystem;
  std::random_device seed;
  std::mt19937_64 random(seed());
  std::error_code ec;
  const fs::path base = fs::temp_directory_path(ec);
  if (ec) return {};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path folder = base / (prefix + "-" + std::to_string(random()));
    // create_directory is false for a folder that is already there.
    if (fs::create_directory(folder, ec)) return folder;
  }
  return {};
}

}  // namespace wr::test
