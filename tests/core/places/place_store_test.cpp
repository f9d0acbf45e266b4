// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "places/place_store.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "core/places/place_peer.h"
#include "core/places/place_store_fixture.h"
#include "places/place_file.h"

namespace wr {
namespace {

namespace fs = std::filesystem;
using test::PlaceStoreTest;
using test::ScopedEnv;

using Lines = std::vector<std::string>;

// A position due north of (lat, lon) at the given distance by the store's rule.
std::string NorthOf(double lat, double lon, double km) {
  const double kmPerDegree = 0.0174532925239284 * 3437.7387 * 1.150779 * 1.6;
  char text[64];
  std::snprintf(text, sizeof text, "%.9f,%.9f", lat + km / kmPerDegree, lon);
  return text;
}

TEST_F(PlaceStoreTest, ReadsLinesWhateverTheirEnding) {
  WriteRaw("Home,-26.1071,28.0567\r\nDepot,-26.2041,28.0473\r\n");
  EXPECT_EQ(Loaded(), (Lines{"Home,-26.1071,28.0567", "Depot,-26.2041,28.0473"}));

  WriteRaw("Home,-26.1071,28.0567\nDepot,-26.2041,28.0473\n");
  EXPECT_EQ(Loaded(), (Lines{"Home,-26.1071,28.0567", "Depot,-26.2041,28.0473"}));

  // Carriage returns alone do not end lines: the two entries run together.
  WriteRaw("Home,-26.1071,28.0567\rDepot,-26.2041,28.0473\r");
  EXPECT_EQ(Loaded(), Lines{});

  // A carriage return inside a line is dropped as well.
  WriteRaw("Ho\rme,1,2\r\r\n");
  EXPECT_EQ(Loaded(), Lines{"Home,1,2"});

  // 0x1A ends the file; a last line without a line end counts.
  WriteRaw("Home,1,2\r\nDepot,3,4\x1a\r\nLater,5,6\r\n");
  EXPECT_EQ(Loaded(), (Lines{"Home,1,2", "Depot,3,4"}));
}

TEST_F(PlaceStoreTest, KeepsOnlyLinesWithTwoCommas) {
  WriteRaw("Alpha,1,2\r\nBravo,1\r\nDelta,1,2,3\r\n\r\nEcho,5,6\x1a" "Fox,7,8\r\n");
  EXPECT_EQ(Loaded(), (Lines{"Alpha,1,2", "Echo,5,6"}));
}

TEST_F(PlaceStoreTest, RewriteChangesOnlyTheEntriesOfTheName) {
  // Hand-edited lines, mixed line ends, a carriage return inside a line and a
  // tail after the end mark: a rewrite must keep every byte it does not change.
  const std::string kept1 = "# depot run\r\n\r\nBravo,1\n";
  const std::string kept2 = "Delta,1,2,3\r\n\"Depot\",-26.2041,\"28.0473\"\n";
  const std::string kept3 = "Yard,7,8\r\n  \r\n";
  const std::string tail = "\x1a" "Home,0,0\r\nold tail";
  WriteRaw(kept1 + "Ho\rme,\"-26.1071\",28.0567\r\n" + kept2 + "HOME,5,6\n" + kept3 +
           "home, 9 ,10" + tail);
  EXPECT_EQ(Loaded(), (Lines{"Home,\"-26.1071\",28.0567", "\"Depot\",-26.2041,\"28.0473\"",
                             "HOME,5,6", "Yard,7,8", "home, 9 ,10"}));

  // Each renamed entry keeps its coordinate fields and its own line end,
  // including none at all before the end mark.
  PlaceStore store(file_);
  ASSERT_TRUE(store.RewritePlaceNames("home", "Base"));
  EXPECT_EQ(ReadRaw(), kept1 + "Base,\"-26.1071\",28.0567\r\n" + kept2 + "Base,5,6\n" + kept3 +
                           "Base, 9 ,10" + tail);

  // A deleted entry takes its line end with it; nothing else moves.
  ASSERT_TRUE(store.RewritePlaceNames("BASE", ""));
  EXPECT_EQ(ReadRaw(), kept1 + kept2 + kept3 + tail);
  EXPECT_EQ(Loaded(), (Lines{"\"Depot\",-26.2041,\"28.0473\"", "Yard,7,8"}));

  // A rewrite that would change nothing leaves the file alone (a replaced
  // file would be a new one).
#ifndef _WIN32
  struct stat before = {}, after = {};
  ASSERT_EQ(stat(file_.c_str(), &before), 0);
#endif
  ASSERT_TRUE(store.RewritePlaceNames("Yard", "Yard"));
#ifndef _WIN32
  ASSERT_EQ(stat(file_.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
#endif
  EXPECT_EQ(ReadRaw(), kept1 + kept2 + kept3 + tail);
}

TEST_F(PlaceStoreTest, MissingFileLoadsNothingAndKeepsTheOldList) {
  WriteRaw("Home,1,2\r\n");
  PlaceStore store(file_);
  ASSERT_TRUE(store.LoadPlaceNames());
  fs::remove(file_);
  EXPECT_FALSE(store.LoadPlaceNames());
  EXPECT_EQ(store.PlaceList(), Lines{"Home,1,2"});
  EXPECT_EQ(store.LookupPlaceName("1,2"), "Home");
  EXPECT_FALSE(store.PlaceNameExists("Home"));
}

TEST_F(PlaceStoreTest, AddEndsAHandEditedLastLineFirst) {
  WriteRaw("Home,1,2");
  EXPECT_EQ(Loaded(), Lines{"Home,1,2"});
  PlaceStore store(file_);
  EXPECT_TRUE(store.AddPlaceName("Depot", "3,4"));
  EXPECT_EQ(ReadRaw(), "Home,1,2\r\nDepot,3,4\r\n");

  // A line ended by a carriage return alone would swallow the next entry too.
  WriteRaw("Home,1,2\r");
  EXPECT_TRUE(store.AddPlaceName("Depot", "3,4"));
  EXPECT_EQ(Loaded(), (Lines{"Home,1,2", "Depot,3,4"}));
}

TEST_F(PlaceStoreTest, AddGoesBeforeTheEndMarkAndKeepsWhatFollowsIt) {
  WriteRaw("Home,1,2\r\n\x1aold tail");
  PlaceStore store(file_);
  EXPECT_TRUE(store.AddPlaceName("Depot", "3,4"));
  EXPECT_EQ(ReadRaw(), "Home,1,2\r\nDepot,3,4\r\n\x1aold tail");
  EXPECT_EQ(Loaded(), (Lines{"Home,1,2", "Depot,3,4"}));
}

TEST_F(PlaceStoreTest, AddCreatesAMissingFileAndKeepsOrder) {
  PlaceStore store(file_);
  EXPECT_TRUE(store.AddPlaceName("Home", "-26.1071,28.0567"));
  EXPECT_TRUE(store.AddPlaceName("Depot", "-26.2041,28.0473"));
  EXPECT_EQ(ReadRaw(), "Home,-26.1071,28.0567\r\nDepot,-26.2041,28.0473\r\n");
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNone);
}

TEST_F(PlaceStoreTest, NamesCompareWithoutLetterCase) {
  WriteRaw("Home,1,2\r\nDepot,3,4\r\n");
  PlaceStore store(file_);
  EXPECT_TRUE(store.PlaceNameExists("hOmE"));
  EXPECT_FALSE(store.PlaceNameExists("Hom"));

  EXPECT_FALSE(store.AddPlaceName("HOME", "5,6"));
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNameExists);
  EXPECT_EQ(ReadRaw(), "Home,1,2\r\nDepot,3,4\r\n");

  EXPECT_TRUE(store.RewritePlaceNames("home", "Base"));
  EXPECT_EQ(ReadRaw(), "Base,1,2\r\nDepot,3,4\r\n");

  EXPECT_FALSE(store.RewritePlaceNames("Home", "Other"));
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNameNotFound);
  EXPECT_EQ(ReadRaw(), "Base,1,2\r\nDepot,3,4\r\n");
}

TEST_F(PlaceStoreTest, RenameOntoAnotherPlacesNameIsRefused) {
  const std::string before = "Home,1,2\r\n\"Depot\",3,4\r\nHOME,5,6\r\n";
  WriteRaw(before);
  PlaceStore store(file_);
  EXPECT_EQ(store.CountPlacesNamed("home"), 2);
  EXPECT_EQ(store.CountPlacesNamed("DEPOT"), 1);
  EXPECT_EQ(store.CountPlacesNamed("Yard"), 0);

  // The quoted entry is the place Depot, as the grid shows it.
  EXPECT_FALSE(store.RewritePlaceNames("home", "depot"));
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNameExists);
  EXPECT_EQ(store.LastErrorText(), "");
  EXPECT_FALSE(store.RewritePlaceNames("Depot", "Home"));
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNameExists);
  EXPECT_EQ(ReadRaw(), before);

  // A new letter case of the place's own name is no conflict.
  EXPECT_TRUE(store.RewritePlaceNames("home", "hOmE"));
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNone);
  EXPECT_EQ(ReadRaw(), "hOmE,1,2\r\n\"Depot\",3,4\r\nhOmE,5,6\r\n");

  // Deleting removes every entry of the name and is never a conflict.
  EXPECT_TRUE(store.RewritePlaceNames("HOME", ""));
  EXPECT_EQ(ReadRaw(), "\"Depot\",3,4\r\n");
  EXPECT_EQ(store.CountPlacesNamed("home"), 0);

  fs::remove(file_);
  EXPECT_EQ(store.CountPlacesNamed("Depot"), 0);
}

