// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The place-names file: one "name,latitude,longitude" line per named place,
// shared by every copy of the tool on the machine, and the in-memory list that
// turns trip positions into names.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "places/coordinates.h"
#include "protocol/message.h"

namespace wr {

class PlaceFileLock;

// Why the last AddPlaceName or RewritePlaceNames returned false.
enum class PlaceStoreError {
  kNone,
  kNameExists,    // the new name is taken by another place (in any letter case)
  kNameNotFound,  // RewritePlaceNames: no entry carries the old name
  kBadName,       // the new name could not be stored as a line of the file
  kBadCoordinate, // the coordinate text could not be stored as a line of the file
  kNotSaved,      // no folder, the lock or the write failed; the file is unchanged
};

// One store bound to one file path. An empty path is a store without a
// location: it loads nothing and refuses every change.
class PlaceStore {
 public:
  explicit PlaceStore(std::filesystem::path file);

  // "coords.txt" in PlaceDataFolder() (see place_file.h); empty when there is
  // no such folder. Creates nothing.
  static std::filesystem::path DefaultPlaceFilePath();
  // DefaultPlaceFilePath(), after creating its folder and an empty file when
  // the file is missing. Creation errors are left for the store to meet.
  static std::filesystem::path InitPlaceStore();

  // Replaces the list with the file's valid lines. False, with the list kept,
  // when the file does not exist or cannot be read.
  bool LoadPlaceNames();
  // Whether a valid line of the file has this name, ignoring letter case.
  bool PlaceNameExists(std::string_view name) const;
  // How many valid lines of the file have this name, ignoring letter case:
  // the entries that renaming or deleting the name would change. 0 when the
  // file cannot be read.
  int CountPlacesNamed(std::string_view name) const;
  // Appends name,coordinate. A name that begins or ends with a double quote
  // is stored inside a pair of them, so that it reads back as typed. False
  // when the name exists, cannot be stored, or the write failed; LastError()
  // and LastErrorText() say which.
  bool AddPlaceName(std::string_view name, std::string_view coordinate);
  // Renames every entry of oldName (any letter case) to newName; an empty
  // newName deletes them. Every other line of the file, and the coordinate
  // fields and line end of a renamed entry, stay byte for byte as they were.
  // False when oldName is not in the file (kNameNotFound), another place
  // already has newName (kNameExists; a change of letter case alone is fine),
  // newName cannot be stored, or the write failed.
  bool RewritePlaceNames(std::string_view oldName, std::string_view newName);
  // The name of the first place closer than kPlaceMatchRadiusKm, else the
  // coordinate unchanged.
  std::string LookupPlaceName(std::string_view coordinate) const;
  const std::vector<std::string>& PlaceList() const;
  // Commas before the first NUL, carriage return or line feed.
  static int CountCommas(std::string_view line);

  // Empty when name can be stored; otherwise the text to show the user, in
  // English.
  static std::string PlaceNameProblem(std::string_view name);
  // The same, to be shown in the user's language.
  static Message PlaceNameRefusal(std::string_view name);

  PlaceStoreError LastError() const { return lastError_; }
  // Empty for kNone and kNameExists (the caller has its own text for that).
  const std::string& LastErrorText() const { return lastErrorText_; }
  // LastErrorText() to be shown in the user's language.
  const Message& LastErrorMessage() const { return lastErrorMessage_; }
  const std::filesystem::path& FilePath() const { return file_; }

 private:
  struct Place {
    std::string name;
    CoordinatePoint point;
  };

  bool Fail(PlaceStoreError error, Message text);
  // The file's whole content, read while lock is held; false (with the
  // reason recorded) when the lock could not be had or the file not read.
  bool ReadUnderLock(const PlaceFileLock& lock, std::string& raw);

  std::filesystem::path file_;
  std::vector<std::string> lines_;
  std::vector<Place> places_;  // lines_ parsed once, same order
  // (z of the place's unit vector, index into places_), sorted: a position
  // can only match places whose z lies within the chord bound of its own.
  // Places whose coordinate reads as infinite can never match and are left out.
  std::vector<std::pair<double, size_t>> byZ_;
  PlaceStoreError lastError_ = PlaceStoreError::kNone;
  std::string lastErrorText_;
  Message lastErrorMessage_;
};

}  // namespace wr
