// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "upgrade/upgrade_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "protocol/reply_fields.h"

namespace wr {
namespace {

UpgradeFileResult Refuse(UpgradeFileResult r, Message problem) {
  r.ok = false;
  r.message = problem.English();
  r.problem = std::move(problem);
  r.blocks.clear();
  return r;
}

// upgrade_msg's texts are literals, so their data ends in a zero.
UpgradeFileResult Refuse(UpgradeFileResult r, std::string_view message) {
  return Refuse(std::move(r), Message::Of(message.data()));
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

Message WrongProduct(std::string_view productWord) {
  static_assert(std::size(kUpgradeProductWords) == 2, "the refusal names both product words");
  const Message first = Message::Plain(std::string(kUpgradeProductWords[0]));
  const Message second = Message::Plain(std::string(kUpgradeProductWords[1]));
  // Any file can be picked: what it holds is shown short and printable.
  constexpr size_t kShown = 32;
  std::string word;
  for (const char c : productWord.substr(0, kShown))
    word += (c >= 0x20 && c < 0x7F) ? c : '?';
  if (productWord.size() > kShown) word += "...";
  if (word.empty())
    return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe file names no product; "
                                                     "a unit takes \"%1\" or \"%2\"."),
                       {first, second});
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe file names the product "
                                                   "\"%1\"; a unit takes \"%2\" or \"%3\"."),
                     {Message::Plain(word), first, second});
}

}  // namespace

size_t UpgradeFileResult::BlockImageBytes(size_t k) const {
  const size_t begin = k * kUpgradeBlockSize;
  if (k >= blocks.size() || begin >= imageLength) return 0;
  return std::min(kUpgradeBlockSize, imageLength - begin);
}

int CompareFirmwareVersions(std::string_view a, std::string_view b) {
  auto next = [](std::string_view& v) {
    const size_t dot = v.find('.');
    const std::string_view part = v.substr(0, dot);
    v = dot == std::string_view::npos ? std::string_view() : v.substr(dot + 1);
    return part;
  };
  auto isNumber = [](std::string_view p) {
    return !p.empty() && std::all_of(p.begin(), p.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  while (!a.empty() || !b.empty()) {
    if (a.empty()) return -1;
    if (b.empty()) return 1;
    std::string_view x = next(a), y = next(b);
    if (isNumber(x) && isNumber(y)) {
      // Leading zeros say nothing; then the longer number is the larger.
      while (x.size() > 1 && x.front() == '0') x.remove_prefix(1);
      while (y.size() > 1 && y.front() == '0') y.remove_prefix(1);
      if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    }
    if (const int c = x.compare(y); c != 0) return c < 0 ? -1 : 1;
  }
  return 0;
}

Message UpgradeHeaderRefusal(std::string_view productWord, std::string_view version,
                             std::string_view unitVersion) {
  if (!IsProductWord(productWord)) return WrongProduct(productWord);
  if (version.empty()) return Message::Of(upgrade_msg::kNoVersion.data());
  if (unitVersion.empty()) return Message::Of(upgrade_msg::kUnitVersionUnknown.data());
  if (version.front() != unitVersion.front())
    return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "Invalid upgrade file!\nThe file holds version %1 and "
                                                     "the unit runs version %2: their first characters "
                                                     "differ, so the unit cannot take it."),
                       {Message::Plain(std::string(version)), Message::Plain(std::string(unitVersion))});
  return Message();
}

std::string CheckUpgradeHeader(std::string_view productWord, std::string_view version,
                               std::string_view unitVersion) {
  return UpgradeHeaderRefusal(productWord, version, unitVersion).English();
}

UpgradeFileResult ReadUpgradeFile(const std::filesystem::path& file, std::string_view unitVersion) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return Refuse(UpgradeFileResult(), upgrade_msg::kFileMissing);
  // A directory opens on some systems and a FIFO would block the window, so
  // only regular files (or links to them) are read.
  if (!std::filesystem::is_regular_file(file, ec))
    return Refuse(UpgradeFileResult(), upgrade_msg::kOpenFailed);

  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return Refuse(UpgradeFileResult(), upgrade_msg::kOpenFailed);

  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 0 || !in) return Refuse(UpgradeFileResult(), upgrade_msg::kSizeFailed);
  // Checked before reading, so an oversized file is never held in memory.
  if (static_cast<uintmax_t>(size) > kUpgradeFileMaxSize)
    return Refuse(UpgradeFileResult(), upgrade_msg::kTooLarge);
  if (static_cast<size_t>(size) < kUpgradeHeaderSize)
    return Refuse(UpgradeFileResult(), upgrade_msg::kTooShort);

  std::string content(static_cast<size_t>(size), '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  // A file that shrank since its size was taken is a read error, whichever
  // part went missing; the content checks below never see a short read.
  if (static_cast<size_t>(in.gcount()) != content.size())
    return Refuse(UpgradeFileResult(), upgrade_msg::kReadFailed);
  return ReadUpgradeContent(content, unitVersion);
}

UpgradeFileResult ReadUpgradeContent(std::string_view content, std::string_view unitVersion) {
  UpgradeFileResult r;
  if (content.size() > kUpgradeFileMaxSize) return Refuse(std::move(r), upgrade_msg::kTooLarge);
  if (content.size() < kUpgradeHeaderSize) return Refuse(std::move(r), upgrade_msg::kTooShort);

  const std::string_view header = content.substr(0, kUpgradeHeaderSize);
  // The header text never reaches past its block, terminator or not.
  const size_t end = header.find('\0');
  const bool terminated = end != std::string_view::npos;
  r.headerText.assign(header.substr(0, terminated ? end : header.size()));
  r.productWord = ReplyFieldText(r.headerText, 0);
  r.version = ReplyFieldText(r.headerText, 1);
  r.imageLength = content.size() - kUpgradeHeaderSize;

  if (!IsProductWord(r.productWord)) {
    Message refusal = WrongProduct(r.productWord);
    return Refuse(std::move(r), std::move(refusal));
  }
  // Without a zero byte the fields are still usable when the version ends
  // before the block does; a version cut off by the block's end is not shown
  // to the user as if it were whole.
  if (!terminated && !VersionFieldEnds(r.headerText))
    return Refuse(std::move(r), upgrade_msg::kHeaderUnterminated);
  Message refusal = UpgradeHeaderRefusal(r.productWord, r.version, unitVersion);
  if (!refusal.Empty()) return Refuse(std::move(r), std::move(refusal));
  // Nothing to send would still end in an install command for block -1.
  if (r.imageLength == 0) return Refuse(std::move(r), upgrade_msg::kEmptyImage);

  const std::string_view image = content.substr(kUpgradeHeaderSize);
  const size_t count = (r.imageLength + kUpgradeBlockSize - 1) / kUpgradeBlockSize;
  r.blocks.assign(count, UpgradeBlock{});
  for (size_t k = 0; k < count; ++k) {
    const std::string_view part = image.substr(k * kUpgradeBlockSize, kUpgradeBlockSize);
    std::copy(part.begin(), part.end(), r.blocks[k].begin());
  }
  r.ok = true;
  return r;
}

}  // namespace wr
