// SPDX-License-Identifier: MIT
// kavalo-cli georef as scripts use it: the exit rule, the report's figures,
// the three exchange formats told apart by content, and a set that does not
// fit the scan leaving nothing behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

// A root with the fixture region (139 to 139.25 east, 35.83 to 36 north) and
// a plain 400 x 300 scan; control points of a scan some 40 m a pixel in the
// plane rectangular zone IX, as a points file with its #CRS line.
struct Root {
  QTemporaryDir dir;
  QString r;
  Root() {
    test::DatasetFixture d;
    d.folder = dir.filePath("region");
    d.write();
    test::writeSjis(dir.filePath("dataset.txt"), " 1 \nテスト,region\n");
    test::writeSolidImage(dir.filePath("plan.png"), 400, 300, QColor(120, 140, 160));
    r = dir.path();
  }
  QString path(const char* name) const { return dir.filePath(name); }
  // x east, y north in zone IX; source y negative as for unreferenced rasters.
  void writePoints(const char* name, int count, double offAt3 = 0) const {
    QByteArray text = "#CRS: EPSG:6677\nmapX,mapY,sourceX,sourceY,enable,dX,dY,residual\n";
    const double sx[] = {20, 380, 380, 20, 200, 120, 300};
    const double sy[] = {20, 20, 280, 280, 150, 60, 220};
    for (int i = 0; i < count; ++i) {
      const double x = -70000 + 40 * sx[i] + (i == 3 ? offAt3 : 0), y = -2500 - 40 * sy[i];
      text += QByteArray::number(x, 'f', 3) + ',' + QByteArray::number(y, 'f', 3) + ',' + QByteArray::number(sx[i]) +
              ',' + QByteArray::number(-sy[i]) + ",1,0,0,0\n";
    }
    test::writeBytes(dir.filePath(name), text);
  }
  QStringList eraFolders() const {
    return QDir(dir.filePath("region")).entryList({"SCAN*"}, QDir::Dirs | QDir::NoDotAndDotDot);
  }
};

}  // namespace

TEST(GeorefCommand, ExitStatusesFollowTheRuleAndNothingIsLeftOnFailure) {
  Root root;
  root.writePoints("good.points", 7);
  root.writePoints("few.points", 2);
  test::writeBytes(root.path("broken.points"), "#CRS: EPSG:6677\nmapX,mapY,sourceX\n1,2\n");
  const QString r = root.r, scan = root.path("plan.png"), good = root.path("good.points");
  const struct {
    QStringList args;
    int status;
  } cases[] = {
      {{"georef", "--root", r, "--file", scan, "--points", good}, 2},  // neither an import nor a dry run
      {{"georef", "--root", r, "--file", scan, "--points", good, "--dry-run", "--year", "1950"}, 2},
      {{"georef", "--root", r, "--file", scan, "--points", good, "--dry-run", "--transform", "poly4"}, 2},
      {{"georef", "--root", r, "--points", good, "--dry-run"}, 2},
      {{"georef", "--root", r, "--file", root.path("none.png"), "--points", good, "--dry-run"}, 1},
      {{"georef", "--root", r, "--file", scan, "--points", root.path("few.points"), "--dry-run"}, 1},
      {{"georef", "--root", r, "--file", scan, "--points", root.path("broken.points"), "--dry-run"}, 1},
      {{"georef", "--root", r, "--file", scan, "--points", good, "--dry-run", "--transform", "poly3"}, 1},
      {{"georef", "--root", r, "--file", scan, "--points", good, "--year", "1950", "--credit", "c", "--transform",
        "poly3"},
       1},
      {{"georef", "--root", r, "--file", scan, "--points", good, "--dry-run", "--transform", "tps"}, 0},
  };
  for (const auto& c : cases) {
    const test::ProgramRun run = test::runCli(c.args);
    EXPECT_EQ(run.exitCode, c.status) << c.args.join(' ').toStdString() << "\n" << run.err.toStdString();
    if (c.status != 0) EXPECT_FALSE(run.err.trimmed().isEmpty());
  }
  EXPECT_TRUE(root.eraFolders().isEmpty());
}

TEST(GeorefCommand, ReportsEveryPointAndImportsUnderTheYearAndFileName) {
  Root root;
  // The fourth point 200 m (5 pixels) off: its leave-one-out error shows it.
  root.writePoints("plan.points", 7, 200);
  const QString report = root.path("report.json");
  const test::ProgramRun dry =
      test::runCli({"georef", "--root", root.r, "--file", root.path("plan.png"), "--points", root.path("plan.points"),
                    "--transform", "poly1", "--dry-run", "--report", report});
  ASSERT_EQ(dry.exitCode, 0) << dry.err.toStdString();
  EXPECT_TRUE(dry.out.contains("RMSE"));
  QFile file(report);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject json = QJsonDocument::fromJson(file.readAll()).object();
  EXPECT_EQ(json["transform"].toString(), "poly1");
  EXPECT_EQ(json["plane"].toString(), "EPSG:6677");
  EXPECT_EQ(json["scan"].toObject()["width"].toInt(), 400);
  const QJsonArray points = json["points"].toArray();
  ASSERT_EQ(points.size(), 7);
  EXPECT_EQ(json["worst"].toInt(), 4);
  double worst = 0;
  for (const QJsonValue& p : points) {
    const QJsonObject o = p.toObject();
    EXPECT_NEAR(o["residualMetres"].toDouble() / o["residualPixels"].toDouble(), 40, 0.5);
    worst = std::max(worst, o["leaveOneOutMetres"].toDouble());
  }
  EXPECT_EQ(points[3].toObject()["leaveOneOutMetres"].toDouble(), worst);
  EXPECT_GT(worst, 150);
  EXPECT_GT(json["leaveOneOutRmse"].toObject()["metres"].toDouble(), json["rmse"].toObject()["metres"].toDouble());
  EXPECT_TRUE(root.eraFolders().isEmpty());

  // Imported, the era's label is the year and the file's name; the scan is
  // also written whole with its control points.
  const test::ProgramRun run =
      test::runCli({"georef", "--root", root.r, "--file", root.path("plan.png"), "--points", root.path("plan.points"),
                    "--year", "1950", "--credit", "町史", "--geotiff", root.path("plan-gcps.tif")});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(root.eraFolders(), QStringList{"SCAN00"});
  EXPECT_TRUE(QString::fromUtf8(run.out).contains("1950年（plan）"));
  EXPECT_TRUE(QFile::exists(root.path("plan-gcps.tif")));
  EXPECT_FALSE(QFile::exists(root.path("plan-gcps.tif.part")));
}
