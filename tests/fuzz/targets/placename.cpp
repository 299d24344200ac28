// SPDX-License-Identifier: MIT
// placename.dat, and a search over what was read.
#include "FuzzSupport.h"
#include "geo/PlaceSearch.h"
#include "model/PlaceNames.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(placename) {
  fuzz::clearScratch();
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  std::vector<PlaceName> places;
  QString error;
  if (!Get_PlaceNameFile(fuzz::writeScratch(QStringLiteral("placename.dat"), bytes), places, &error)) {
    FUZZ_CHECK(places.empty() && error.contains(QStringLiteral("placename.dat")));
    return 0;
  }
  if (places.empty()) return 0;
  for (const PlaceName& p : places) (void)placeRowText(p);
  // The first name as the pattern (it may hold the pattern's own brackets).
  const std::vector<int> found = searchPlaceNames(places, places.front().name.left(8));
  for (int i : found) FUZZ_CHECK(i >= 0 && i < static_cast<int>(places.size()));
  return 0;
}
