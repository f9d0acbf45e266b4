// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "files/output_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "core/support/external_tools.h"

namespace wr {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::ScratchDir;

#ifndef _WIN32
// Sets the process's umask for one scope.
class ScopedUmask {
 public:
  explicit ScopedUmask(mode_t mask) : old_(::umask(mask)) {}
  ~ScopedUmask() { ::umask(old_); }

 private:
  mode_t old_;
};

fs::perms Rights(const fs::path& file) { return fs::status(file).permissions() & fs::perms::all; }
#endif

size_t EntryCount(const fs::path& dir) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(dir), {}));
}

#ifndef _WIN32  // rights as POSIX gives them
TEST(OutputFile, ReplacesWholeWithTheRequestedRights) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  ScopedUmask mask(022);
  std::string error;
  ASSERT_TRUE(WriteFileReplacing(dir / "a.txt", "first", FileAccess::kOrdinary, error)) << error;
  EXPECT_EQ(ReadText(dir / "a.txt"), "first");
  EXPECT_EQ(Rights(dir / "a.txt"), fs::perms(0644));

  // Owner-only replaces a readable file with one nobody else can read.
  ASSERT_TRUE(WriteFileReplacing(dir / "a.txt", "secret", FileAccess::kOwnerOnly, error)) << error;
  EXPECT_EQ(ReadText(dir / "a.txt"), "secret");
  EXPECT_EQ(Rights(dir / "a.txt"), fs::perms(0600));
  EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(OutputFile, TheTemporaryFileIsOwnerOnlyFromTheStartAndGoesAwayUnlessCommitted) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  ScopedUmask mask(0);
  std::string error;
  fs::path temp;
  {
    FileReplacement replacement(dir / "p.ini", FileAccess::kOwnerOnly);
    ASSERT_TRUE(replacement.Create(error)) << error;
    temp = replacement.TempPath();
    EXPECT_EQ(temp.parent_path(), dir.Path());
    EXPECT_EQ(Rights(temp), fs::perms(0600));
    ASSERT_TRUE(replacement.Write("half", error)) << error;
  }
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_FALSE(fs::exists(dir / "p.ini"));
  EXPECT_EQ(EntryCount(dir.Path()), 0u);
}

#endif  // POSIX rights

TEST(OutputFile, FailuresNameTheFileAndLeaveTheOldOneAlone) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  std::string error;
  EXPECT_FALSE(WriteFileReplacing(dir / "no" / "such" / "x", "x", FileAccess::kOrdinary, error));
  EXPECT_NE(error.find(fs::path("no/such/x").make_preferred().string()), std::string::npos) << error;

  FileReplacement unused(dir / "y", FileAccess::kOrdinary);
  EXPECT_FALSE(unused.Commit(error));

  fs::create_directory(dir / "folder");
  testing::WriteText(dir / "folder" / "keep", "kept");
  EXPECT_FALSE(WriteFileReplacing(dir / "folder", "x", FileAccess::kOrdinary, error));
  EXPECT_EQ(ReadText(dir / "folder" / "keep"), "kept");
  EXPECT_EQ(EntryCount(dir.Path()), 1u);
}

TEST(OutputFile, ReadingIsLimitedInSize) {
  ScratchDir dir;
  ASSERT_TRUE(dir.Ok());
  testing::WriteText(dir / "f", std::string(100, 'x'));
  std::string content, error;
  EXPECT_TRUE(ReadFileLimited(dir / "f", 100, content, error));
  EXPECT_EQ(content.size(), 100u);
  EXPECT_FALSE(ReadFileLimited(dir / "f", 99, content, error));
  EXPECT_TRUE(content.empty());
  EXPECT_NE(error.find("larger than 99 bytes"), std::string::npos) << error;
  EXPECT_FALSE(ReadFileLimited(dir / "missing", 100, content, error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  EXPECT_FALSE(ReadFileLimited(dir.Path(), 100, content, error));
}

}  // namespace
}  // namespace wr
