// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

struct CliRun {
  int exitCode = -1;
  QString out;
  QString err;
};

// A root with one data folder of 2 x 2 sheets of 2 x 2 tiles of 100 x 80
// pixels from 139.75 E, 35.75 N. Sheet (0, 0) of the second era borrows the
// first era's edition. The view options below show one image pixel per view
// pixel with the mosaic's origin at view pixel (0, 0).
struct CliFixture {
  test::RootFixture root;
  test::DatasetFixture data;

  CliFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    data.folder = root.path(QStringLiteral("a"));
    data.west = 139.75;
    data.north = 35.75;
    data.write();
    test::writeSjis(data.folder + QStringLiteral("/図歴.csv"),
                    QStringLiteral("図0-0,,図0-1,\n版1,発行1,版1,発行1\n,-1,版2,発行2\n"
                                   "図1-0,,図1-1,\n版1,発行1,版1,発行1\n版2,発行2,版2,発行2\n"));
  }

  CliRun readout(QStringList args) const {
    const test::ProgramRun run =
        test::runCli(QStringList{QStringLiteral("readout"), QStringLiteral("--root"), root.root(),
                                 QStringLiteral("--size"), QStringLiteral("400x320"), QStringLiteral("--center"),
                                 QStringLiteral("200,160"), QStringLiteral("--mm-per-px"), QStringLiteral("2.3125")} +
                     args);
    CliRun r;
    r.exitCode = run.exitCode;
    r.out = QString::fromUtf8(run.out);
    r.err = run.err;
    return r;
  }
};

}  // namespace

