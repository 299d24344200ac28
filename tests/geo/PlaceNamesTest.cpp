// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "model/PlaceNames.h"
#include "support/Fixtures.h"
#include "support/PlaceNameFixture.h"

using namespace kavalo;
using test::PlaceRecord;

namespace {

const std::vector<PlaceRecord> kRecords = {
    {QStringLiteral("東京駅"), 139.7671f, 35.68123f, 4, QStringLiteral("とうきょうえき")},
    {QStringLiteral("高尾山"), 139.2437f, 35.62528f, 3, QString()},
    {QStringLiteral("髙島町"), 139.625f, 35.45f, 1, QStringLiteral("たかしまちょう")},
};

struct GazetteerFile {
  QTemporaryDir dir;
  QString path() const { return dir.filePath(QStringLiteral("placename.dat")); }
  void write(const QByteArray& bytes) const { test::writeBytes(path(), bytes); }
};

}  // namespace

TEST(PlaceNameFile, RecordsAreReadInOrderWithTheirFields) {
  GazetteerFile f;
  f.write(test::placeNameFileBytes(kRecords));
  std::vector<PlaceName> places;
  QString error;
  ASSERT_TRUE(Get_PlaceNameFile(f.path(), places, &error)) << error.toStdString();
  ASSERT_EQ(places.size(), 3u);
  EXPECT_EQ(places[0].name, QStringLiteral("東京駅"));
  EXPECT_EQ(places[0].lon, 139.7671f);
  EXPECT_EQ(places[0].lat, 35.68123f);
  EXPECT_EQ(places[0].category, 4);
  EXPECT_EQ(places[0].text, QStringLiteral("とうきょうえき"));
  EXPECT_TRUE(places[1].text.isEmpty());
  EXPECT_EQ(places[2].name, QStringLiteral("髙島町"));  // the Microsoft table's characters
  EXPECT_TRUE(error.isEmpty());
}

TEST(PlaceNameFile, AMissingFileOrNoRecordsIsAnEmptyGazetteer) {
  GazetteerFile f;
  std::vector<PlaceName> places = {PlaceName{QStringLiteral("old"), 0, 0, 0, {}}};
  QString error;
  EXPECT_TRUE(Get_PlaceNameFile(f.path(), places, &error));
  EXPECT_TRUE(places.empty());
  f.write(test::placeNameFileBytes({}));
  places.push_back(PlaceName{});
  EXPECT_TRUE(Get_PlaceNameFile(f.path(), places, &error));
  EXPECT_TRUE(places.empty());
  EXPECT_TRUE(error.isEmpty());
}

TEST(PlaceNameFile, BrokenFilesGiveOneMessageAndAnEmptyGazetteer) {
  const QByteArray good = test::placeNameFileBytes(kRecords);
  auto withCount = [&](int32_t n) { return test::placeNameFileBytes(kRecords, n); };
  PlaceRecord badCategory = kRecords[1];
  badCategory.category = 8;
  PlaceRecord negativeCategory = kRecords[1];
  negativeCategory.category = -1;
  struct Case {
    const char* what;
    QByteArray bytes;
  };
  const std::vector<Case> cases = {
      {"cut inside the last record", good.left(good.size() - 3)},
      {"cut inside a name", good.left(4 + 2 + 3)},
      {"cut inside the count", good.left(2)},
      {"more records counted than present", withCount(4)},
      {"a count no file can hold", withCount(0x7FFFFFFF)},
      {"a negative count", withCount(-5)},
      {"a category above 7", test::placeNameFileBytes({kRecords[0], badCategory})},
      {"a category below 0", test::placeNameFileBytes({kRecords[0], negativeCategory})},
      {"a name longer than the rest of the file",
       [&] {
         QByteArray b = test::placeNameFileBytes({kRecords[0]});
         b[4] = char(0xFF);
         b[5] = char(0xFF);
         return b;
       }()},
  };
  for (const Case& c : cases) {
    GazetteerFile f;
    f.write(c.bytes);
    std::vector<PlaceName> places = {PlaceName{}};
    QString error;
    EXPECT_FALSE(Get_PlaceNameFile(f.path(), places, &error)) << c.what;
    EXPECT_TRUE(places.empty()) << c.what;
    EXPECT_TRUE(error.contains(QStringLiteral("placename.dat"))) << c.what;
  }
}

TEST(PlaceNameFile, BytesAfterTheCountedRecordsAreIgnored) {
  GazetteerFile f;
  f.write(test::placeNameFileBytes(kRecords, 2) + QByteArray("\x00\x01", 2));
  std::vector<PlaceName> places;
  ASSERT_TRUE(Get_PlaceNameFile(f.path(), places, nullptr));
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[1].name, QStringLiteral("高尾山"));
}