TEST_F(PlaceStoreTest, QuotedFieldsAreReadWithoutQuotes) {
  WriteRaw("\"Home\",\"-26.1071\",28.0567\r\nDepot,3,4\r\n");
  PlaceStore store(file_);
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.LookupPlaceName("-26.1071,28.0567"), "Home");
  EXPECT_TRUE(store.PlaceNameExists("home"));
  // Renaming replaces the whole name field, quotes included; the coordinate
  // fields stay as they stood.
  EXPECT_TRUE(store.RewritePlaceNames("home", "Base"));
  EXPECT_EQ(ReadRaw(), "Base,\"-26.1071\",28.0567\r\nDepot,3,4\r\n");
}

TEST_F(PlaceStoreTest, NamesWithQuotesAtTheirEndsReadBackAsTyped) {
  // Readers take one double quote off each end of a field, so such a name
  // is stored inside a pair of them.
  const std::string cafe = "Caf\xe9 de l'Ouest \"Sud\"";
  PlaceStore store(file_);
  ASSERT_TRUE(store.AddPlaceName(cafe, "1,2"));
  ASSERT_TRUE(store.AddPlaceName("\"", "3,4"));
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.LookupPlaceName("1,2"), cafe);
  EXPECT_EQ(store.LookupPlaceName("3,4"), "\"");
  EXPECT_TRUE(store.PlaceNameExists(cafe));
  EXPECT_FALSE(store.PlaceNameExists("Caf\xe9 de l'Ouest \"Sud"));

  ASSERT_TRUE(store.RewritePlaceNames(cafe, "\"Boss\""));
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.LookupPlaceName("1,2"), "\"Boss\"");
  EXPECT_EQ(store.CountPlacesNamed("\"Boss\""), 1);
  EXPECT_EQ(store.CountPlacesNamed("Boss"), 0);
}

