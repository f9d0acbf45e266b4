// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// umockdev's preload library has to be in the process from its start, so the
// program starts itself again through umockdev-wrapper when it is not. Where
// that is impossible the tests run without it and skip, saying why.
#include <QCoreApplication>

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

bool PreloadLoaded() {
  const char* preload = std::getenv("LD_PRELOAD");
  return preload && std::strstr(preload, "libumockdev-preload");
}

bool OnlyListing(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--gtest_list_tests") == 0) return true;
  return false;
}

void RestartUnderWrapper(int argc, char** argv) {
  char self[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return;
  self[n] = '\0';
  // Marks the second start, so a wrapper that does not load the library
  // cannot send the program round in circles.
  ::setenv("WR_USBSTACK_RESTARTED", "1", 1);
#if defined(__SANITIZE_ADDRESS__)
  // The preload library now comes before the sanitizer's runtime.
  std::string options = std::getenv("ASAN_OPTIONS") ? std::getenv("ASAN_OPTIONS") : "";
  options += ":verify_asan_link_order=0";
  ::setenv("ASAN_OPTIONS", options.c_str(), 1);
#endif
  std::vector<char*> args;
  args.push_back(const_cast<char*>("umockdev-wrapper"));
  args.push_back(self);
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  // Not installed: carry on here and let the tests skip.
}

}  // namespace

int main(int argc, char** argv) {
  if (!PreloadLoaded() && !std::getenv("WR_USBSTACK_RESTARTED") && !OnlyListing(argc, argv))
    RestartUnderWrapper(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  // The worker's drain step needs an event loop on the test's thread.
  QCoreApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
