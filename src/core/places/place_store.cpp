// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/place_store.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <system_error>
#include <utility>

#include "places/place_file.h"
#include "protocol/reply_fields.h"

namespace wr {
namespace {

namespace fs = std::filesystem;

constexpr char kEndOfFile = '\x1a';
constexpr const char* kLineEnd = "\r\n";

bool Finite(const CoordinatePoint& p) {
  return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7f; }

// The part of the raw file that readers see: a 0x1A byte ends it.
std::string_view Readable(std::string_view raw) { return raw.substr(0, raw.find(kEndOfFile)); }

// One line as readers see it, and the bytes it came from. The spans of all
// lines cover the readable part of the file without gaps, so a rewrite can
// copy every line it leaves alone exactly as it stood.
struct FileLine {
  std::string text;  // carriage returns dropped, without the line feed
  size_t begin = 0;  // first byte in the raw file
  size_t end = 0;    // one past its line feed, or the end of the readable part
};

// Carriage returns are dropped wherever they stand; a last line without a
// line end counts.
std::vector<FileLine> SplitLines(std::string_view raw) {
  const std::string_view readable = Readable(raw);
  std::vector<FileLine> lines;
  FileLine line;
  for (size_t i = 0; i < readable.size(); ++i) {
    const char c = readable[i];
    if (c == '\n') {
      line.end = i + 1;
      lines.push_back(std::move(line));
      line = FileLine();
      line.begin = i + 1;
    } else if (c != '\r') {
      line.text += c;
    }
  }
  if (line.begin < readable.size()) {
    line.end = readable.size();
    lines.push_back(std::move(line));
  }
  return lines;
}

bool Valid(const FileLine& line) { return PlaceStore::CountCommas(line.text) == 2; }

// Valid lines without their line ends, in file order.
std::vector<std::string> ValidLines(std::string_view raw) {
  std::vector<std::string> lines;
  for (FileLine& line : SplitLines(raw))
    if (Valid(line)) lines.push_back(std::move(line.text));
  return lines;
}

std::string NameOf(std::string_view line) { return ReplyFieldText(line, 0); }
std::string CoordinateOf(std::string_view line) {
  return ReplyFieldText(line, 1) + "," + ReplyFieldText(line, 2);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

int CountNamed(std::string_view raw, std::string_view name) {
  int count = 0;
  for (const std::string& line : ValidLines(raw)) count += SameName(NameOf(line), name);
  return count;
}

bool NameInContent(std::string_view raw, std::string_view name) {
  return CountNamed(raw, name) > 0;
}

// The name field that reads back as name. Readers take one double quote off
// each end of a field, so a name that begins or ends with one is wrapped in a
// pair that the reader then removes.
std::string NameField(std::string_view name) {
  const bool wrap = name.size() > 1 && (name.front() == '"' || name.back() == '"');
  if (!wrap) return std::string(name);
  return "\"" + std::string(name) + "\"";
}

// A coordinate must add exactly one comma to the line, and no line break.
bool StorableCoordinate(std::string_view coordinate) {
  int commas = 0;
  for (const char c : coordinate) {
    if (IsControl(static_cast<unsigned char>(c))) return false;
    if (c == ',') ++commas;
  }
  return commas == 1;
}

fs::path LockPath(const fs::path& file) {
  fs::path lock = file;
  lock += ".lock";
  return lock;
}

Message NoFolder() {
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "No folder for the place names could be found."));
}

Message NotSaved(Message reason) {
  return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The place names could not be saved: %1."),
                     {std::move(reason)});
}

}  // namespace

PlaceStore::PlaceStore(fs::path file) : file_(std::move(file)) {}

fs::path PlaceStore::DefaultPlaceFilePath() {
  const fs::path folder = PlaceDataFolder();
  if (folder.empty()) return {};
  return folder / "coords.txt";
}