TEST_F(PlaceStoreTest, LookupMatchesStrictlyWithinTheRadiusFirstEntryWins) {
  const double lat = -26.1071, lon = 28.0567;
  const std::string at015 = NorthOf(lat, lon, 0.15);
  const std::string at025 = NorthOf(lat, lon, 0.25);
  ASSERT_NEAR(*CoordinateDistanceKm(at015, "-26.1071,28.0567"), 0.15, 1e-6);
  ASSERT_NEAR(*CoordinateDistanceKm(at025, "-26.1071,28.0567"), 0.25, 1e-6);

  WriteRaw("Home,-26.1071,28.0567\r\n");
  PlaceStore store(file_);
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.LookupPlaceName("-26.1071,28.0567"), "Home");
  EXPECT_EQ(store.LookupPlaceName(at015), "Home");
  EXPECT_EQ(store.LookupPlaceName(at025), at025);
  EXPECT_EQ(store.LookupPlaceName(NorthOf(lat, lon, 0.1999)), "Home");
  EXPECT_EQ(store.LookupPlaceName(NorthOf(lat, lon, 0.2001)), NorthOf(lat, lon, 0.2001));

  // Both within range: file order decides, not nearness.
  WriteRaw("Far," + NorthOf(lat, lon, 0.19) + "\r\nNear,-26.1071,28.0567\r\n");
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.LookupPlaceName("-26.1071,28.0567"), "Far");

  // An emptied grid row and text that is no coordinate come back unchanged.
  EXPECT_EQ(store.LookupPlaceName(""), "");
  EXPECT_EQ(store.LookupPlaceName("Home"), "Home");
}

