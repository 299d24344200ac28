// SPDX-License-Identifier: MIT
// Every kind of era says truthfully where it came from: its label, its
// credits, its readout and the print rule, one row per source; the list of
// the user's tile-service eras in its file; and the data folder read with
// the eras of every source, the last version's tile-service eras among them.
#include <gtest/gtest.h>

#include <QDir>
#include <QSet>
#include <QSizeF>

#include <algorithm>

#include "app/DatasetConfig.h"
#include "elevation/Credits.h"
#include "geo/CursorReadout.h"
#include "model/EraLabels.h"
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "model/XyzEras.h"
#include "output/PrintLayout.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

const QString kApproval = QStringLiteral("複製した。（承認番号 第5号）");
const QString kTail = QStringLiteral("（承認番号 第5号）");
const QString kTemplate = QStringLiteral("https://tile.example.org/{z}/{x}/{y}.png");

Era eraOf(int kind) {
  Era e;
  e.kind = kind;
  e.yearFrom = e.yearTo = 2026;
  e.acquiredText = QStringLiteral("2026/05/01");
  e.periodCode = 1;
  if (eraSource(kind).usersOwn) {
    e.label = QStringLiteral("町の図");
    e.attribution = QStringLiteral("(C) 例");
    e.origin = eraSource(kind).acquisition == EraAcquisition::ScanImport ? QStringLiteral("town plan.tif") : kTemplate;
  }
  return e;
}

// The readout of the era at one point of a small region without sheets of
// its own there.
QString readoutOf(const Era& era) {
  ProgramState s;
  MapInfo& m = s.mapInfo;
  m.tileWidth = 100;
  m.tileHeight = 80;
  m.sheetsX = m.sheetsY = 2;
  m.tilesPerSheetX = m.tilesPerSheetY = 2;
  m.totalCols = m.totalRows = 4;
  m.west = 139.75f;
  m.north = 35.75f;
  s.history.reset(2, 2, 2);
  s.eras = {era};
  s.eras[0].historyColumn = era.kind == kScannedSheets ? 0 : -1;
  s.view.eraIndex = 0;
  s.scale = computeScaleFactors(m, 2.3125, 2.3125);
  const Viewport view(&s.mapInfo, s.scale, 200.0f, 160.0f, 100, 400, 320);
  return computePointInfo(s, view, 200, 160).lblMap;
}

}  // namespace

TEST(EraSources, EachSourceIsLabelledCreditedAndReadOutAsItself) {
  const QString elevation = elevationCreditText(), web = webSystemCreditText();
  const QString program = programCreditText();
  const QString half1 = kApproval.left(kApproval.size() / 2), half2 = kApproval.mid(kApproval.size() / 2);
  struct Case {
    int kind;
    const char* id;
    QString label;
    CreditLines credits;  // with the elevation colours shown
    QString readout;
    bool a4;
    bool users;
  };
  const Case cases[] = {
      {kScannedSheets, "sheets", "2026年", {half1, half2, program, ""}, "地形図なし\r", false, false},
      {kAgencyBasicMap,
       "agency-map",
       "2026年（電子国土基本図）",
       {elevation, kTail, "国土地理院：電子国土基本図（地図情報）", web},
       "電子国土基本図（地図情報）／ウォッちず（国土地理院）：2026/05/01保存",
       true,
       false},
      {kAerialPhoto,
       "air-photo",
       "2026年（空中写真）",
       {"", "国土地理院：国土画像情報", web, ""},
       "国土画像情報2期（2026年）",
       true,
       false},
      {kRapidSurvey,
       "rapid-survey",
       "2026年（迅速測図）",
       {"", "歴史的農業環境閲覧システム", "(C)農業環境技術研究所", ""},
       "歴史的農業環境閲覧システム（農業環境技術研究所）：迅速測図（2026年）",
       false,
       false},
      {kTwentyThousand,
       "twenty-thousand",
       "2026年（1/2万）",
       {half1, half2, program, ""},
       "1/20,000地形図：なし",
       false,
       false},
      {kAgencyOrtho,
       "agency-ortho",
       "2026年（空中写真）",
       {"", "国土地理院：電子国土基本図（オルソ画像）", web, ""},
       "電子国土基本図（オルソ画像）：2026/05/01保存",
       true,
       false},
      // The user's sources: the user's label and credit, the service or the
      // scan named, and no agency rule.
      {kXyzMap,
       "xyz-map",
       "町の図",
       {elevation, kTail, "(C) 例", ""},
       "XYZタイル（tile.example.org）：2026/05/01保存",
       false,
       true},
      {kXyzPhoto,
       "xyz-photo",
       "町の図",
       {"", "(C) 例", "", ""},
       "XYZタイル（tile.example.org）：2026/05/01保存",
       false,
       true},
      {kImportedMap,
       "import-map",
       "町の図",
       {elevation, kTail, "(C) 例", ""},
       "取り込んだ地図：town plan.tif（(C) 例）",
       false,
       true},
      {kImportedPhoto,
       "import-photo",
       "町の図",
       {"", "(C) 例", "", ""},
       "取り込んだ写真：town plan.tif（(C) 例）",
       false,
       true},
      // A kind this program does not know claims nothing.
      {99, "unknown", "2026年", {half1, half2, program, ""}, "", false, false},
  };
  const QSizeF a3(297, 420), a4(210, 297);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const Era era = eraOf(c.kind);
    EXPECT_EQ(QString::fromLatin1(eraSource(c.kind).id), QString::fromLatin1(c.id));
    EXPECT_EQ(Get_cboAge_Text(era, 0), c.label);
    EXPECT_EQ(creditLines(era, kApproval, true), c.credits);
    EXPECT_EQ(readoutOf(era), c.readout);
    EXPECT_EQ(exceedsA4Rule(c.kind, a3), c.a4);
    EXPECT_FALSE(exceedsA4Rule(c.kind, a4));
    EXPECT_EQ(eraSource(c.kind).usersOwn, c.users);
  }
}