fs::path PlaceStore::InitPlaceStore() {
  const fs::path file = DefaultPlaceFilePath();
  if (file.empty()) return {};
  std::error_code ec;
  if (fs::exists(file, ec)) return file;
  fs::create_directories(file.parent_path(), ec);
  // Append mode: never truncates a file that another copy has just written.
  if (std::FILE* created = OpenFile(file, "ab")) std::fclose(created);
  return file;
}

int PlaceStore::CountCommas(std::string_view line) {
  int commas = 0;
  for (const char c : line) {
    if (c == '\0' || c == '\r' || c == '\n') break;
    if (c == ',') ++commas;
  }
  return commas;
}

Message PlaceStore::PlaceNameRefusal(std::string_view name) {
  if (name.empty()) return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "A place name cannot be empty."));
  for (const char c : name) {
    if (c == ',') return Message::Of(WR_TRANSLATE_NOOP("wr::Core", "A place name cannot contain a comma."));
    if (IsControl(static_cast<unsigned char>(c)))
      return Message::Of(WR_TRANSLATE_NOOP(
          "wr::Core", "A place name cannot contain line breaks or other control characters."));
  }
  return Message();
}

std::string PlaceStore::PlaceNameProblem(std::string_view name) {
  return PlaceNameRefusal(name).English();
}

bool PlaceStore::LoadPlaceNames() {
  if (file_.empty()) return false;
  std::string raw;
  if (!ReadWholeFile(file_, raw)) return false;
  lines_ = ValidLines(raw);
  places_.clear();
  byZ_.clear();
  places_.reserve(lines_.size());
  for (const std::string& line : lines_) {
    Place place;
    place.name = NameOf(line);
    ParseCoordinatePoint(CoordinateOf(line), place.point);  // always has its comma
    if (Finite(place.point)) byZ_.emplace_back(place.point.z, places_.size());
    places_.push_back(std::move(place));
  }
  std::sort(byZ_.begin(), byZ_.end());
  return true;
}

bool PlaceStore::PlaceNameExists(std::string_view name) const {
  std::string raw;
  if (file_.empty() || !ReadWholeFile(file_, raw)) return false;
  return NameInContent(raw, name);
}

int PlaceStore::CountPlacesNamed(std::string_view name) const {
  std::string raw;
  if (file_.empty() || !ReadWholeFile(file_, raw)) return 0;
  return CountNamed(raw, name);
}

bool PlaceStore::ReadUnderLock(const PlaceFileLock& lock, std::string& raw) {
  if (!lock.Locked())
    return Fail(PlaceStoreError::kNotSaved, NotSaved(lock.ErrorMessage()));
  std::error_code ec;
  if (!ReadWholeFile(file_, raw) && fs::exists(file_, ec))
    return Fail(PlaceStoreError::kNotSaved,
                Message::Of(WR_TRANSLATE_NOOP("wr::Core", "The place names could not be read.")));
  return true;
}

bool PlaceStore::Fail(PlaceStoreError error, Message text) {
  lastError_ = error;
  lastErrorText_ = text.English();
  lastErrorMessage_ = std::move(text);
  return false;
}

bool PlaceStore::AddPlaceName(std::string_view name, std::string_view coordinate) {
  lastError_ = PlaceStoreError::kNone;
  lastErrorText_.clear();
  lastErrorMessage_ = Message();
  if (Message problem = PlaceNameRefusal(name); !problem.Empty())
    return Fail(PlaceStoreError::kBadName, std::move(problem));
  if (!StorableCoordinate(coordinate))
    return Fail(PlaceStoreError::kBadCoordinate,
                Message::Of(WR_TRANSLATE_NOOP("wr::Core", "This position cannot be named: it is not a "
                                                          "latitude and longitude.")));
  if (file_.empty()) return Fail(PlaceStoreError::kNotSaved, NoFolder());

  // Read, check and write under the lock, so a name added by another copy of
  // the tool a moment ago is neither duplicated nor overwritten.
  PlaceFileLock lock(LockPath(file_));
  std::string raw;
  if (!ReadUnderLock(lock, raw)) return false;
  if (NameInContent(raw, name)) return Fail(PlaceStoreError::kNameExists, Message());

  // The entry goes where readers stop: before a 0x1A end mark, whose tail is
  // kept as it was, and after a line end, so a hand-edited last line without
  // one is not glued to the new entry.
  const size_t end = std::min(raw.find(kEndOfFile), raw.size());
  std::string content = raw.substr(0, end);
  if (!content.empty() && content.back() != '\n') content += kLineEnd;
  content.append(NameField(name)).append(",").append(coordinate).append(kLineEnd);
  content.append(raw, end, std::string::npos);

  std::string error;
  if (!ReplaceFileContent(file_, content, error))
    return Fail(PlaceStoreError::kNotSaved, NotSaved(Message::Plain(error)));
  return true;
}

