// SPDX-License-Identifier: MIT
// The files of the sample region agree with its configuration: tile and
// mask files for exactly the sheets each era has, check lists that name
// every image (less the few left out on purpose), legends, the 1:20,000
// sheets, and an elevation grid cut to the tile grid.
#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

#include "../../tools/make-sample-dataset/SampleRegion.h"
#include "SampleRun.h"
#include "platform/Codec.h"
#include "support/Fixtures.h"

using namespace sampletest;

namespace {

bool leftOut(const QString& era, const QString& file) {
  for (const sample::MissingFile& m : sample::kMissingFiles)
    if (era == QLatin1String(m.era) && file == QLatin1String(m.file)) return true;
  return false;
}

QString tileName(int column, int row, const QString& ext) {
  return QStringLiteral("%1_%2.%3").arg(column, 3, 10, QLatin1Char('0')).arg(row, 3, 10, QLatin1Char('0')).arg(ext);
}

// The tile and mask names an era of the grid should hold.
QSet<QString> expectedImages(const kavalo::ProgramState& s, const kavalo::Era& e) {
  QSet<QString> names;
  const kavalo::MapInfo& m = s.mapInfo;
  for (int row = 0; row < m.totalRows; ++row)
    for (int column = 0; column < m.totalCols; ++column) {
      if (e.kind == kavalo::kScannedSheets &&
          s.history.at(column / m.tilesPerSheetX, row / m.tilesPerSheetY, e.historyColumn + 1, 0).isEmpty())
        continue;
      const QString name = tileName(column, row, e.ext);
      names << name;
      if (e.tileStyle == kavalo::kMaskedMap) names << QStringLiteral("M_") + name;
    }
  return names;
}

QSet<QString> imagesOnDisk(const QString& folder) {
  QSet<QString> names;
  for (const QString& f : filesUnder(folder))
    if (f.endsWith(u".png") || f.endsWith(u".jpg")) names << f;
  return names;
}

}  // namespace

TEST(SampleRegionFiles, EachEraHasTheTilesOfItsSheetsAndNoOthers) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  for (const kavalo::Era& e : r.state.eras) {
    if (e.bySheetIndex) continue;
    const QString folder = sampleFolder() + u'/' + e.name;
    QSet<QString> expected = expectedImages(r.state, e);
    for (const sample::MissingFile& m : sample::kMissingFiles)
      if (e.name == QLatin1String(m.era)) expected.remove(QLatin1String(m.file));
    EXPECT_EQ(imagesOnDisk(folder), expected) << e.name.toStdString();
    for (const QString& name : expected) {
      const QImage tile(folder + u'/' + name);
      ASSERT_FALSE(tile.isNull()) << (e.name + u'/' + name).toStdString();
      EXPECT_EQ(tile.size(), QSize(r.state.mapInfo.tileWidth, r.state.mapInfo.tileHeight)) << name.toStdString();
    }
  }
}

TEST(SampleRegionFiles, SheetErasLackTilesWhereTheyBorrowOrHaveNoSheet) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  int checked = 0;
  for (const kavalo::Era& e : r.state.eras) {
    if (e.kind != kavalo::kScannedSheets) continue;
    for (int row = 0; row < r.state.mapInfo.sheetsY; ++row)
      for (int column = 0; column < r.state.mapInfo.sheetsX; ++column) {
        if (!r.state.history.at(column, row, e.historyColumn + 1, 0).isEmpty()) continue;
        const QString first =
            tileName(column * r.state.mapInfo.tilesPerSheetX, row * r.state.mapInfo.tilesPerSheetY, e.ext);
        EXPECT_FALSE(QFileInfo::exists(sampleFolder() + u'/' + e.name + u'/' + first)) << e.name.toStdString();
        ++checked;
      }
  }
  EXPECT_GE(checked, 2);
}