TEST(ReadoutCommand, PrintsTheCaptionsExactlyAsOneJsonObject) {
  CliFixture f;
  // Without KAVALO.ini the world datum is shown.
  const CliRun r = f.readout({QStringLiteral("--at"), QStringLiteral("123.4,77.7")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  // Grid cell (2, 2) of the fixture's slope holds 285 tenths.
  // The captions come first, exactly as the window shows them; the fields
  // follow (see StructuredFieldsFollowTheCaptions).
  EXPECT_TRUE(
      r.out.startsWith(QStringLiteral("{\"lblInfo\":\"北緯35度42分19.3秒\\r東経139度49分10.6秒\\r　　　(世界測地系)\\r"
                                      "標高：28.5m\",\"lblMap\":\"地形図：図0-0(版1,発行1発行)\\r\",\"bold\":false,")))
      << r.out.toStdString();
  // The second era borrows the first one's sheet there, over the sea.
  const CliRun borrowed =
      f.readout({QStringLiteral("--era"), QStringLiteral("1"), QStringLiteral("--at"), QStringLiteral("10,10")});
  ASSERT_EQ(borrowed.exitCode, 0) << borrowed.err.toStdString();
  EXPECT_TRUE(borrowed.out.contains(
      QStringLiteral("標高：海面\",\"lblMap\":\"地形図：!!図0-0(版1,発行1発行)\\r\",\"bold\":true,")));
}

// The fields say what the captions say, as numbers and names: decimal degrees
// agree with the captions' seconds in both datums, whatever --datum says.
TEST(ReadoutCommand, StructuredFieldsFollowTheCaptions) {
  CliFixture f;
  auto degrees = [](int d, int m, double s) { return d + m / 60.0 + s / 3600.0; };
  const struct {
    QStringList args;
    QJsonValue elevation;
    bool sea;
    QJsonValue sheet, edition, issued;
    bool borrowed;
  } cases[] = {
      {{"--at", "123.4,77.7"}, 28.5, false, "図0-0", "版1", "発行1", false},
      {{"--at", "123.4,77.7", "--datum", "0"}, 28.5, false, "図0-0", "版1", "発行1", false},
      // The second era borrows the first one's sheet there, over the sea.
      {{"--era", "1", "--at", "10,10"}, QJsonValue::Null, true, "図0-0", "版1", "発行1", true},
      // West of the grid and of every sheet.
      {{"--at", "-50,10"}, QJsonValue::Null, false, QJsonValue::Null, QJsonValue::Null, QJsonValue::Null, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.join(u' ').toStdString());
    const CliRun r = f.readout(c.args);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value("elevation"), c.elevation);
    EXPECT_EQ(o.value("sea").toBool(), c.sea);
    EXPECT_EQ(o.value("sheet"), c.sheet);
    EXPECT_EQ(o.value("edition"), c.edition);
    EXPECT_EQ(o.value("issued"), c.issued);
    EXPECT_EQ(o.value("borrowed").toBool(), c.borrowed);
    EXPECT_EQ(o.value("borrowed").toBool(), o.value("bold").toBool());
  }
  const QJsonObject o = QJsonDocument::fromJson(f.readout({"--at", "123.4,77.7"}).out.toUtf8()).object();
  // The captions of the same point: world 35°42'19.3" 139°49'10.6", Tokyo
  // 35°42'34.3" 139°49'37.6"; a caption cuts its seconds after four
  // characters, so the degrees lie within a tenth of a second above them.
  auto within = [](double value, double caption) {
    const double above = (value - caption) * 3600;
    return above > -1e-3 && above < 0.1 + 1e-3;
  };
  EXPECT_TRUE(within(o["world"]["latitude"].toDouble(), degrees(35, 42, 19.3))) << o["world"]["latitude"].toDouble();
  EXPECT_TRUE(within(o["world"]["longitude"].toDouble(), degrees(139, 49, 10.6)));
  EXPECT_TRUE(within(o["tokyo"]["latitude"].toDouble(), degrees(35, 42, 34.3)));
  EXPECT_TRUE(within(o["tokyo"]["longitude"].toDouble(), degrees(139, 49, 37.6)));
}

TEST(ReadoutCommand, TheDatumComesFromTheSettingsUnlessGiven) {
  CliFixture f;
  f.root.writeFile(QStringLiteral("KAVALO.ini"), QStringLiteral(" 0 \n 0 \n 0 \n"));
  auto lblInfo = [&](QStringList args) {
    const CliRun r = f.readout(args);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return QJsonDocument::fromJson(r.out.toUtf8()).object().value(QStringLiteral("lblInfo")).toString();
  };
  EXPECT_EQ(lblInfo({QStringLiteral("--at"), QStringLiteral("123.4,77.7")}),
            QStringLiteral("北緯35度42分34.3秒\r東経139度49分37.6秒\r　　　(日本測地系)\r標高：28.5m"));
  EXPECT_EQ(
      lblInfo({QStringLiteral("--at"), QStringLiteral("123.4,77.7"), QStringLiteral("--datum"), QStringLiteral("1")}),
      QStringLiteral("北緯35度42分19.3秒\r東経139度49分10.6秒\r　　　(世界測地系)\r標高：28.5m"));
}

TEST(ReadoutCommand, AnUnreadableGridIsReportedAndTheReadoutGoesOn) {
  CliFixture f;
  const QString path = f.data.folder + QStringLiteral("/altitude.dat");
  test::writeBytes(path, QByteArray("\x08\x00\x00\x00", 4));
  const CliRun r = f.readout({QStringLiteral("--at"), QStringLiteral("123.4,77.7")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.err.contains(QStringLiteral("altitude.dat")));
  EXPECT_TRUE(QJsonDocument::fromJson(r.out.toUtf8())
                  .object()
                  .value(QStringLiteral("lblInfo"))
                  .toString()
                  .endsWith(QStringLiteral("\r標高：")));
  EXPECT_EQ(test::readBytes(path), QByteArray("\x08\x00\x00\x00", 4));
}

TEST(ReadoutCommand, BadArgumentsAreRefused) {
  CliFixture f;
  for (const QStringList& args :
       {QStringList{}, QStringList{QStringLiteral("--at"), QStringLiteral("12")},
        QStringList{QStringLiteral("--at"), QStringLiteral("a,b")},
        QStringList{QStringLiteral("--at"), QStringLiteral("1,2"), QStringLiteral("--datum"), QStringLiteral("2")},
        QStringList{QStringLiteral("--at"), QStringLiteral("1,2"), QStringLiteral("--era"), QStringLiteral("9")},
        QStringList{QStringLiteral("--at"), QStringLiteral("1,2"), QStringLiteral("--what"), QStringLiteral("x")}}) {
    const CliRun r = f.readout(args);
    EXPECT_EQ(r.exitCode, 2) << args.join(u' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_FALSE(r.err.isEmpty());
  }
}