TEST(EraSources, WhatTheUserLeftOutIsSaidPlainly) {
  // No label: the year and the service's host; a list that lost the credit
  // names the host; an era of the last version (no template kept) is named
  // by its attribution.
  EXPECT_EQ(defaultXyzLabel(kTemplate, 2026), QStringLiteral("2026年（tile.example.org）"));
  EXPECT_EQ(defaultXyzLabel(QStringLiteral("tiles.example.net:8080/{z}/{x}/{y}"), 2025),
            QStringLiteral("2025年（tiles.example.net）"));
  EXPECT_EQ(defaultXyzLabel(QString(), 2025), QStringLiteral("2025年（XYZタイル）"));
  Era noCredit = eraOf(kXyzPhoto);
  noCredit.attribution.clear();
  EXPECT_EQ(creditLines(noCredit, kApproval, false)[1], QStringLiteral("tile.example.org"));
  Era legacy = eraOf(kXyzMap);
  legacy.origin.clear();
  EXPECT_EQ(readoutOf(legacy), QStringLiteral("XYZタイル（(C) 例）：2026/05/01保存"));
  // The map credits leave the elevation lines empty while the colours are
  // off.
  const CreditLines off = creditLines(eraOf(kImportedMap), kApproval, false);
  EXPECT_TRUE(off[0].isEmpty() && off[1].isEmpty());
  EXPECT_EQ(off[2], QStringLiteral("(C) 例"));
  // A user's era without a label shows its period.
  Era unnamed = eraOf(kImportedMap);
  unnamed.label.clear();
  EXPECT_EQ(Get_cboAge_Text(unnamed, 1), QStringLiteral("令和8年"));
}

TEST(EraSources, TheListIsIndexedByKindAndNamesEveryFile) {
  QSet<QString> ids, files;
  for (const EraInfoFile& f : eraInfoFiles()) files.insert(QString::fromLatin1(f.name));
  const std::vector<EraSource>& all = eraSources();
  ASSERT_EQ(all.size(), 10u);
  for (size_t i = 0; i < all.size(); ++i) {
    const EraSource& s = all[i];
    EXPECT_EQ(s.kind, static_cast<int32_t>(i));
    EXPECT_FALSE(ids.contains(QString::fromLatin1(s.id))) << s.id;
    ids.insert(QString::fromLatin1(s.id));
    EXPECT_TRUE(files.contains(QString::fromLatin1(s.infoFile))) << s.id;
    EXPECT_EQ(eraSourceById(QString::fromLatin1(s.id)), &s);
  }
  EXPECT_EQ(eraSourceById(u"agency"), nullptr);
  // The written files keep their order; the user's lists come after them.
  QStringList order;
  for (const EraInfoFile& f : eraInfoFiles()) order << QString::fromLatin1(f.name).mid(1);
  EXPECT_EQ(order, QStringList({"map_tikeizu_info.txt", "map_watizu_info.txt", "map_densikokudo_ortho_info.txt",
                                "map_ortho_info.txt", "map_Jinnsoku_info.txt", "map_2man_info.txt", "map_xyz_info.txt",
                                "map_import_info.txt"}));
}

