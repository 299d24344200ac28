// SPDX-License-Identifier: MIT
// The control-point exchange files: each format read back as written, the
// other tools' variants (sign of source y, tab-separated older points files,
// pixelCoords, annotation pages, CSV quirks), masks, and damaged input that
// must be refused with a reason and leave the caller's set untouched.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "geo/ControlPointFiles.h"

using namespace kavalo;

namespace {

// Digits beyond what any of the formats' readers could keep by chance: a
// round trip that cuts a number shows.
ControlPointFile sampleSet() {
  ControlPointFile s;
  s.crs = QStringLiteral("EPSG:4326");
  s.scanName = QStringLiteral("町の図 \"1890\" \\ 版.jpg");
  s.scanWidth = 4000;
  s.scanHeight = 3000;
  s.points = {
      {true, 12.25, 30.5, 139.123456789012, 35.987654321098},
      {true, 3987.7531, 45.1254, 139.22345678912345, 35.98123456789},
      {false, 2000.5, 1500.0625, 139.17, 35.93},
      {true, 3950.0001, 2980.0, -0.000000001, 35.8877},
      {true, 0.0, 2999.5, 139.1199, -35.8866},
  };
  s.mask = {{100, 80}, {3900, 90.5}, {3890.25, 2900}, {110, 2910}};
  return s;
}

std::vector<FileControlPoint> enabledOnly(const std::vector<FileControlPoint>& points) {
  std::vector<FileControlPoint> out;
  for (const FileControlPoint& p : points)
    if (p.enabled) out.push_back(p);
  return out;
}

void expectSamePoints(const std::vector<FileControlPoint>& got, const std::vector<FileControlPoint>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(got[i].enabled, want[i].enabled);
    EXPECT_DOUBLE_EQ(got[i].scanX, want[i].scanX);
    EXPECT_DOUBLE_EQ(got[i].scanY, want[i].scanY);
    EXPECT_DOUBLE_EQ(got[i].mapX, want[i].mapX);
    EXPECT_DOUBLE_EQ(got[i].mapY, want[i].mapY);
  }
}

void expectSamePolygon(const std::vector<QPointF>& got, const std::vector<QPointF>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], want[i]) << i;
}

// A set the readers must leave as it is when they refuse a file.
ControlPointFile untouched() {
  ControlPointFile s;
  s.crs = QStringLiteral("untouched");
  s.points = {{true, 1, 2, 3, 4}};
  return s;
}

// Text as a spreadsheet saves "Unicode text": UTF-16, little-endian, after
// its byte-order mark.
QByteArray utf16(const char16_t* text) {
  QByteArray bytes("\xFF\xFE");
  for (const char16_t* c = text; *c; ++c) bytes.append(char(*c & 0xFF)).append(char(*c >> 8));
  return bytes;
}

QByteArray pointsHeader() { return "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n"; }

}  // namespace

// ---- Round trips

