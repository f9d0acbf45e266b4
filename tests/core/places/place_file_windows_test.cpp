// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The place file's Windows branches, run for real: the common
// application-data folder, the replace in one step, and the lock between two
// running copies of the tool. scripts/windows_tests.sh runs them under Wine.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <future>
#include <optional>
#include <string>

#include "core/places/place_peer.h"
#include "core/places/place_store_fixture.h"
#include "places/place_file.h"
#include "places/place_store.h"

namespace wr {
namespace {

namespace fs = std::filesystem;
using test::PeerProcess;
using test::PlaceStoreTest;

// An environment variable set for one scope, in UTF-16 so it may hold any letter.
class ScopedWideEnv {
 public:
  ScopedWideEnv(const wchar_t* name, const wchar_t* value) : name_(name) {
    if (const wchar_t* old = _wgetenv(name)) old_ = old;
    _wputenv_s(name, value ? value : L"");
  }
  ~ScopedWideEnv() { _wputenv_s(name_, old_ ? old_->c_str() : L""); }

 private:
  const wchar_t* name_;
  std::optional<std::wstring> old_;
};

bool SamePath(const fs::path& a, const fs::path& b) {
  return _wcsicmp(a.lexically_normal().c_str(), b.lexically_normal().c_str()) == 0;
}

// A manual-reset event with a name unique to this process, for the peer to open.
class NamedEvent {
 public:
  explicit NamedEvent(const std::wstring& role)
      : name_(L"Local\\wr-place-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + role),
        handle_(CreateEventW(nullptr, TRUE, FALSE, name_.c_str())) {}
  ~NamedEvent() {
    if (handle_) CloseHandle(handle_);
  }
  const std::wstring& Name() const { return name_; }
  HANDLE Handle() const { return handle_; }

 private:
  std::wstring name_;
  HANDLE handle_;
};

// Waits until path exists, woken by the folder's change notifications.
bool WaitForFile(const fs::path& path, DWORD timeoutMs) {
  HANDLE change = FindFirstChangeNotificationW(path.parent_path().c_str(), FALSE,
                                               FILE_NOTIFY_CHANGE_FILE_NAME);
  if (change == INVALID_HANDLE_VALUE) return false;
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool found = false;
  for (;;) {
    std::error_code ec;
    if ((found = fs::exists(path, ec))) break;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline ||
        WaitForSingleObject(change, static_cast<DWORD>(deadline - now)) != WAIT_OBJECT_0 ||
        !FindNextChangeNotification(change))
      break;
  }
  FindCloseChangeNotification(change);
  return found;
}

TEST_F(PlaceStoreTest, WindowsStoreLivesInTheCommonApplicationDataFolder) {
  ScopedWideEnv data(L"WAYRUNNER_DATA_DIR", nullptr);
  // The folder every account shares, as the system tells its programs.
  const wchar_t* shared = _wgetenv(L"ProgramData");
  ASSERT_NE(shared, nullptr);
  const fs::path folder = fs::path(shared) / "Wayrunner";
  const fs::path expected = folder / "coords.txt";
  EXPECT_TRUE(SamePath(PlaceStore::DefaultPlaceFilePath(), expected))
      << PlaceStore::DefaultPlaceFilePath();

  // On a machine where the tool is in use the file is left alone; otherwise
  // it is created, used and removed again.
  std::error_code ec;
  const bool hadFolder = fs::exists(folder, ec);
  const bool hadFile = fs::exists(expected, ec);
  const auto sizeBefore = hadFile ? fs::file_size(expected, ec) : 0;
  const fs::path file = PlaceStore::InitPlaceStore();
  ASSERT_TRUE(SamePath(file, expected)) << file;
  ASSERT_TRUE(fs::is_regular_file(file));
  EXPECT_EQ(fs::file_size(file), sizeBefore);
  if (hadFile) return;

  PlaceStore store(file);
  EXPECT_TRUE(store.AddPlaceName("Home", "-26.1071,28.0567")) << store.LastErrorText();
  EXPECT_TRUE(store.RewritePlaceNames("Home", "Base")) << store.LastErrorText();
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.PlaceList(), std::vector<std::string>{"Base,-26.1071,28.0567"});

