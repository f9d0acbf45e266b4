// SPDX-FileCopyrightText: 2026 Wayrunner Track developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The place store loading an arbitrary file and looking up arbitrary
// coordinates. The input is the file, then a 0xFF byte, then the positions to
// look up, one per line. Every lookup must give what a plain walk through the
// list in file order gives: the first place closer than the match radius.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "places/coordinates.h"
#include "places/place_store.h"
#include "protocol/reply_fields.h"

namespace {

namespace fs = std::filesystem;

void Check(bool ok) {
  if (!ok) std::abort();
}

// A RAM-backed folder where there is one, since every input is a new file.
fs::path ScratchFile() {
  std::error_code ec;
  const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  return base / ("wr-fuzz-coords-" + std::to_string(getpid()) + ".txt");
}

std::string ExpectedName(const wr::PlaceStore& store, std::string_view coordinate) {
  for (const std::string& line : store.PlaceList()) {
    const std::string place = wr::ReplyFieldText(line, 1) + "," + wr::ReplyFieldText(line, 2);
    const auto km = wr::CoordinateDistanceKm(coordinate, place);
    if (km && *km < wr::kPlaceMatchRadiusKm) return wr::ReplyFieldText(line, 0);
  }
  return std::string(coordinate);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const fs::path file = ScratchFile();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\xFF');
  const std::string_view content = input.substr(0, split);
  std::string_view lookups = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    Check(out.good());
  }

  wr::PlaceStore store(file);
  Check(store.LoadPlaceNames());
  for (const std::string& line : store.PlaceList()) {
    Check(wr::PlaceStore::CountCommas(line) == 2);
    Check(line.find_first_of("\r\n") == std::string::npos);
  }

  // Each position, and each place's own position, which must find a name.
  while (!lookups.empty()) {
    const size_t eol = lookups.find('\n');
    const std::string_view coordinate = lookups.substr(0, eol);
    lookups = eol == std::string_view::npos ? std::string_view() : lookups.substr(eol + 1);
    Check(store.LookupPlaceName(coordinate) == ExpectedName(store, coordinate));
  }
  // The check walks every place, so only the first few places look up their
  // own position: enough for the search structure, without a square cost.
  size_t checked = 0;
  for (const std::string& line : store.PlaceList()) {
    if (++checked > 16) break;
    const std::string place = wr::ReplyFieldText(line, 1) + "," + wr::ReplyFieldText(line, 2);
    Check(store.LookupPlaceName(place) == ExpectedName(store, place));
  }
  std::error_code ignored;
  fs::remove(file, ignored);
  return 0;
}