struct RoundTripCase {
  const char* name;
  ControlPointFormat format;
  bool keepsDisabled;  // the format has an on/off column
  bool keepsScan;      // the scan's name and size, the mask and the method
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class ControlPointRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(ControlPointRoundTrip, ReadsBackWhatWasWritten) {
  const RoundTripCase& c = GetParam();
  const ControlPointFile set = sampleSet();
  QByteArray text;
  switch (c.format) {
    case ControlPointFormat::Points:
      text = writePointsFile(set, nullptr);
      break;
    case ControlPointFormat::Csv:
      text = writeControlPointCsv(set);
      break;
    case ControlPointFormat::Annotation:
      text = writeGeoreferenceAnnotation(set, GeorefMethod::Poly2);
      break;
  }
  // The scan's size known or not: what was written reads back the same.
  for (const int size : {0, 1}) {
    SCOPED_TRACE(size);
    ControlPointFile got;
    ControlPointFormat format = ControlPointFormat::Points;
    QString why;
    ASSERT_TRUE(readControlPointFile(text, size * 4000, size * 3000, got, &format, &why)) << why.toStdString();
    EXPECT_EQ(format, c.format);
    EXPECT_EQ(got.crs, QStringLiteral("EPSG:4326"));
    expectSamePoints(got.points, c.keepsDisabled ? set.points : enabledOnly(set.points));
    if (c.keepsScan) {
      EXPECT_EQ(got.scanName, set.scanName);
      EXPECT_EQ(got.scanWidth, 4000);
      EXPECT_EQ(got.scanHeight, 3000);
      expectSamePolygon(got.mask, set.mask);
      EXPECT_EQ(got.method, GeorefMethod::Poly2);
    } else {
      EXPECT_TRUE(got.scanName.isEmpty());
      EXPECT_TRUE(got.mask.empty());
      EXPECT_FALSE(got.method.has_value());
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, ControlPointRoundTrip,
                         ::testing::Values(RoundTripCase{"points", ControlPointFormat::Points, true, false},
                                           RoundTripCase{"csv", ControlPointFormat::Csv, false, false},
                                           RoundTripCase{"annotation", ControlPointFormat::Annotation, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ControlPointFiles, ThePointsFileIsWrittenAsTheDesktopGisWritesIt) {
  ControlPointFile set = sampleSet();
  const std::vector<PointResidual> residuals = {{0.5, -0.25, 0.559}, {0, 0, 0}, {1, 2, 3}, {0, 0, 0}, {-1.5, 0, 1.5}};
  const QList<QByteArray> lines = writePointsFile(set, &residuals).split('\n');
  ASSERT_EQ(lines.size(), 8);
  EXPECT_TRUE(lines[0].startsWith("#CRS: GEOGCRS[\"WGS 84\","));
  EXPECT_TRUE(lines[0].endsWith("ID[\"EPSG\",4326]]"));
  EXPECT_EQ(lines[1], "mapX,mapY,sourceX,sourceY,enable,dX,dY,residual");
  // Source y negative; '.' decimals, no exponent, every digit kept.
  EXPECT_EQ(lines[2], "139.123456789012,35.987654321098,12.25,-30.5,1,0.5,-0.25,0.559");
  EXPECT_EQ(lines[4], "139.17,35.93,2000.5,-1500.0625,0,1,2,3");
  EXPECT_EQ(lines[5], "-0.000000001,35.8877,3950.0001,-2980,1,0,0,0");
  EXPECT_EQ(lines[6], "139.1199,-35.8866,0,-2999.5,1,-1.5,0,1.5");
  EXPECT_EQ(lines[7], "");

  // Residuals that do not match the points are not written against the
  // wrong ones; a projected system's WKT stays on the first line.
  set.crs = QStringLiteral("PROJCRS[\"JGD2011 / Japan Plane Rectangular CS IX\",\n  BASEGEOGCRS[\"JGD2011\"]]");
  const std::vector<PointResidual> short_ = {{9, 9, 9}};
  const QList<QByteArray> other = writePointsFile(set, &short_).split('\n');
  EXPECT_EQ(other[0], "#CRS: PROJCRS[\"JGD2011 / Japan Plane Rectangular CS IX\",   BASEGEOGCRS[\"JGD2011\"]]");
  EXPECT_TRUE(other[2].endsWith(",1,0,0,0"));
}

TEST(ControlPointFiles, TheCsvHasTheHeaderAndOnlyTheEnabledPoints) {
  const QList<QByteArray> lines = writeControlPointCsv(sampleSet()).split('\n');
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], "x,y,lon,lat");
  EXPECT_EQ(lines[1], "12.25,30.5,139.123456789012,35.987654321098");
  EXPECT_EQ(lines[4], "0,2999.5,139.1199,-35.8866");
}

// The annotation as any JSON reader sees it: the envelope the other tools
// look for, the scan in the target, only the enabled points.
TEST(ControlPointFiles, TheAnnotationCarriesTheScanTheMaskAndTheTransform) {
  struct Case {
    GeorefMethod method;
    const char* type;
    int order;  // 0: none written
  };
  const Case cases[] = {
      {GeorefMethod::Helmert, "polynomial", 1},    {GeorefMethod::Poly1, "polynomial", 1},
      {GeorefMethod::Poly2, "polynomial", 2},      {GeorefMethod::Poly3, "polynomial", 3},
      {GeorefMethod::Projective, "polynomial", 1}, {GeorefMethod::ThinPlateSpline, "thinPlateSpline", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type + std::to_string(c.order));
    const QByteArray text = writeGeoreferenceAnnotation(sampleSet(), c.method);
    QJsonParseError error;
    const QJsonObject a = QJsonDocument::fromJson(text, &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
    EXPECT_EQ(a[QStringLiteral("type")].toString(), QStringLiteral("Annotation"));
    EXPECT_EQ(a[QStringLiteral("motivation")].toString(), QStringLiteral("georeferencing"));
    EXPECT_TRUE(a[QStringLiteral("@context")].toArray().contains(
        QStringLiteral("http://iiif.io/api/extension/georef/1/context.json")));
    const QJsonObject target = a[QStringLiteral("target")].toObject();
    EXPECT_EQ(target[QStringLiteral("type")].toString(), QStringLiteral("SpecificResource"));
    const QJsonObject source = target[QStringLiteral("source")].toObject();
    EXPECT_EQ(source[QStringLiteral("id")].toString(), sampleSet().scanName);
    EXPECT_EQ(source[QStringLiteral("type")].toString(), QStringLiteral("Image"));
    EXPECT_EQ(source[QStringLiteral("width")].toInt(), 4000);
    EXPECT_EQ(source[QStringLiteral("height")].toInt(), 3000);
    const QJsonObject selector = target[QStringLiteral("selector")].toObject();
    EXPECT_EQ(selector[QStringLiteral("type")].toString(), QStringLiteral("SvgSelector"));
    EXPECT_EQ(selector[QStringLiteral("value")].toString(),
              QStringLiteral("<svg width=\"4000\" height=\"3000\"><polygon points=\"100,80 3900,90.5 3890.25,2900 "
                             "110,2910\"/></svg>"));
    const QJsonObject body = a[QStringLiteral("body")].toObject();
    EXPECT_EQ(body[QStringLiteral("type")].toString(), QStringLiteral("FeatureCollection"));
    const QJsonObject t = body[QStringLiteral("transformation")].toObject();
    EXPECT_EQ(t[QStringLiteral("type")].toString(), QString::fromLatin1(c.type));
    EXPECT_EQ(t[QStringLiteral("options")][QStringLiteral("order")].toInt(), c.order);
    const QJsonArray features = body[QStringLiteral("features")].toArray();
    ASSERT_EQ(features.size(), 4);
    const QJsonObject f = features[1].toObject();
    EXPECT_EQ(f[QStringLiteral("properties")][QStringLiteral("resourceCoords")].toArray(),
              (QJsonArray{3987.7531, 45.1254}));
    EXPECT_EQ(f[QStringLiteral("geometry")][QStringLiteral("type")].toString(), QStringLiteral("Point"));
    EXPECT_EQ(f[QStringLiteral("geometry")][QStringLiteral("coordinates")].toArray(),
              (QJsonArray{139.22345678912345, 35.98123456789}));
  }
}

// Without a mask the selector is the whole frame, which reads back as no
// mask; a web image service is named as one.
TEST(ControlPointFiles, AnAnnotationWithoutAMaskSelectsTheWholeScan) {
  ControlPointFile set = sampleSet();
  set.mask.clear();
  set.scanName = QStringLiteral("https://images.example.org/iiif/2/plan1890");
  const QByteArray text = writeGeoreferenceAnnotation(set, GeorefMethod::ThinPlateSpline);
  const QJsonObject target = QJsonDocument::fromJson(text).object()[QStringLiteral("target")].toObject();
  EXPECT_EQ(
      target[QStringLiteral("selector")][QStringLiteral("value")].toString(),
      QStringLiteral("<svg width=\"4000\" height=\"3000\"><polygon points=\"0,0 4000,0 4000,3000 0,3000\"/></svg>"));
  EXPECT_EQ(target[QStringLiteral("source")][QStringLiteral("type")].toString(), QStringLiteral("ImageService2"));
  ControlPointFile got;
  ASSERT_TRUE(readControlPointFile(text, 0, 0, got, nullptr, nullptr));
  EXPECT_TRUE(got.mask.empty());
  EXPECT_EQ(got.scanName, set.scanName);
  EXPECT_EQ(got.method, GeorefMethod::ThinPlateSpline);
}

// ---- The other tools' variants

struct VariantCase {
  const char* name;
  QByteArray text;
  int width, height;  // the scan's size, 0 when unknown
  ControlPointFormat format;
  QString crs;
  std::vector<FileControlPoint> points;
};

void PrintTo(const VariantCase& c, std::ostream* os) { *os << c.name; }

class ControlPointVariants : public ::testing::TestWithParam<VariantCase> {};

TEST_P(ControlPointVariants, ReadAsTheScanSees) {
  const VariantCase& c = GetParam();
  ControlPointFile got;
  ControlPointFormat format = ControlPointFormat::Annotation;
  QString why;
  ASSERT_TRUE(readControlPointFile(c.text, c.width, c.height, got, &format, &why)) << why.toStdString();
  EXPECT_EQ(format, c.format);
  EXPECT_EQ(got.crs, c.crs);
  expectSamePoints(got.points, c.points);
}

const QString kWorld = QStringLiteral("EPSG:4326");

INSTANTIATE_TEST_SUITE_P(
    Files, ControlPointVariants,
    ::testing::Values(
        // Source y negative downwards (files for unreferenced rasters) and
        // positive (some newer ones), with and without the scan's size.
        VariantCase{"NegativeY",
                    "#CRS: \n" + pointsHeader() + "139.5,35.25,100,-200,1,0,0,0\n139.6,35.2,900,-700,0,0,0,0\n",
                    1000,
                    800,
                    ControlPointFormat::Points,
                    kWorld,
                    {{true, 100, 200, 139.5, 35.25}, {false, 900, 700, 139.6, 35.2}}},
        VariantCase{"PositiveY",
                    pointsHeader() + "139.5,35.25,100,200,1,0,0,0\n139.6,35.2,900,700,1,0,0,0\n",
                    1000,
                    800,
                    ControlPointFormat::Points,
                    kWorld,
                    {{true, 100, 200, 139.5, 35.25}, {true, 900, 700, 139.6, 35.2}}},
        VariantCase{"NegativeYSizeUnknown",
                    pointsHeader() + "139.5,35.25,100,-200,1,0,0,0\n",
                    0,
                    0,
                    ControlPointFormat::Points,
                    kWorld,
                    {{true, 100, 200, 139.5, 35.25}}},
        VariantCase{"PositiveYSizeUnknown",
                    pointsHeader() + "139.5,35.25,100,200,1,0,0,0\n",
                    0,
                    0,
                    ControlPointFormat::Points,
                    kWorld,
                    {{true, 100, 200, 139.5, 35.25}}},
        // A point clicked just above the top edge does not turn a positive
        // file over.
        VariantCase{
            "PositiveYWithAPointAboveTheEdge",
            pointsHeader() + "139.5,35.25,100,-0.3,1,0,0,0\n139.6,35.2,900,150,1,0,0,0\n139.6,35.1,800,600,1,0,0,0\n",
            1000,
            800,
            ControlPointFormat::Points,
            kWorld,
            {{true, 100, -0.3, 139.5, 35.25}, {true, 900, 150, 139.6, 35.2}, {true, 800, 600, 139.6, 35.1}}},
        // The points inside the image decide over the majority of signs.
        VariantCase{"InsideDecides",
                    pointsHeader() +
                        "1,1,10,-200,1,0,0,0\n1,1,10,-300,1,0,0,0\n1,1,10,900,1,0,0,0\n1,1,10,950,1,0,0,0\n"
                        "1,1,10,1000,1,0,0,0\n",
                    1000,
                    800,
                    ControlPointFormat::Points,
                    kWorld,
                    {{true, 10, 200, 1, 1},
                     {true, 10, 300, 1, 1},
                     {true, 10, -900, 1, 1},
                     {true, 10, -950, 1, 1},
                     {true, 10, -1000, 1, 1}}},
        // Older files: tab-separated, pixelX/pixelY, without the on/off
        // column; or a comma header over tab-separated rows.
        VariantCase{"OldTabSeparated",
                    "mapX\tmapY\tpixelX\tpixelY\n139.5\t35.25\t120\t-340\n\n139.7\t35.1\t60.5\t-20\n",
                    0,
                    0,
                    ControlPointFormat::Points,
                    kWorld,
                    {{true, 120, 340, 139.5, 35.25}, {true, 60.5, 20, 139.7, 35.1}}},
        VariantCase{"OldCommaHeaderTabRows",
                    "mapX,mapY,pixelX,pixelY,enable\r\n139.5\t35.25\t120\t-340\t0\r\n",
                    500,
                    500,
                    ControlPointFormat::Points,
                    kWorld,
                    {{false, 120, 340, 139.5, 35.25}}},
        // The coordinate system as the first line names it.
        VariantCase{"Wkt1World",
                    "#CRS: GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],"
                    "AUTHORITY[\"EPSG\",\"4326\"]]\n" +
                        pointsHeader() + "139.5,35.25,100,-200,1,0,0,0\n",
                    0,
                    0,
                    ControlPointFormat::Points,
                    kWorld,
                    {{true, 100, 200, 139.5, 35.25}}},
        VariantCase{"Projected",
                    "#CRS: PROJCRS[\"JGD2011 / Japan Plane Rectangular CS IX\",ID[\"EPSG\",6677]]\n" + pointsHeader() +
                        "-12345.5,-45678.25,100,-200,1,0,0,0\n",
                    0,
                    0,
                    ControlPointFormat::Points,
                    QStringLiteral("PROJCRS[\"JGD2011 / Japan Plane Rectangular CS IX\",ID[\"EPSG\",6677]]"),
                    {{true, 100, 200, -12345.5, -45678.25}}},
        // CSV as the map-warping sites and spreadsheets hand it over.
        VariantCase{"CsvCrLfBomBlankLines",
                    "\xEF\xBB\xBFx,y,lon,lat\r\n\r\n10,20,139.5,35.25\r\n  \r\n30.5,40,139.6,35.3\r\n",
                    0,
                    0,
                    ControlPointFormat::Csv,
                    kWorld,
                    {{true, 10, 20, 139.5, 35.25}, {true, 30.5, 40, 139.6, 35.3}}},
        VariantCase{"CsvQuotedWithMoreColumns",
                    "\"id\",\"X\",\"Y\",\"Lon\",\"Lat\",\"name\"\n1,\"10\",\" 20 \",139.5,35.25,\"a, \"\"b\"\"\"\n",
                    0,
                    0,
                    ControlPointFormat::Csv,
                    kWorld,
                    {{true, 10, 20, 139.5, 35.25}}},
        VariantCase{"CsvUtf16FromASpreadsheet",
                    utf16(u"x\ty\tlon\tlat\tname\r\n10\t20\t139.5\t35.25\t東京\r\n"),
                    0,
                    0,
                    ControlPointFormat::Csv,
                    kWorld,
                    {{true, 10, 20, 139.5, 35.25}}},
        VariantCase{"CsvSemicolonsTrailingSeparatorLoneCr",
                    "x;y;lon;lat\r10;20;139.5;35.25;\r",
                    0,
                    0,
                    ControlPointFormat::Csv,
                    kWorld,
                    {{true, 10, 20, 139.5, 35.25}}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Annotations from the other tools

struct AnnotationCase {
  const char* name;
  QByteArray json;
  size_t points;
  FileControlPoint first;
  QString scanName;
  int width, height;
  size_t maskPoints;
  std::optional<GeorefMethod> method;
};

void PrintTo(const AnnotationCase& c, std::ostream* os) { *os << c.name; }

class AnnotationVariants : public ::testing::TestWithParam<AnnotationCase> {};

TEST_P(AnnotationVariants, Read) {
  const AnnotationCase& c = GetParam();
  ControlPointFile got;
  QString why;
  ASSERT_TRUE(readControlPointFile(c.json, 0, 0, got, nullptr, &why)) << why.toStdString();
  ASSERT_EQ(got.points.size(), c.points);
  expectSamePoints({got.points.front()}, {c.first});
  EXPECT_EQ(got.scanName, c.scanName);
  EXPECT_EQ(got.scanWidth, c.width);
  EXPECT_EQ(got.scanHeight, c.height);
  EXPECT_EQ(got.mask.size(), c.maskPoints);
  EXPECT_EQ(got.method, c.method);
  EXPECT_EQ(got.crs, kWorld);
}

const QByteArray kFeatures =
    R"("features": [{"type": "Feature", "properties": {"pixelCoords": [120, 340]},
                    "geometry": {"type": "Point", "coordinates": [139.5, 35.25, 12]}},
                   {"type": "Feature", "properties": {"pixelCoords": [60, 20]},
                    "geometry": {"type": "Point", "coordinates": [139.7, 35.1]}}])";

INSTANTIATE_TEST_SUITE_P(
    Files, AnnotationVariants,
    ::testing::Values(
        AnnotationCase{"OlderWithPixelCoordsAndSourceAsText",
                       R"({"type": "Annotation", "motivation": "georeferencing",
                           "target": {"type": "SpecificResource", "source": "https://example.org/iiif/plan",
                                      "selector": {"type": "SvgSelector", "value": "<svg><polygon points='1,2 50,2 50,60 1,60 1,2'/></svg>"}},
                           "body": {"type": "FeatureCollection", "transformation": {"type": "polynomial"}, )" +
                           kFeatures + "}}",
                       2,
                       {true, 120, 340, 139.5, 35.25},
                       QStringLiteral("https://example.org/iiif/plan"),
                       0,
                       0,
                       4,
                       GeorefMethod::Poly1},
        AnnotationCase{"InAnAnnotationPageWithALocalFile",
                       R"({"type": "AnnotationPage", "items": [{"type": "Annotation", "motivation": ["georeferencing"],
                           "target": {"type": "SpecificResource",
                                      "source": {"@id": "file:///home/u/scans/plan%201890.tif", "type": "Image", "width": 500, "height": 400},
                                      "selector": {"type": "SvgSelector", "value": "<svg width=\"500\" height=\"400\"><polygon points=\"0,0 500,0 500,400 0,400\"/></svg>"}},
                           "body": {"type": "FeatureCollection", "transformation": {"type": "polynomial", "options": {"order": 3}}, )" +
                           kFeatures + "}}]}",
                       2,
                       {true, 120, 340, 139.5, 35.25},
                       QStringLiteral("plan 1890.tif"),
                       500,
                       400,
                       0,
                       GeorefMethod::Poly3},
        AnnotationCase{
            "BareFeatureCollectionWithAnUnknownTransform",
            R"({"type": "FeatureCollection", "transformation": {"type": "polynomial", "options": {"order": 5}}, )" +
                kFeatures + "}",
            2,
            {true, 120, 340, 139.5, 35.25},
            QString(),
            0,
            0,
            0,
            std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Damaged input

struct DamagedCase {
  const char* name;
  QByteArray text;
  const char* reason;  // a part of the message
};

void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.name; }

class DamagedControlPoints : public ::testing::TestWithParam<DamagedCase> {};

TEST_P(DamagedControlPoints, AreRefusedWithTheReasonAndNothingRead) {
  const DamagedCase& c = GetParam();
  ControlPointFile out = untouched();
  ControlPointFormat format = ControlPointFormat::Annotation;
  QString why;
  EXPECT_FALSE(readControlPointFile(c.text, 1000, 800, out, &format, &why));
  EXPECT_TRUE(why.contains(QString::fromUtf8(c.reason))) << why.toStdString();
  EXPECT_EQ(out.crs, QStringLiteral("untouched"));
  EXPECT_EQ(out.points.size(), 1u);
  EXPECT_EQ(format, ControlPointFormat::Annotation);
}

QByteArray manyCsvPoints(int n) {
  QByteArray text = "x,y,lon,lat\n";
  for (int i = 0; i < n; ++i) text += "1,2,139.5,35.5\n";
  return text;
}

QByteArray annotationWith(const QByteArray& target, const QByteArray& feature) {
  return R"({"type": "Annotation", "motivation": "georeferencing", "target": )" + target +
         R"(, "body": {"type": "FeatureCollection", "features": [)" + feature + "]}}";
}

const QByteArray kGoodTarget = R"({"type": "SpecificResource", "source": {"id": "a.jpg", "type": "Image"}})";
// A selector whose polygon has an odd count of numbers.
const QByteArray kOddSelectorTarget =
    "{\"source\": \"a.jpg\", \"selector\": {\"type\": \"SvgSelector\", \"value\": \"<svg><polygon points=\\\"1,2 "
    "3\\\"/></svg>\"}}";
const QByteArray kGoodFeature =
    R"({"type": "Feature", "properties": {"resourceCoords": [1, 2]}, "geometry": {"type": "Point", "coordinates": [139, 35]}})";

std::vector<DamagedCase> damagedCases() {
  return {
      DamagedCase{"Empty", "", "空"},
      DamagedCase{"Blank", " \r\n\t\n", "空"},
      DamagedCase{"NoKnownHeader", "hello, world\n1,2\n", "基準点のファイルとして読めません"},
      DamagedCase{"Binary", QByteArray("\x00\x01\x02\xff\xfe", 5), "基準点のファイルとして読めません"},
      DamagedCase{"OnlyTheHeader", "#CRS: \n" + pointsHeader(), "基準点がひとつもありません"},
      DamagedCase{"NotANumber", "#CRS: \n" + pointsHeader() + "139.5,35.25,1O0,-200,1,0,0,0\n",
                  "3行目の数値が読めません（sourceX：「1O0」）"},
      DamagedCase{"NaN", pointsHeader() + "139.5,nan,100,-200,1,0,0,0\n", "2行目の数値が読めません"},
      DamagedCase{"Infinity", pointsHeader() + "139.5,35.25,inf,-200,1,0,0,0\n", "2行目の数値が読めません"},
      DamagedCase{"Overflow", pointsHeader() + "139.5,35.25,1e999,-200,1,0,0,0\n", "2行目の数値が読めません"},
      DamagedCase{"EmptyField", "x,y,lon,lat\n1,,139,35\n", "2行目の数値が読めません（y：「」）"},
      DamagedCase{"TooFewColumns", pointsHeader() + "139.5,35.25,100\n", "2行目の値の数が見出しと合いません"},
      DamagedCase{"DecimalCommas", pointsHeader() + "139,5,35,25,100,-200,1,0,0,0\n", "値の数が見出しと合いません"},
      DamagedCase{"BadEnable", pointsHeader() + "139.5,35.25,100,-200,yes,0,0,0\n", "enable の値が読めません"},
      DamagedCase{"LatitudeOutOfRange", "x,y,lon,lat\n1,2,139,95\n", "2行目の地図上の位置が範囲外です"},
      DamagedCase{"ProjectedWithoutCrs", pointsHeader() + "-12345.5,-45678.25,100,-200,1,0,0,0\n", "範囲外です"},
      DamagedCase{"ScanValueAbsurd", "x,y,lon,lat\n1e300,2,139,35\n", "画像上の位置が範囲外です"},
      DamagedCase{"OpenQuote", "x,y,lon,lat\n\"1,2,139,35\n", "2行目の引用符"},
      DamagedCase{"TooLarge", QByteArray(kMaxControlPointFileBytes + 1, ' '), "16 MiB"},
      DamagedCase{"TooManyPoints", manyCsvPoints(100001), "点が多すぎます"},
      DamagedCase{"BrokenJson", "{\"type\": \"Annotation\", ", "JSON として読めません"},
      DamagedCase{"DeeplyNestedJson", "{\"a\": " + QByteArray(200000, '['), "JSON"},
      DamagedCase{"JsonArray", "[1, 2]", "オブジェクトではありません"},
      DamagedCase{"OtherMotivation", R"({"type": "Annotation", "motivation": "commenting", "body": {}})",
                  "ジオリファレンスの注釈ではありません"},
      DamagedCase{"NoFeatures", annotationWith(kGoodTarget, "").replace("\"features\": []", "\"x\": 1"), "features"},
      DamagedCase{"EmptyPage", R"({"type": "AnnotationPage", "items": []})", "features"},
      DamagedCase{"NoPoints", annotationWith(kGoodTarget, ""), "基準点がひとつもありません"},
      DamagedCase{"PixelAsText", annotationWith(kGoodTarget, QByteArray(kGoodFeature).replace("[1, 2]", "[\"1\", 2]")),
                  "1番目の基準点の画像上の位置"},
      DamagedCase{"CoordinateOverflow",
                  annotationWith(kGoodTarget, QByteArray(kGoodFeature).replace("[139, 35]", "[139, 1e400]")), "JSON"},
      DamagedCase{
          "LatitudeOutOfRangeInTheAnnotation",
          annotationWith(kGoodTarget, kGoodFeature + "," + QByteArray(kGoodFeature).replace("[139, 35]", "[139, 95]")),
          "2番目の基準点の経度・緯度"},
      DamagedCase{"NotAPoint", annotationWith(kGoodTarget, QByteArray(kGoodFeature).replace("Point", "LineString")),
                  "1番目の基準点の経度・緯度"},
      DamagedCase{
          "NegativeWidth",
          annotationWith(QByteArray(kGoodTarget).replace("\"Image\"", "\"Image\", \"width\": -5"), kGoodFeature),
          "画像の大きさ（width）"},
      DamagedCase{"BrokenMask", annotationWith(kOddSelectorTarget, kGoodFeature), "マスク"}};
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedControlPoints, ::testing::ValuesIn(damagedCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Masks

struct MaskCase {
  const char* name;
  QByteArray text;
  std::vector<QPointF> polygon;  // empty: refused
  const char* reason;
};

void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.name; }

class MaskFiles : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskFiles, ReadThePolygonOrSayWhy) {
  const MaskCase& c = GetParam();
  std::vector<QPointF> polygon = {{7, 7}};
  QString why;
  const bool ok = readMaskFile(c.text, polygon, &why);
  if (c.polygon.empty()) {
    EXPECT_FALSE(ok);
    EXPECT_TRUE(why.contains(QString::fromUtf8(c.reason))) << why.toStdString();
    expectSamePolygon(polygon, {{7, 7}});
  } else {
    ASSERT_TRUE(ok) << why.toStdString();
    expectSamePolygon(polygon, c.polygon);
  }
}

const std::vector<QPointF> kSquare = {{1, 2}, {30, 2}, {30, 40.5}, {1, 40.5}};

INSTANTIATE_TEST_SUITE_P(
    Files, MaskFiles,
    ::testing::Values(
        MaskCase{"Svg", "<svg width=\"100\" height=\"80\"><polygon points=\"1,2 30,2 30,40.5 1,40.5\"/></svg>", kSquare,
                 ""},
        MaskCase{"SvgWithProlog",
                 "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\">\n  <POLYGON fill='none' "
                 "points='1 2, 30 2, 30 40.5, 1 40.5, 1 2' />\n</svg>\n",
                 kSquare, ""},
        MaskCase{
            "GeoJsonPolygon",
            R"({"type": "Polygon", "coordinates": [[[1, 2], [30, 2], [30, 40.5], [1, 40.5], [1, 2]], [[5, 5], [6, 5], [6, 6]]]})",
            kSquare, ""},
        MaskCase{
            "GeoJsonFeatureWithNegativeY",
            R"({"type": "Feature", "properties": {}, "geometry": {"type": "Polygon", "coordinates": [[[1, -2], [30, -2], [30, -40.5], [1, -40.5], [1, -2]]]}})",
            kSquare, ""},
        MaskCase{
            "GeoJsonCollectionWithPoints",
            R"({"type": "FeatureCollection", "features": [{"type": "Feature", "geometry": {"type": "Point", "coordinates": [3, 3]}},
                     {"type": "Feature", "geometry": {"type": "MultiPolygon", "coordinates": [[[[1, 2], [30, 2], [30, 40.5], [1, 40.5]]]]}}]})",
            kSquare, ""},
        MaskCase{
            "Annotation",
            annotationWith(
                R"({"source": "a.jpg", "selector": {"type": "SvgSelector", "value": "<svg><polygon points=\"1,2 30,2 30,40.5 1,40.5\"/></svg>"}})",
                kGoodFeature),
            kSquare, ""},
        MaskCase{"Empty", "", {}, "空"}, MaskCase{"Text", "1,2 3,4 5,6", {}, "マスクのファイルとして読めません"},
        MaskCase{"SvgWithoutPolygon", "<svg><rect width=\"3\" height=\"4\"/></svg>", {}, "polygon"},
        MaskCase{"SvgTwoPolygons",
                 "<svg><polygon points=\"1,2 3,4 5,6\"/><polygon points=\"1,2 3,4 5,6\"/></svg>",
                 {},
                 "複数"},
        MaskCase{"SvgOddCount", "<svg><polygon points=\"1,2 3,4 5\"/></svg>", {}, "奇数"},
        MaskCase{"SvgNaN", "<svg><polygon points=\"1,2 3,NaN 5,6\"/></svg>", {}, "座標が読めません"},
        MaskCase{"TwoPoints", R"({"type": "Polygon", "coordinates": [[[1, 2], [30, 2], [1, 2]]]})", {}, "3点"},
        MaskCase{"TwoPolygons",
                 R"({"type": "MultiPolygon", "coordinates": [[[[1, 2], [3, 2], [3, 4]]], [[[1, 2], [3, 2], [3, 4]]]]})",
                 {},
                 "複数"},
        MaskCase{"EmptyCoordinates", R"({"type": "Polygon", "coordinates": []})", {}, "3点"},
        MaskCase{
            "TextCoordinates", R"({"type": "Polygon", "coordinates": [[[1, 2], ["a", 2], [3, 4]]]})", {}, "2番目の点"},
        MaskCase{"AnnotationWithoutSelector", annotationWith(kGoodTarget, kGoodFeature), {}, "SvgSelector"},
        MaskCase{"DeeplyNested", "{\"type\": " + QByteArray(100000, '['), {}, "JSON"},
        MaskCase{"TooLarge", QByteArray(kMaxControlPointFileBytes + 1, '<'), {}, "16 MiB"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MaskFiles, TheSvgSelectorReadsBack) {
  const std::vector<QPointF> polygon = {{0.25, 10}, {1234.5678, 0}, {600, 777.0001}};
  EXPECT_EQ(
      maskSvg(polygon, 1300, 800),
      QByteArray("<svg width=\"1300\" height=\"800\"><polygon points=\"0.25,10 1234.5678,0 600,777.0001\"/></svg>"));
  EXPECT_EQ(maskSvg(polygon, 0, 0), QByteArray("<svg><polygon points=\"0.25,10 1234.5678,0 600,777.0001\"/></svg>"));
  std::vector<QPointF> got;
  ASSERT_TRUE(readMaskFile(maskSvg(polygon, 1300, 800), got, nullptr));
  expectSamePolygon(got, polygon);
}