bool PlaceStore::RewritePlaceNames(std::string_view oldName, std::string_view newName) {
  lastError_ = PlaceStoreError::kNone;
  lastErrorText_.clear();
  lastErrorMessage_ = Message();
  if (!newName.empty()) {
    if (Message problem = PlaceNameRefusal(newName); !problem.Empty())
      return Fail(PlaceStoreError::kBadName, std::move(problem));
  }
  if (file_.empty()) return Fail(PlaceStoreError::kNotSaved, NoFolder());

  PlaceFileLock lock(LockPath(file_));
  std::string raw;
  if (!ReadUnderLock(lock, raw)) return false;
  if (!NameInContent(raw, oldName))
    return Fail(PlaceStoreError::kNameNotFound,
                Message::Of(WR_TRANSLATE_NOOP("wr::Core", "No place is named \"%1\"."),
                            {Message::Plain(std::string(oldName))}));

  // Another place already carrying the new name would make the two
  // indistinguishable in the grid. A change of letter case only renames the
  // entries themselves.
  if (!newName.empty() && !SameName(newName, oldName) && NameInContent(raw, newName))
    return Fail(PlaceStoreError::kNameExists, Message());

  // Only the entries of oldName change; every other byte, invalid lines, line
  // ends and whatever follows a 0x1A end mark included, is copied as it stood.
  // A renamed entry gets a new name field and keeps the rest of its bytes.
  std::string content;
  content.reserve(raw.size() + newName.size());
  size_t copied = 0;
  for (const FileLine& line : SplitLines(raw)) {
    if (!Valid(line) || !SameName(NameOf(line.text), oldName)) continue;
    content.append(raw, copied, line.begin - copied);
    copied = line.end;
    if (newName.empty()) continue;
    const size_t comma = raw.find(',', line.begin);  // ends the name field
    content.append(NameField(newName)).append(raw, comma, line.end - comma);
  }
  content.append(raw, copied, std::string::npos);
  if (content == raw) return true;

  std::string error;
  if (!ReplaceFileContent(file_, content, error))
    return Fail(PlaceStoreError::kNotSaved, NotSaved(Message::Plain(error)));
  return true;
}

std::string PlaceStore::LookupPlaceName(std::string_view coordinate) const {
  CoordinatePoint position;
  if (!ParseCoordinatePoint(coordinate, position)) return std::string(coordinate);
  if (!Finite(position)) return std::string(coordinate);
  // Every trip position is looked up, so only the places in a narrow band
  // around it are measured; the earliest match in file order wins.
  const double bound = CoordinateChordBound(kPlaceMatchRadiusKm);
  size_t best = places_.size();
  auto it = std::lower_bound(byZ_.begin(), byZ_.end(),
                             std::make_pair(position.z - bound, size_t{0}));
  for (; it != byZ_.end() && it->first <= position.z + bound; ++it) {
    const Place& place = places_[it->second];
    if (it->second >= best || CoordinatePointsFartherThan(position, place.point, bound)) continue;
    if (CoordinatePointDistanceKm(position, place.point) < kPlaceMatchRadiusKm) best = it->second;
  }
  return best < places_.size() ? places_[best].name : std::string(coordinate);
}

const std::vector<std::string>& PlaceStore::PlaceList() const { return lines_; }

}  // namespace wr
