#include "upgrade/upgrade_file.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "protocol/reply_fields.h"

namespace wr {
namespace {

UpgradeFileResult Refuse(UpgradeFileResult r, std::string_view message) {
  r.ok = false;
  r.message = std::string(message);
  r.blocks.clear();
  return r;
}

// True when the version field ends inside the text (at a comma, CR or LF)
// rather than running into the end of it.
bool VersionFieldEnds(std::string_view header) {
  const int start = ReplyFieldOffset(header, 1);
  if (start == 0) return false;
  return header.find_first_of(",\r\n", static_cast<size_t>(start)) != std::string_view::npos;
}

bool IsProductWord(std::string_view word) {
  return std::find(std::begin(kUpgradeProductWords), std::end(kUpgradeProductWords), word) !=
         std::end(kUpgradeProductWords);
}

}  // namespace

size_t UpgradeFileResult::BlockImageBytes(size_t k) const {
  const size_t begin = k * kUpgradeBlockSize;
  if (k >= blocks.size() || begin >= imageLength) return 0;
  return std::min(kUpgradeBlockSize, imageLength - begin);
}

std::string CheckUpgradeHeader(std::string_view productWord, std::string_view version,
                               std::string_view unitVersion) {
  if (!IsProductWord(productWord)) return std::string(upgrade_msg::kInvalid);
  if (version.empty()) return std::string(upgrade_msg::kNoVersion);
  if (unitVersion.empty()) return std::string(upgrade_msg::kUnitVersionUnknown);
  if (version.front() != unitVersion.front()) return std::string(upgrade_msg::kInvalid);
  return std::string();
}

UpgradeFileResult ReadUpgradeFile(const std::filesystem::path& file, std::string_view unitVersion) {
  UpgradeFileResult r;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return Refuse(std::move(r), upgrade_msg::kFileMissing);
  // A directory opens on some systems and a FIFO would block the window, so
  // only regular files (or links to them) are read.
  if (!std::filesystem::is_regular_file(file, ec))
    return Refuse(std::move(r), upgrade_msg::kOpenFailed);

  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return Refuse(std::move(r), upgrade_msg::kOpenFailed);

  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0 || !in) return Refuse(std::move(r), upgrade_msg::kSizeFailed);
  if (static_cast<uintmax_t>(size) > kUpgradeFileMaxSize)
    return Refuse(std::move(r), upgrade_msg::kTooLarge);
  if (static_cast<size_t>(size) < kUpgradeHeaderSize)
    return Refuse(std::move(r), upgrade_msg::kTooShort);

  char header[kUpgradeHeaderSize] = {};
  if (!in.read(header, sizeof header)) return Refuse(std::move(r), upgrade_msg::kReadFailed);

  // The header text never reaches past its block, terminator or not.
  const char* end = std::find(header, header + sizeof header, '\0');
  const bool terminated = end != header + sizeof header;
  r.headerText.assign(header, static_cast<size_t>(end - header));
  r.productWord = ReplyFieldText(r.headerText, 0);
  r.version = ReplyFieldText(r.headerText, 1);
  r.imageLength = static_cast<size_t>(size) - kUpgradeHeaderSize;

  if (!IsProductWord(r.productWord)) return Refuse(std::move(r), upgrade_msg::kInvalid);
  // Without a zero byte the fields are still usable when the version ends
  // before the block does; a version cut off by the block's end is not shown
  // to the user as if it were whole.
  if (!terminated && !VersionFieldEnds(r.headerText))
    return Refuse(std::move(r), upgrade_msg::kHeaderUnterminated);
  const std::string refusal = CheckUpgradeHeader(r.productWord, r.version, unitVersion);
  if (!refusal.empty()) return Refuse(std::move(r), refusal);
  // Nothing to send would still end in an install command for block -1.
  if (r.imageLength == 0) return Refuse(std::move(r), upgrade_msg::kEmptyImage);

  const size_t count = (r.imageLength + kUpgradeBlockSize - 1) / kUpgradeBlockSize;
  r.blocks.assign(count, UpgradeBlock{});
  for (size_t k = 0; k < count; ++k) {
    const size_t want = r.BlockImageBytes(k);
    in.read(reinterpret_cast<char*>(r.blocks[k].data()), static_cast<std::streamsize>(want));
    if (static_cast<size_t>(in.gcount()) != want)
      return Refuse(std::move(r), upgrade_msg::kReadFailed);
  }
  r.ok = true;
  return r;
}

}  // namespace wr
