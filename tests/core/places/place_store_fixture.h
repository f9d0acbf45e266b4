// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A fresh folder for each place store test, with coords.txt's path in it and
// raw access to the file's bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/test_support.h"
#include "places/place_store.h"

namespace wr::test {

class PlaceStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = MakeTempFolder("places");
    ASSERT_FALSE(dir_.empty());
    file_ = dir_ / "coords.txt";
  }
  void TearDown() override {
    namespace fs = std::filesystem;
    std::error_code ignored;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(dir_, ignored);
  }

  void WriteRaw(const std::string& bytes) {
    std::ofstream out(file_, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string ReadRaw() const {
    std::ifstream in(file_, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  std::vector<std::string> Loaded() {
    PlaceStore store(file_);
    EXPECT_TRUE(store.LoadPlaceNames());
    return store.PlaceList();
  }

  std::filesystem::path dir_;
  std::filesystem::path file_;
};

}  // namespace wr::test