TEST(SampleRegionFiles, MasksAreWhiteExactlyWhereTheMapIsTransparent) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  int maskedEras = 0;
  for (const kavalo::Era& e : r.state.eras) {
    if (e.tileStyle != kavalo::kMaskedMap) continue;
    ++maskedEras;
    const QString folder = sampleFolder() + u'/' + e.name;
    int64_t transparent = 0, opaque = 0;
    for (const QString& name : expectedImages(r.state, e)) {
      if (name.startsWith(u"M_")) continue;
      const QImage tile = QImage(folder + u'/' + name).convertToFormat(QImage::Format_RGB32);
      const QImage mask = QImage(folder + QStringLiteral("/M_") + name).convertToFormat(QImage::Format_RGB32);
      ASSERT_EQ(tile.size(), mask.size()) << name.toStdString();
      for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
          const QRgb m = mask.pixel(x, y), t = tile.pixel(x, y);
          if (m == qRgb(255, 255, 255)) {
            ++transparent;
            ASSERT_EQ(t, qRgb(0, 0, 0)) << name.toStdString() << " " << x << "," << y;
          } else {
            ++opaque;
            ASSERT_EQ(m, qRgb(0, 0, 0)) << "mask is black or white";
            ASSERT_LE(qRed(t) + qGreen(t) + qBlue(t), 749) << name.toStdString();
          }
        }
    }
    // Both parts must be there, or the mask shows nothing of the map.
    EXPECT_GT(transparent, 0) << e.name.toStdString();
    EXPECT_GT(opaque, 0) << e.name.toStdString();
  }
  EXPECT_EQ(maskedEras, 2) << "the 2001 sheets and the agency map";
}

TEST(SampleRegionFiles, OpaqueSheetsAreLineWorkOnPureWhitePaper) {
  // White paper leaves the elevation colours unchanged when ANDed.
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  for (const kavalo::Era& e : r.state.eras) {
    if (e.kind != kavalo::kScannedSheets || e.tileStyle != kavalo::kOpaqueMap) continue;
    int64_t white = 0, all = 0, coloured = 0;
    for (const QString& name : imagesOnDisk(sampleFolder() + u'/' + e.name)) {
      const QImage tile = QImage(sampleFolder() + u'/' + e.name + u'/' + name).convertToFormat(QImage::Format_RGB32);
      for (int y = 0; y < tile.height(); y += 2)
        for (int x = 0; x < tile.width(); x += 2) {
          const QRgb c = tile.pixel(x, y);
          ++all;
          white += c == qRgb(255, 255, 255);
          coloured += std::abs(qRed(c) - qBlue(c)) > 60;  // brown contours, blue water
        }
    }
    ASSERT_GT(all, 0);
    EXPECT_GT(double(white) / all, 0.6) << e.name.toStdString();
    EXPECT_GT(double(coloured) / all, 0.005) << e.name.toStdString();
  }
}

TEST(SampleRegionFiles, CheckListsNameEveryImageButTheOnesLeftToFetch) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  int lists = 0, missing = 0;
  for (const kavalo::Era& e : r.state.eras) {
    if (e.kind != kavalo::kScannedSheets && e.kind != kavalo::kTwentyThousand) continue;
    ++lists;
    const QString folder = sampleFolder() + u'/' + e.name;
    const QStringList listed = checkList(folder + QStringLiteral("/gazo_check_list.txt"));
    ASSERT_FALSE(listed.isEmpty()) << e.name.toStdString();
    for (const QString& name : listed) {
      if (leftOut(e.name, name)) {
        EXPECT_FALSE(QFileInfo::exists(folder + u'/' + name)) << name.toStdString();
        ++missing;
      } else {
        EXPECT_TRUE(QFileInfo::exists(folder + u'/' + name)) << (e.name + u'/' + name).toStdString();
      }
    }
    for (const QString& image : imagesOnDisk(folder)) EXPECT_TRUE(listed.contains(image)) << image.toStdString();
  }
  EXPECT_EQ(lists, 5);
  EXPECT_EQ(missing, static_cast<int>(sample::kMissingFiles.size()));
}