  EXPECT_TRUE(fs::remove(file, ec)) << ec.message();
  fs::path lock = file;
  lock += ".lock";
  fs::remove(lock, ec);
  if (!hadFolder) {
    EXPECT_TRUE(fs::remove(folder, ec)) << ec.message();
  }
}

TEST_F(PlaceStoreTest, WindowsDataFolderVariableMayHoldAnyLetter) {
  // Letters beyond ASCII, among them the euro sign, which the ANSI code page
  // and Latin-1 place differently.
  const fs::path folder = dir_ / L"Donn\u00e9es \u20ac";
  ScopedWideEnv data(L"WAYRUNNER_DATA_DIR", folder.c_str());
  EXPECT_TRUE(SamePath(PlaceStore::DefaultPlaceFilePath(), folder / "coords.txt"))
      << PlaceStore::DefaultPlaceFilePath();
  const fs::path file = PlaceStore::InitPlaceStore();
  EXPECT_TRUE(fs::is_regular_file(folder / "coords.txt"));
  PlaceStore store(file);
  EXPECT_TRUE(store.AddPlaceName("Home", "1,2")) << store.LastErrorText();
  EXPECT_TRUE(store.LoadPlaceNames());
}

TEST_F(PlaceStoreTest, WindowsChangeGivesUpWhileAReaderKeepsTheFileOpen) {
  // A reader that does not let others replace the file (an editor, another
  // program) and does not let go: the change fails, says why, and leaves
  // the file and its folder as they were.
  const std::string before = "Home,1,2\r\n";
  WriteRaw(before);
  HANDLE reader = CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  PlaceStore store(file_);
  EXPECT_FALSE(store.AddPlaceName("Depot", "3,4"));
  CloseHandle(reader);
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNotSaved);
  // The system's own words, trimmed of their line end and full stop.
  const std::string& text = store.LastErrorText();
  EXPECT_EQ(text.rfind("The place names could not be saved: ", 0), 0u) << text;
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find(".."), std::string::npos) << text;
  EXPECT_GT(text.size(), std::string("The place names could not be saved: .").size());
  EXPECT_EQ(ReadRaw(), before);
  EXPECT_FALSE(fs::exists(dir_ / "coords.txt.~"));
}

TEST_F(PlaceStoreTest, WindowsChangeWaitsForAReaderToLetGo) {
  // A reader that has the file open, as fopen opens it, keeps the system from
  // replacing it; the change waits for it instead of failing.
  WriteRaw("Home,1,2\r\n");
  HANDLE reader = CreateFileW(file_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::future<std::string> added = std::async(std::launch::async, [&] {
    PlaceStore store(file_);
    return store.AddPlaceName("Depot", "3,4") ? std::string() : store.LastErrorText();
  });
  // The new content is written beside the file and is waiting to replace it.
  EXPECT_TRUE(WaitForFile(dir_ / "coords.txt.~", PeerProcess::kSafetyTimeoutMs));
  const bool waiting =
      added.wait_for(std::chrono::milliseconds(300)) == std::future_status::timeout;
  CloseHandle(reader);
  const std::string error = added.get();
  EXPECT_TRUE(waiting) << "the change ended while the file was open";
  EXPECT_EQ(error, "");
  EXPECT_EQ(ReadRaw(), "Home,1,2\r\nDepot,3,4\r\n");
  EXPECT_FALSE(fs::exists(dir_ / "coords.txt.~"));
}

TEST_F(PlaceStoreTest, WindowsSecondCopyWaitsForTheLockAndKeepsTheFirstOnesName) {
  WriteRaw("Seed,0,0\r\n");
  NamedEvent ready(L"ready"), go(L"go");
  ASSERT_TRUE(ready.Handle() && go.Handle());
  PeerProcess first =
      PeerProcess::Run({L"hold", file_.wstring(), L"First", L"1,1", ready.Name(), go.Name()});
  ASSERT_TRUE(first.Started());
  const HANDLE readyOrEnded[] = {ready.Handle(), first.Handle()};
  ASSERT_EQ(WaitForMultipleObjects(2, readyOrEnded, FALSE, PeerProcess::kSafetyTimeoutMs),
            WAIT_OBJECT_0)
      << "the first copy did not get the lock; its exit code: " << first.Wait();

  // The first copy holds the lock: this one's change has to wait for it.
  std::promise<void> starting;
  std::future<bool> added = std::async(std::launch::async, [&] {
    PlaceStore store(file_);
    starting.set_value();
    return store.AddPlaceName("Second", "2,2");
  });
  starting.get_future().wait();
  EXPECT_TRUE(added.wait_for(std::chrono::milliseconds(300)) == std::future_status::timeout)
      << "the change went through while another copy held the lock";

  // The first copy writes its name and lets go; the second gets through on
  // its own and finds that name in the file.
  ASSERT_TRUE(SetEvent(go.Handle()));
  ASSERT_TRUE(added.wait_for(std::chrono::milliseconds(PeerProcess::kSafetyTimeoutMs)) ==
              std::future_status::ready);
  EXPECT_TRUE(added.get());
  EXPECT_EQ(first.Wait(), 0);
  EXPECT_EQ(ReadRaw(), "Seed,0,0\r\nFirst,1,1\r\nSecond,2,2\r\n");
  EXPECT_FALSE(fs::exists(dir_ / "coords.txt.~"));
}

}  // namespace
}  // namespace wr

#endif  // _WIN32
