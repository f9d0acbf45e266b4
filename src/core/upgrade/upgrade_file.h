// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Reader for firmware upgrade files: a 256-byte text header naming the product
// and version, then the image, which goes to the unit in 256-byte blocks.
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/message.h"

namespace wr {

inline constexpr size_t kUpgradeHeaderSize = 256;
inline constexpr size_t kUpgradeBlockSize = 256;
// Real images are a few hundred KiB; anything this large is not an upgrade file
// and is refused before it is read into memory.
inline constexpr uintmax_t kUpgradeFileMaxSize = 16u * 1024u * 1024u;

// The two product words a unit accepts in the header, compared exactly.
inline constexpr std::string_view kUpgradeProductWords[] = {"QuonII", "Wayrunner"};

// Messages the upgrade dialog shows, word for word (in English; each is a
// source text for the translations). A refused file's message starts with
// the line kInvalid; the line after it says why.
namespace upgrade_msg {
inline constexpr std::string_view kFileMissing = WR_TRANSLATE_NOOP("wr::Core", "File doesn't exist!");
inline constexpr std::string_view kOpenFailed = WR_TRANSLATE_NOOP("wr::Core", "Error opening File!");
inline constexpr std::string_view kSizeFailed = WR_TRANSLATE_NOOP("wr::Core", "Error reading File!");
inline constexpr std::string_view kInvalid = "Invalid upgrade file!";
// Capital F above, small f here: both wordings are long established.
inline constexpr std::string_view kReadFailed = WR_TRANSLATE_NOOP("wr::Core", "Error reading file!");
inline constexpr std::string_view kTooLarge =
    WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe file is too large to be an upgrade file.");
inline constexpr std::string_view kTooShort =
    WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe file is shorter than its 256-byte header.");
inline constexpr std::string_view kEmptyImage =
    WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe file holds no firmware image after its header.");
inline constexpr std::string_view kNoVersion =
    WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe header names no version.");
inline constexpr std::string_view kHeaderUnterminated =
    WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe header does not end within its 256 bytes.");
inline constexpr std::string_view kUnitVersionUnknown =
    WR_TRANSLATE_NOOP("wr::Core", "The unit has not reported its firmware version yet. Please wait a moment and try again.");
}  // namespace upgrade_msg

using UpgradeBlock = std::array<uint8_t, kUpgradeBlockSize>;

// Everything the transfer needs from one upgrade file. When ok is false,
// message says why and nothing may be sent to the unit.
struct UpgradeFileResult {
  bool ok = false;
  std::string message;  // in English
  Message problem;      // the same, to be shown in the user's language
  std::string headerText;   // up to the first zero byte, never past the header block
  std::string productWord;  // header field 0, quotes removed
  std::string version;      // header field 1, quotes removed
  size_t imageLength = 0;   // file size - 256; the progress bar's maximum
  // The image in order, each block zero-padded to 256 bytes.
  std::vector<UpgradeBlock> blocks;

  // Image bytes in block k (the rest of the block is padding); 0 past the end.
  size_t BlockImageBytes(size_t k) const;
  // Number sent with the install command: the last block's number.
  size_t LastBlockNumber() const { return blocks.empty() ? 0 : blocks.size() - 1; }
};

// Empty when a file with this header may go to a unit reporting unitVersion,
// otherwise the message that refuses it. Only the first characters of the two
// versions are compared.
std::string CheckUpgradeHeader(std::string_view productWord, std::string_view version,
                               std::string_view unitVersion);
// The same refusal as a message; empty when the header is accepted.
Message UpgradeHeaderRefusal(std::string_view productWord, std::string_view version,
                             std::string_view unitVersion);

// Orders two firmware versions part by part, the parts split at dots: digits
// compare as numbers ("1.003" < "1.100" < "2.0"), anything else as text, and
// a version that runs out of parts first is the older. Negative when a is
// older than b, zero when they are the same, positive when a is newer.
int CompareFirmwareVersions(std::string_view a, std::string_view b);

// Opens the file, checks it against the unit's firmware version and reads the
// whole image. The first failing check decides the message.
UpgradeFileResult ReadUpgradeFile(const std::filesystem::path& file, std::string_view unitVersion);

// The same checks and blocks for a file's content already in memory (from a
// download, an archive, or a test), without touching the file system.
UpgradeFileResult ReadUpgradeContent(std::string_view content, std::string_view unitVersion);

}  // namespace wr