TEST_F(PlaceStoreTest, LookupAgreesWithTheDistanceRuleEverywhere) {
  // The lookup skips far places by latitude; it must never skip a match,
  // including near the poles, across the date line and for latitudes that
  // wrap past a pole.
  std::mt19937 random(7);
  std::uniform_real_distribution<double> jitter(-0.003, 0.003);
  const std::vector<std::pair<double, double>> centres = {
      {-26.1, 28.0}, {89.9995, 10}, {-90, 0}, {0, 179.9995}, {0, -180}, {200, 30}, {-20, -150}};
  std::string file;
  std::vector<std::string> coords;
  for (int i = 0; i < 300; ++i) {
    const auto& c = centres[i % centres.size()];
    char text[64];
    std::snprintf(text, sizeof text, "%.6f,%.6f", c.first + jitter(random),
                  c.second + jitter(random));
    file += "P" + std::to_string(i) + "," + text + "\r\n";
    coords.push_back(text);
  }
  // Coordinates that read as infinite have no distance and never match.
  file += "Huge,1e999,0\r\nWide,0,-1e999\r\n";
  coords.push_back("1e999,0");
  coords.push_back("0,-1e999");
  WriteRaw(file);
  PlaceStore store(file_);
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.LookupPlaceName("1e999,0"), "1e999,0");

  for (int i = 0; i < 2000; ++i) {
    const auto& c = centres[i % centres.size()];
    char text[64];
    std::snprintf(text, sizeof text, "%.6f,%.6f", c.first + jitter(random),
                  c.second + jitter(random));
    std::string expected = text;
    for (size_t p = 0; p < coords.size(); ++p) {
      const auto km = CoordinateDistanceKm(text, coords[p]);
      if (km && *km < 0.2) {
        expected = "P" + std::to_string(p);
        break;
      }
    }
    ASSERT_EQ(store.LookupPlaceName(text), expected) << text;
  }
}

TEST_F(PlaceStoreTest, LookupAgreesWithTheWalkForLongitudesOfManyTurns) {
  // A longitude of many turns beside a place at the pole: the lookup named
  // the pole while the walk through the file named the earlier place.
  WriteRaw("Far,89.998669,7.1961e22\r\nNorth,90,0\r\nTurns,0,415051741658464976896\r\n");
  PlaceStore store(file_);
  ASSERT_TRUE(store.LoadPlaceNames());
  auto walk = [&store](const std::string& coordinate) {
    for (const std::string& line : store.PlaceList()) {
      const size_t comma = line.find(',');
      const auto km = CoordinateDistanceKm(coordinate, line.substr(comma + 1));
      if (km && *km < 0.2) return line.substr(0, comma);
    }
    return coordinate;
  };
  for (int lon = -180; lon < 180; lon += 7)
    for (const char* lat : {"89.999", "89.9985", "89.998", "89.9995"}) {
      const std::string position = lat + ("," + std::to_string(lon));
      EXPECT_EQ(store.LookupPlaceName(position), walk(position)) << position;
    }
  // That last longitude is a whole number of turns plus 16 degrees.
  EXPECT_EQ(store.LookupPlaceName("0,16"), "Turns");
  EXPECT_EQ(store.LookupPlaceName("0,16.01"), "0,16.01");
}

