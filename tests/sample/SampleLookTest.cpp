// SPDX-License-Identifier: MIT
// What the eras show: the town grows from a village to a city, the oldest
// survey is a brownish print, and the photographs show forest, sea and town.
#include <gtest/gtest.h>

#include "SampleRun.h"

using namespace sampletest;

namespace {

const kavalo::Era& era(const QString& name) {
  for (const kavalo::Era& e : sampleRegion().state.eras)
    if (e.name == name) return e;
  static const kavalo::Era none;
  ADD_FAILURE() << "no era " << name.toStdString();
  return none;
}

// Reads the square of image pixels round the town centre from an era.
template <typename Count>
double shareAroundTheTown(const kavalo::Era& e, Count counts) {
  const kavalo::MapInfo& m = sampleRegion().state.mapInfo;
  const kavalo::FrameOffset f = m.frame[e.frameType];
  TileGrid tiles(sampleFolder() + u'/' + e.name, e.ext, f.x, f.y, m.tileWidth, m.tileHeight);
  const int cx = static_cast<int>(m.initialX), cy = static_cast<int>(m.initialY);
  int hits = 0, seen = 0;
  for (int y = cy - 300; y < cy + 150; y += 2)
    for (int x = cx - 450; x < cx + 450; x += 2) {
      QRgb c;
      if (!tiles.pixel(x, y, c)) continue;
      ++seen;
      hits += counts(c);
    }
  return seen > 0 ? double(hits) / seen : 0.0;
}

bool ink(QRgb c) { return qRed(c) + qGreen(c) + qBlue(c) < 300; }
bool greyRoof(QRgb c) {
  const int lo = std::min({qRed(c), qGreen(c), qBlue(c)}), hi = std::max({qRed(c), qGreen(c), qBlue(c)});
  return hi - lo < 28 && hi > 80;
}

}  // namespace

TEST(SampleRegionLook, TheTownGrowsFromEditionToEdition) {
  ASSERT_TRUE(sampleRegion().loaded());
  const double village = shareAroundTheTown(era(QStringLiteral("1909")), ink);
  const double town = shareAroundTheTown(era(QStringLiteral("1931")), ink);
  const double city = shareAroundTheTown(era(QStringLiteral("1970")), ink);
  EXPECT_GT(village, 0.01);
  EXPECT_GT(town, village * 1.2);
  EXPECT_GT(city, town * 1.2);
  // From the air: more roofs and streets, fewer fields.
  const double photo1981 = shareAroundTheTown(era(QStringLiteral("ORTHO1")), greyRoof);
  const double photo2019 = shareAroundTheTown(era(QStringLiteral("DKO00")), greyRoof);
  EXPECT_GT(photo2019, photo1981);
}

TEST(SampleRegionLook, TheRapidSurveyIsABrownishPrint) {
  ASSERT_TRUE(sampleRegion().loaded());
  const kavalo::Era& survey = era(QStringLiteral("JINNSOKU"));
  ASSERT_EQ(survey.kind, kavalo::kRapidSurvey);
  const double brownish =
      shareAroundTheTown(survey, [](QRgb c) { return qRed(c) >= qGreen(c) && qGreen(c) >= qBlue(c); });
  EXPECT_GT(brownish, 0.9);
  const double warm = shareAroundTheTown(survey, [](QRgb c) { return qRed(c) - qBlue(c) > 25; });
  EXPECT_GT(warm, 0.8);
}

TEST(SampleRegionLook, PhotographsShowForestSeaAndTown) {
  ASSERT_TRUE(sampleRegion().loaded());
  for (const kavalo::Era& e : sampleRegion().state.eras) {
    if (e.tileStyle != kavalo::kPhoto || e.kind == kavalo::kRapidSurvey) continue;
    const kavalo::MapInfo& m = sampleRegion().state.mapInfo;
    const kavalo::FrameOffset f = m.frame[e.frameType];
    TileGrid tiles(sampleFolder() + u'/' + e.name, e.ext, f.x, f.y, m.tileWidth, m.tileHeight);
    int green = 0, blue = 0, grey = 0, seen = 0;
    for (int y = 0; y < m.totalRows * m.tileHeight; y += 7)
      for (int x = 0; x < m.totalCols * m.tileWidth; x += 7) {
        QRgb c;
        if (!tiles.pixel(x, y, c)) continue;
        ++seen;
        green += qGreen(c) > qRed(c) + 8 && qGreen(c) > qBlue(c) + 8;
        blue += qBlue(c) > qRed(c) + 8;
        grey += greyRoof(c);
      }
    ASSERT_GT(seen, 1000) << e.name.toStdString();
    EXPECT_GT(double(green) / seen, 0.2) << e.name.toStdString() << " forest and fields";
    EXPECT_GT(double(blue) / seen, 0.1) << e.name.toStdString() << " sea";
    EXPECT_GT(double(grey) / seen, 0.03) << e.name.toStdString() << " town";
  }
}