TEST(XyzEraFile, KeepsEveryFieldExactly) {
  QTemporaryDir dir;
  const std::vector<XyzEra> eras = {
      {QStringLiteral("XYZ00"), 2024, QStringLiteral("2024/11/30"), QStringLiteral("町, 旧版"),
       QStringLiteral("https://a.example.org/{z}/{x}/{y}.png?k=1,2"), QStringLiteral("(C) 地図会社"), true},
      {QStringLiteral("XYZ01"), 2026, QStringLiteral("2026/05/01"), QStringLiteral("写真"),
       QStringLiteral("http://b.example.org/{z}/{y}/{x}.jpg"), QStringLiteral("撮影：某"), false},
  };
  QString error;
  ASSERT_TRUE(writeXyzEras(dir.path(), eras, &error)) << error.toStdString();
  // Shift-JIS, CR LF, texts quoted, the year in the program's framed form.
  EXPECT_EQ(test::readSjis(dir.filePath("map_xyz_info.txt")),
            QStringLiteral("XYZ00, 2024 ,\"2024/11/30\",\"町, 旧版\",\"https://a.example.org/{z}/{x}/{y}.png?k=1,2\","
                           "\"(C) 地図会社\",map\r\n"
                           "XYZ01, 2026 ,\"2026/05/01\",\"写真\",\"http://b.example.org/{z}/{y}/{x}.jpg\",\"撮影：某\","
                           "photo\r\n"));
  std::vector<XyzEra> back;
  ASSERT_TRUE(readXyzEras(dir.path(), back, &error));
  ASSERT_EQ(back.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(back[i].folder, eras[i].folder);
    EXPECT_EQ(back[i].year, eras[i].year);
    EXPECT_EQ(back[i].date, eras[i].date);
    EXPECT_EQ(back[i].label, eras[i].label);
    EXPECT_EQ(back[i].urlTemplate, eras[i].urlTemplate);
    EXPECT_EQ(back[i].attribution, eras[i].attribution);
    EXPECT_EQ(back[i].map, eras[i].map);
  }
  const QByteArray before = test::readBytes(dir.filePath("map_xyz_info.txt"));
  for (const char* bad : {"a \"quoted\" word", "two\nlines", "emoji 🗾"}) {
    std::vector<XyzEra> changed = eras;
    changed[1].attribution = QString::fromUtf8(bad);
    EXPECT_FALSE(writeXyzEras(dir.path(), changed, &error)) << bad;
  }
  EXPECT_EQ(test::readBytes(dir.filePath("map_xyz_info.txt")), before);
  // Damaged lines are reported with their number.
  for (const char* line :
       {"XYZ00, x", "XYZ00, 2024 ,\"d\",\"l\",\"u\",\"a\",video", "..\\up, 2024 ,\"d\",\"l\",\"u\",\"a\",map"}) {
    test::writeSjis(dir.filePath("map_xyz_info.txt"),
                    QStringLiteral("XYZ00, 2024 ,\"d\",\"l\",\"u\",\"a\",map\n") + QString::fromUtf8(line) + u'\n');
    EXPECT_FALSE(readXyzEras(dir.path(), back, &error)) << line;
    EXPECT_TRUE(error.contains(QStringLiteral("2行目"))) << error.toStdString();
  }
  ASSERT_TRUE(writeXyzEras(dir.path(), {}, &error));
  EXPECT_FALSE(QFileInfo::exists(dir.filePath("map_xyz_info.txt")));
}