TEST_F(PlaceStoreTest, LookupIsFastForManyTripsAndPlaces) {
  // Every trip line looks up its start and end; 10,000 trips against 1,000
  // places clustered in one region must stay well under a second.
  std::mt19937 random(11);
  std::uniform_real_distribution<double> lat(-26.4, -25.8), lon(27.8, 28.4);
  std::string file;
  for (int i = 0; i < 1000; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "P%d,%.5f,%.5f\r\n", i, lat(random), lon(random));
    file += text;
  }
  WriteRaw(file);
  PlaceStore store(file_);
  ASSERT_TRUE(store.LoadPlaceNames());
  std::vector<std::string> trips;
  for (int i = 0; i < 20000; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "%.5f,%.5f", lat(random), lon(random));
    trips.push_back(text);
  }
  const auto start = std::chrono::steady_clock::now();
  size_t named = 0;
  for (const std::string& trip : trips) named += store.LookupPlaceName(trip) != trip;
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GT(named, 0u);
  EXPECT_LT(elapsed, std::chrono::milliseconds(500));
}

TEST_F(PlaceStoreTest, RefusesNamesAndCoordinatesThatCannotBeStored) {
  WriteRaw("Home,1,2\r\n");
  PlaceStore store(file_);
  for (const std::string bad : {"Ho,me", "Home\r\nDepot", "Ho\nme", "Tab\tbed", "End\x1a", ""}) {
    EXPECT_FALSE(PlaceStore::PlaceNameProblem(bad).empty()) << bad;
    EXPECT_FALSE(store.AddPlaceName(bad, "3,4")) << bad;
    EXPECT_EQ(store.LastError(), PlaceStoreError::kBadName);
    EXPECT_EQ(store.LastErrorText(), PlaceStore::PlaceNameProblem(bad));
    if (!bad.empty()) {
      EXPECT_FALSE(store.RewritePlaceNames("Home", bad)) << bad;
      EXPECT_EQ(store.LastError(), PlaceStoreError::kBadName);
    }
  }
  EXPECT_EQ(PlaceStore::PlaceNameProblem("Caf\xe9 de l'Ouest \"Sud\""), "");

  for (const std::string bad : {"1,2,3", "12", "1,2\r\n", ""}) {
    EXPECT_FALSE(store.AddPlaceName("Depot", bad)) << bad;
    EXPECT_EQ(store.LastError(), PlaceStoreError::kBadCoordinate);
    EXPECT_FALSE(store.LastErrorText().empty());
  }
  EXPECT_EQ(ReadRaw(), "Home,1,2\r\n");
}

TEST_F(PlaceStoreTest, FailedWritesKeepThePreviousFileAndSaySo) {
  const std::string before = "Home,1,2\r\nDepot,3,4\r\n";
  WriteRaw(before);
  // A folder in the way of the rewrite file makes every write fail, even for root.
  fs::create_directory(dir_ / "coords.txt.~");
  PlaceStore store(file_);
  EXPECT_FALSE(store.AddPlaceName("Yard", "5,6"));
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNotSaved);
  EXPECT_FALSE(store.LastErrorText().empty());
  EXPECT_FALSE(store.RewritePlaceNames("Home", "Base"));
  EXPECT_EQ(store.LastError(), PlaceStoreError::kNotSaved);
  EXPECT_FALSE(store.RewritePlaceNames("Home", ""));
  EXPECT_EQ(ReadRaw(), before);

  // A folder that does not exist, and a store without any location.
  PlaceStore nowhere(dir_ / "missing" / "coords.txt");
  EXPECT_FALSE(nowhere.AddPlaceName("Yard", "5,6"));
  EXPECT_EQ(nowhere.LastError(), PlaceStoreError::kNotSaved);
  PlaceStore none{fs::path()};
  EXPECT_FALSE(none.LoadPlaceNames());
  EXPECT_FALSE(none.PlaceNameExists("Home"));
  EXPECT_FALSE(none.AddPlaceName("Yard", "5,6"));
  EXPECT_EQ(none.LastError(), PlaceStoreError::kNotSaved);
  EXPECT_EQ(none.LookupPlaceName("1,2"), "1,2");
}

