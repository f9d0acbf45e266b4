// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The upgrade-file reader on arbitrary files. Byte 0 picks the unit's
// version (and, for a sixteenth of the inputs, also reads the rest through a
// real file, which must give the same result); the rest is the file. A file
// taken as good must give exactly its image in zero-padded blocks; a refused
// one must say why and offer nothing to send.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "upgrade/upgrade_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckResult(const wr::UpgradeFileResult& r, std::string_view content) {
  if (!r.ok) {
    Check(!r.message.empty());
    Check(r.blocks.empty() && r.LastBlockNumber() == 0 && r.BlockImageBytes(0) == 0);
    return;
  }
  Check(r.message.empty());
  Check(content.size() > wr::kUpgradeHeaderSize);
  Check(r.imageLength == content.size() - wr::kUpgradeHeaderSize);
  Check(r.headerText.size() <= wr::kUpgradeHeaderSize);
  Check(r.headerText.find('\0') == std::string::npos);
  Check(content.substr(0, r.headerText.size()) == r.headerText);
  Check(!r.version.empty());
  const size_t count = (r.imageLength + wr::kUpgradeBlockSize - 1) / wr::kUpgradeBlockSize;
  Check(r.blocks.size() == count && r.LastBlockNumber() == count - 1);
  const std::string_view image = content.substr(wr::kUpgradeHeaderSize);
  size_t total = 0;
  for (size_t k = 0; k < count; ++k) {
    const size_t bytes = r.BlockImageBytes(k);
    Check(bytes >= 1 && bytes <= wr::kUpgradeBlockSize);
    const auto& block = r.blocks[k];
    Check(image.substr(total, bytes) == std::string_view(reinterpret_cast<const char*>(block.data()), bytes));
    for (size_t i = bytes; i < wr::kUpgradeBlockSize; ++i) Check(block[i] == 0);
    total += bytes;
  }
  Check(total == r.imageLength && r.BlockImageBytes(count) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const std::string_view kUnitVersions[] = {"", "1.003", "2.10", "Q"};
  const std::string_view unitVersion = kUnitVersions[data[0] & 3];
  const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);

  const wr::UpgradeFileResult r = wr::ReadUpgradeContent(content, unitVersion);
  CheckResult(r, content);

  if ((data[0] & 0xF0) == 0xF0) {
    namespace fs = std::filesystem;
    static const fs::path file =
        fs::temp_directory_path() / ("wr-fuzz-upgrade-" + std::to_string(getpid()) + ".fw");
    {
      std::ofstream out(file, std::ios::binary | std::ios::trunc);
      out.write(content.data(), static_cast<std::streamsize>(content.size()));
      Check(out.good());
    }
    const wr::UpgradeFileResult fromFile = wr::ReadUpgradeFile(file, unitVersion);
    Check(fromFile.ok == r.ok && fromFile.message == r.message && fromFile.blocks == r.blocks &&
          fromFile.headerText == r.headerText && fromFile.version == r.version);
    std::error_code ignored;
    fs::remove(file, ignored);
  }
  return 0;
}