TEST(DatasetEras, EverySourceIsReadAsWhatItIs) {
  QTemporaryDir dir;
  test::DatasetFixture d;
  d.folder = dir.filePath("d");
  d.write();
  // The last version's tile-service eras: agency folders with an
  // attribution.txt. W01 is the agency's own.
  const QString watizu = QStringLiteral(" 2 \nW00, 2025 , 2025 ,2025/03/01\nW01, 2026 , 2026 ,2026/04/01\n");
  const QString dko = QStringLiteral(" 1 \nDKO00, 2024 , 2024 ,2024/02/02\n");
  test::writeSjis(d.folder + "/map_watizu_info.txt", watizu);
  test::writeSjis(d.folder + "/map_densikokudo_ortho_info.txt", dko);
  QDir().mkpath(d.folder + "/W00");
  QDir().mkpath(d.folder + "/DKO00");
  test::writeSjis(d.folder + "/W00/attribution.txt", QStringLiteral("(C) 地図会社\n"));
  test::writeSjis(d.folder + "/DKO00/attribution.txt", QStringLiteral("写真提供：某\n"));
  // This version's lists; XYZ02 is W00 moved here by a rename that stopped
  // before the agency's file lost its line: the list of its own kind counts.
  test::writeSjis(d.folder + "/map_xyz_info.txt",
                  QStringLiteral("XYZ00, 2023 ,\"2023/01/01\",\"\",\"https://t.example.org/{z}/{x}/{y}.png\",\"(C) t\","
                                 "photo\nW00, 2025 ,\"2025/03/01\",\"新しい名前\",\"\",\"(C) 地図会社\",map\n"));
  test::writeSjis(d.folder + "/map_import_info.txt",
                  QStringLiteral("SCAN00, 1925 ,\"大正の町\",\"市史\",map,\"town.tif\"\n"));
  const QByteArray watizuBytes = test::readBytes(d.folder + "/map_watizu_info.txt");
  const QByteArray dkoBytes = test::readBytes(d.folder + "/map_densikokudo_ortho_info.txt");

  DatasetConfig config;
  QString error;
  ASSERT_EQ(readDatasetConfig(d.folder, FileNameTable::standard("http://x/"), MapInfo(), config, &error),
            LoadStatus::Loaded)
      << error.toStdString();
  struct Want {
    const char* folder;
    const char* source;
    const char* label;
    const char* infoFile;
  };
  const Want wants[] = {
      {"E1900", "sheets", "1900年", "\\map_tikeizu_info.txt"},
      {"SCAN00", "import-map", "大正の町", "\\map_import_info.txt"},
      {"E1930", "sheets", "1930-31年", "\\map_tikeizu_info.txt"},
      {"XYZ00", "xyz-photo", "2023年（t.example.org）", "\\map_xyz_info.txt"},
      {"DKO00", "xyz-photo", "2024年（写真提供：某）", "\\map_densikokudo_ortho_info.txt"},
      {"W00", "xyz-map", "新しい名前", "\\map_xyz_info.txt"},
      {"W01", "agency-map", "2026年（電子国土基本図）", "\\map_watizu_info.txt"},
  };
  ASSERT_EQ(config.eras.size(), std::size(wants));
  for (size_t i = 0; i < std::size(wants); ++i) {
    const Era& e = config.eras[i];
    SCOPED_TRACE(wants[i].folder);
    EXPECT_EQ(e.name, QString::fromLatin1(wants[i].folder));
    EXPECT_EQ(QString::fromLatin1(eraSource(e).id), QString::fromLatin1(wants[i].source));
    EXPECT_EQ(Get_cboAge_Text(e, 0), QString::fromUtf8(wants[i].label));
    EXPECT_EQ(e.infoFile, QString::fromLatin1(wants[i].infoFile));
  }
  // The tile-service photo of the last version credits its attribution, not
  // the agency; reading changed none of the user's files.
  EXPECT_EQ(creditLines(config.eras[4], QString(), false)[1], QStringLiteral("写真提供：某"));
  EXPECT_FALSE(exceedsA4Rule(config.eras[4].kind, QSizeF(297, 420)));
  EXPECT_EQ(test::readBytes(d.folder + "/map_watizu_info.txt"), watizuBytes);
  EXPECT_EQ(test::readBytes(d.folder + "/map_densikokudo_ortho_info.txt"), dkoBytes);

  // A damaged list of the user's fails the load with its name and line.
  test::writeSjis(d.folder + "/map_xyz_info.txt", QStringLiteral("XYZ00, 2023 ,\"d\"\n"));
  EXPECT_EQ(readDatasetConfig(d.folder, FileNameTable::standard("http://x/"), MapInfo(), config, &error),
            LoadStatus::Failed);
  EXPECT_TRUE(error.contains(QStringLiteral("map_xyz_info.txt")) && error.contains(QStringLiteral("1行目")))
      << error.toStdString();
}