TEST_F(PlaceStoreTest, ReplacesTheFileInOneStepAndKeepsItsAccessRights) {
  WriteRaw("Home,1,2\r\n");
  fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                             fs::perms::group_write | fs::perms::others_read |
                             fs::perms::others_write);
  PlaceStore store(file_);
  ASSERT_TRUE(store.RewritePlaceNames("Home", "Base"));
  EXPECT_EQ(ReadRaw(), "Base,1,2\r\n");
  EXPECT_EQ(fs::status(file_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
  EXPECT_FALSE(fs::exists(dir_ / "coords.txt.~"));
}

TEST_F(PlaceStoreTest, ReadersNeverSeeAPartialFile) {
  // Another copy of the tool loads the file without the lock whenever it
  // likes: here once during every change. It must find the old or the new
  // file, never a part of one, and the change must not fail because of it.
  Lines alpha, bravo;
  std::string file;
  for (int i = 0; i < 300; ++i) {
    const std::string coordinate = "-26." + std::to_string(100000 + i) + ",28.0567";
    alpha.push_back("Alpha" + std::to_string(i % 3) + "," + coordinate);
    bravo.push_back((i % 3 == 0 ? "Bravo" : "Alpha") + std::to_string(i % 3) + "," + coordinate);
    file += alpha.back() + "\r\n";
  }
  WriteRaw(file);
  constexpr int kChanges = 40;
  std::atomic<int> started{0};
  int loads = 0, partial = 0;
  std::thread reader([&] {
    PlaceStore other(file_);
    for (int seen = 0; seen < kChanges;) {
      const int now = started.load();
      if (now == seen) {
        std::this_thread::yield();
        continue;
      }
      seen = now;
      if (!other.LoadPlaceNames()) continue;
      ++loads;
      partial += other.PlaceList() != alpha && other.PlaceList() != bravo;
    }
  });
  PlaceStore store(file_);
  for (int i = 0; i < kChanges; ++i) {
    const bool toBravo = i % 2 == 0;
    started = i + 1;
    if (!store.RewritePlaceNames(toBravo ? "Alpha0" : "Bravo0", toBravo ? "Bravo0" : "Alpha0")) {
      ADD_FAILURE() << "change " << i << ": " << store.LastErrorText();
      started = kChanges;
      break;
    }
  }
  reader.join();
  EXPECT_GT(loads, 0);
  EXPECT_EQ(partial, 0) << "of " << loads << " loads";
  EXPECT_TRUE(ReadRaw() == file);
}

TEST_F(PlaceStoreTest, WorksInAFolderWithLettersBeyondAscii) {
  // The folder may carry any letter, as a user's name in it often does.
  const fs::path folder = dir_ / fs::u8path(u8"Donn\u00e9es \u20ac");
  ASSERT_TRUE(fs::create_directory(folder));
  const fs::path file = folder / "coords.txt";
  PlaceStore store(file);
  ASSERT_TRUE(store.AddPlaceName("Home", "1,2")) << store.LastErrorText();
  EXPECT_TRUE(store.AddPlaceName("Depot", "3,4"));
  EXPECT_TRUE(store.RewritePlaceNames("home", "Base"));
  EXPECT_TRUE(store.PlaceNameExists("Depot"));
  ASSERT_TRUE(store.LoadPlaceNames());
  EXPECT_EQ(store.PlaceList(), (Lines{"Base,1,2", "Depot,3,4"}));

  // All of it in that folder: nothing beside it, and the file where it belongs.
  std::vector<fs::path> beside;
  for (const auto& entry : fs::directory_iterator(dir_)) beside.push_back(entry.path());
  EXPECT_EQ(beside, std::vector<fs::path>{folder});
  std::ifstream in(file, std::ios::binary);
  std::string first;
  std::getline(in, first);
  EXPECT_EQ(first, "Base,1,2\r");
}

TEST_F(PlaceStoreTest, TwoStoresChangingNamesAtOnceLoseNothing) {
  WriteRaw("Seed,0,0\r\n");
  constexpr int kEach = 40;
  auto adder = [this](const std::string& prefix) {
    PlaceStore store(file_);
    for (int i = 0; i < kEach; ++i)
      EXPECT_TRUE(store.AddPlaceName(prefix + std::to_string(i), std::to_string(i) + ",1"));
  };
  // Renames rewrite the whole file; without the lock they would drop adds.
  auto renamer = [this] {
    PlaceStore store(file_);
    for (int i = 0; i < kEach; ++i)
      EXPECT_TRUE(store.RewritePlaceNames(i % 2 ? "Seed2" : "Seed", i % 2 ? "Seed" : "Seed2"));
  };
  std::thread a(adder, "A"), b(adder, "B"), c(renamer);
  a.join();
  b.join();
  c.join();

  // And from another process, while this one adds as well.
  test::PeerProcess peer = test::PeerProcess::AddNames(file_, "C", kEach);
  ASSERT_TRUE(peer.Started());
  adder("D");
  EXPECT_EQ(peer.Wait(), 0);

  const Lines lines = Loaded();
  EXPECT_EQ(lines.size(), 1u + 4 * kEach);
  PlaceStore store(file_);
  EXPECT_TRUE(store.PlaceNameExists("Seed"));
  for (const char* prefix : {"A", "B", "C", "D"})
    for (int i = 0; i < kEach; ++i)
      EXPECT_TRUE(store.PlaceNameExists(prefix + std::to_string(i))) << prefix << i;
}

TEST_F(PlaceStoreTest, FindsAndPreparesItsFolder) {
  {
    ScopedEnv data("WAYRUNNER_DATA_DIR", (dir_ / "data" / "Wayrunner").string().c_str());
    const fs::path file = PlaceStore::InitPlaceStore();
    EXPECT_EQ(file, dir_ / "data" / "Wayrunner" / "coords.txt");
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(fs::file_size(file), 0u);

    // An existing file is left as it is.
    std::ofstream(file, std::ios::binary) << "Home,1,2\r\n";
    EXPECT_EQ(PlaceStore::InitPlaceStore(), file);
    EXPECT_EQ(fs::file_size(file), 10u);
  }
#ifndef _WIN32
  // Windows has its own folder: see place_file_windows_test.cpp.
  {
    ScopedEnv data("WAYRUNNER_DATA_DIR", nullptr);
    ScopedEnv xdg("XDG_DATA_HOME", (dir_ / "xdg").c_str());
    EXPECT_EQ(PlaceStore::DefaultPlaceFilePath(), dir_ / "xdg" / "Wayrunner" / "coords.txt");
    ScopedEnv relative("XDG_DATA_HOME", "relative/dir");
    ScopedEnv home("HOME", dir_.c_str());
    EXPECT_EQ(PlaceStore::DefaultPlaceFilePath(),
              dir_ / ".local" / "share" / "Wayrunner" / "coords.txt");
    ScopedEnv noHome("HOME", nullptr);
    EXPECT_EQ(PlaceStore::DefaultPlaceFilePath(), fs::path());
    EXPECT_EQ(PlaceStore::InitPlaceStore(), fs::path());
  }
#endif
}

}  // namespace
}  // namespace wr
