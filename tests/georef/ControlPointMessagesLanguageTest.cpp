// SPDX-License-Identifier: MIT
// The reasons the control-point readers give for a damaged file, whole, in
// Japanese as they always read and in English with the catalogue installed:
// the line, the column's name and the quoted value stay as the file has them.
#include <gtest/gtest.h>

#include "geo/ControlPointFiles.h"
#include "support/InstalledCatalogue.h"

using namespace kavalo;

namespace {

struct MessageCase {
  const char* what;
  QByteArray text;
  const char* japanese;
  const char* english;
};

const QByteArray kHeader = "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n";

std::vector<MessageCase> messageCases() {
  return {
      {"an empty file", " \r\n", "ファイルが空です。", "The file is empty."},
      {"no format", "hello, world\n1,2\n",
       "基準点のファイルとして読めません。.points、x,y,lon,lat の CSV、ジオリファレンスの注釈のどれでもありません。",
       "Cannot read this as a control-point file: it is neither a .points file, nor a CSV file of x,y,lon,lat, nor a "
       "georeference annotation."},
      {"a broken number", "#CRS: \n" + kHeader + "139.5,35.25,1O0,-200,1,0,0,0\n",
       "3行目の数値が読めません（sourceX：「1O0」）。", "Line 3: a number cannot be read (sourceX: “1O0”)."},
      {"too few values", kHeader + "139.5,35.25,100\n", "2行目の値の数が見出しと合いません（3個、見出しは8個）。",
       "Line 2: the number of values does not match the header (3 values, the header has 8)."},
      {"an open quote", "x,y,lon,lat\n\"1,2,139,35\n", "2行目の引用符（\"）が閉じていません。",
       "Line 2: a quotation mark (\") is not closed."},
      {"a latitude out of range", "x,y,lon,lat\n1,2,139,95\n", "2行目の地図上の位置が範囲外です（139, 95）。",
       "Line 2: the map position is out of range (139, 95)."},
      {"a second point without coordinates",
       R"({"type": "Annotation", "motivation": "georeferencing", "target": "a.jpg", "body": {"type": "FeatureCollection",
           "features": [{"type": "Feature", "properties": {"resourceCoords": [1, 2]}, "geometry": {"type": "Point", "coordinates": [139, 35]}},
                        {"type": "Feature", "properties": {"resourceCoords": [3, 4]}, "geometry": {"type": "Point"}}]}})",
       "2番目の基準点の経度・緯度（coordinates）が読めません。",
       "Cannot read the longitude and latitude (coordinates) of control point 2."},
  };
}

void expectMessages(bool english) {
  for (const MessageCase& c : messageCases()) {
    SCOPED_TRACE(c.what);
    ControlPointFile out;
    QString why;
    EXPECT_FALSE(readControlPointFile(c.text, 1000, 800, out, nullptr, &why));
    EXPECT_EQ(why, QString::fromUtf8(english ? c.english : c.japanese));
  }
}

}  // namespace

TEST(ControlPointMessagesLanguage, WholeReasonsInJapaneseAndInEnglish) {
  expectMessages(false);
  test::InstalledCatalogue catalogue(QStringLiteral("en"));
  ASSERT_TRUE(catalogue.installed()) << catalogue.error().toStdString();
  expectMessages(true);
}