TEST(SampleRegionFiles, TwentyThousandSheetsDecodeAndLieOnTheRegion) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  const kavalo::MapInfo& m = r.state.mapInfo;
  for (const kavalo::Era& e : r.state.eras) {
    if (!e.bySheetIndex) continue;
    for (const kavalo::SheetImage& s : e.sheets) {
      const QImage image(sampleFolder() + QStringLiteral("/2man/") + s.fileName);
      ASSERT_FALSE(image.isNull()) << s.fileName.toStdString();
      EXPECT_GT(s.box.east, s.box.west);
      EXPECT_GT(s.box.north, s.box.south);
      EXPECT_TRUE(s.box.west >= m.west && s.box.west < m.east && s.box.north <= m.north && s.box.north > m.south);
      // The picture keeps the proportions of its box on the map.
      const double boxRatio = (s.box.east - s.box.west) / 0.125 * m.tilesPerSheetX * m.tileWidth /
                              ((s.box.north - s.box.south) * 12 * m.tilesPerSheetY * m.tileHeight);
      EXPECT_NEAR(double(image.width()) / image.height(), boxRatio, 0.01);
    }
  }
}

TEST(SampleRegionFiles, EverySheetEraHasItsLegend) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  for (const kavalo::Era& e : r.state.eras) {
    if (!e.hasLegend) continue;
    const QString digits = (QStringLiteral("0") + QString::number(e.legendNumber)).right(2);
    const QString file = e.kind == kavalo::kTwentyThousand ? QStringLiteral("2man") : digits;
    const QImage legend(sampleFolder() + QStringLiteral("/legend/") + file + u'.' + e.ext);
    EXPECT_FALSE(legend.isNull()) << e.name.toStdString();
    EXPECT_GT(legend.height(), legend.width());
  }
}

TEST(SampleRegionFiles, ElevationGridIsCutToTheTilesWithSeaAndVisibleRelief) {
  const LoadedRegion& r = sampleRegion();
  ASSERT_TRUE(r.loaded());
  const kavalo::AltitudeGrid& g = r.state.altitude;
  const kavalo::MapInfo& m = r.state.mapInfo;
  ASSERT_FALSE(g.empty());
  EXPECT_EQ(g.columns % m.totalCols, 0);
  EXPECT_EQ(g.rows % m.totalRows, 0);
  int64_t sea = 0;
  int32_t low = INT32_MAX, high = INT32_MIN;
  std::vector<double> shades;
  for (int y = 0; y < g.rows; ++y)
    for (int x = 0; x < g.columns; ++x) {
      const int32_t v = g.cell(x, y);
      if (v == kavalo::kSeaValue) {
        ++sea;
        continue;
      }
      low = std::min(low, v);
      high = std::max(high, v);
      if (x + 1 < g.columns && y + 1 < g.rows && g.cell(x + 1, y + 1) != kavalo::kSeaValue && g.cell(x + 1, y + 1) != v)
        shades.push_back(std::fabs(double(g.cell(x + 1, y + 1) - v) / g.reliefDivisor * 200));
    }
  const double cells = double(g.columns) * g.rows;
  EXPECT_GT(sea / cells, 0.05);
  EXPECT_LT(sea / cells, 0.6);
  EXPECT_EQ(g.lowest, low);
  EXPECT_EQ(g.highest, high);
  EXPECT_GT(high, 1000) << "hills over 100 m";
  // The default colour set's shading (strength 200) shows on the hillsides:
  // a few tens of levels, neither invisible nor burnt out.
  ASSERT_FALSE(shades.empty());
  std::nth_element(shades.begin(), shades.begin() + shades.size() / 2, shades.end());
  EXPECT_GE(shades[shades.size() / 2], 8);
  EXPECT_LE(shades[shades.size() / 2], 60);
}

TEST(SampleRegionFiles, TextFilesAreShiftJisWithCrLf) {
  for (const QString& name : filesUnder(sampleRoot())) {
    if (!name.endsWith(u".txt") && !name.endsWith(u".csv") && !name.endsWith(u".kmk")) continue;
    const QByteArray bytes = kavalo::test::readBytes(sampleRoot() + u'/' + name);
    bool ok = false;
    kavalo::fromSjis(bytes, &ok);
    EXPECT_TRUE(ok) << name.toStdString();
    for (qsizetype i = bytes.indexOf('\n'); i >= 0; i = bytes.indexOf('\n', i + 1))
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << name.toStdString();
  }
}
