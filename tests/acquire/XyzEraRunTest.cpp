// SPDX-License-Identifier: MIT
// A tile service's era is filed as what it is: its own list with the user's
// label and the service's attribution; the same service again updates that
// era (asked in the window, --update on the command line) and a failed
// update leaves it as it was.
#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QPushButton>

#include "app/DatasetConfig.h"
#include "cli/Commands.h"
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "net/AcquireRuns.h"
#include "net/EraAppend.h"
#include "net/frmSetting.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

const QString kTemplate = QStringLiteral("http://tiles.test/{z}/{x}/{y}.png");

// A data folder and a tile service whose tiles are all of one colour (or
// that fails every request).
struct XyzRun {
  QTemporaryDir dir;
  ProgramState state;
  ScriptedPrompts prompts;
  QRgb colour = qRgb(30, 120, 60);
  bool failing = false;
  int asked = 0;
  int cacheRuns = 0;

  XyzRun() {
    test::DatasetFixture d;
    d.folder = dir.filePath("d");
    d.write();
    DatasetConfig config;
    readDatasetConfig(d.folder, FileNameTable::standard("http://x/"), MapInfo(), config, nullptr);
    state.datasetFolder = d.folder;
    state.mapInfo = config.mapInfo;
    state.eras = config.eras;
  }
  ~XyzRun() { setXyzCacheRoot(QString()); }

  RunOutcome run(XyzChoice choice, const QDate& day) {
    // A cache of its own each time: every run asks the service.
    setXyzCacheRoot(dir.filePath(QStringLiteral("cache%1").arg(++cacheRuns)));
    if (choice.urlTemplate.isEmpty()) choice.urlTemplate = kTemplate;
    choice.zoom = 10;
    XyzFetcher fetch = [this](const std::vector<std::pair<QString, QString>>& jobs,
                              const std::function<void(int, const TransferResult&)>& done,
                              const std::function<bool()>&) {
      QImage tile(256, 256, QImage::Format_RGB32);
      tile.fill(colour);
      for (size_t i = 0; i < jobs.size(); ++i) {
        ++asked;
        TransferResult r{TransferOutcome::HttpError, 503, QStringLiteral("503"), 0, {}};
        QFile f(jobs[i].second);
        if (!failing && f.open(QIODevice::WriteOnly) && f.write(encodePng(tile)) > 0)
          r = {TransferOutcome::Ok, 200, QString(), f.size(), {}};
        done(static_cast<int>(i), r);
      }
    };
    AcquireContext ctx;
    ctx.prompts = &prompts;
    return runXyzAcquisition(state, choice, fetch, ctx, day);
  }
  QString list() const { return test::readSjis(state.datasetFolder + "/map_xyz_info.txt"); }
  QRgb tileColour(const QString& era) const {
    return QImage(state.datasetFolder + u'/' + era + "/001_001.png").pixel(50, 40);
  }
  QStringList folders() const { return QDir(state.datasetFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot); }
};

XyzChoice choice(const char* attribution, const char* label = "", XyzRepeat repeat = XyzRepeat::Ask, bool map = true) {
  XyzChoice c;
  c.attribution = QString::fromUtf8(attribution);
  c.label = QString::fromUtf8(label);
  c.repeat = repeat;
  c.map = map;
  return c;
}

const QString kFirst = QStringLiteral(
    "XYZ00, 2026 ,\"2026/05/01\",\"2026年（tiles.test）\",\"http://tiles.test/{z}/{x}/{y}.png\","
    "\"(C) 例\",map\r\n");

}  // namespace

TEST(XyzEraRun, TheEraIsFiledAsATileServiceEra) {
  XyzRun f;
  const RunOutcome out = f.run(choice("© 例"), QDate(2026, 5, 1));
  ASSERT_TRUE(out.added) << out.message.toStdString();
  EXPECT_EQ(out.message, QStringLiteral("テスト地域にXYZタイル（地図）を追加しました。"));
  EXPECT_EQ(f.list(), kFirst);
  // Nothing in the agency's files, no attribution.txt.
  EXPECT_FALSE(QFile::exists(f.state.datasetFolder + "/map_watizu_info.txt"));
  EXPECT_FALSE(QFile::exists(f.state.datasetFolder + "/XYZ00/attribution.txt"));
  EXPECT_NE(f.tileColour("XYZ00"), qRgb(255, 255, 255));
  const Era& era = f.state.eras.back();
  EXPECT_EQ(QString::fromLatin1(eraSource(era).id), QStringLiteral("xyz-map"));
  EXPECT_EQ(era.label, QStringLiteral("2026年（tiles.test）"));

  // The attribution is required, and what the list cannot hold is refused;
  // neither asks the service anything.
  struct Refused {
    const char* attribution;
    const char* label;
    const char* says;
  };
  for (const Refused& r :
       {Refused{"  ", "", "出典を入力してください"}, Refused{"a\"b", "", "出典"}, Refused{"(C) 例", "町 🗾", "名前"}}) {
    const int asked = f.asked;
    const RunOutcome refused = f.run(choice(r.attribution, r.label, XyzRepeat::Ask, false), QDate(2026, 5, 2));
    EXPECT_FALSE(refused.added);
    EXPECT_TRUE(refused.message.contains(QString::fromUtf8(r.says))) << refused.message.toStdString();
    EXPECT_EQ(f.asked, asked);
  }
  EXPECT_EQ(f.list(), kFirst);
}

TEST(XyzEraRun, TheSameServiceAgainUpdatesItsEra) {
  struct Case {
    const char* name;
    XyzRepeat repeat;
    std::vector<bool> answers;  // to the questions, in order
    bool failing;
    const char* label;
    bool added;
    QString list;  // afterwards
    bool newColour;
  };
  const QString updated = QStringLiteral(
      "XYZ00, 2027 ,\"2027/01/02\",\"2027年（tiles.test）\",\"http://tiles.test/{z}/{x}/{y}.png\","
      "\"(C) 例\",map\r\n");
  const Case cases[] = {
      {"refused on the command line", XyzRepeat::Refuse, {}, false, "", false, kFirst, false},
      {"the update declined", XyzRepeat::Ask, {false}, false, "", false, kFirst, false},
      {"the update accepted", XyzRepeat::Ask, {true, true}, false, "", true, updated, true},
      {"--update", XyzRepeat::Update, {true}, false, "", true, updated, true},
      {"the user's own label",
       XyzRepeat::Update,
       {true},
       false,
       "港の地図",
       true,
       QString(updated).replace("2027年（tiles.test）", "港の地図"),
       true},
      {"a failed update", XyzRepeat::Update, {true}, true, "", false, kFirst, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    XyzRun f;
    ASSERT_TRUE(f.run(choice("(C) 例"), QDate(2026, 5, 1)).added);
    const size_t eras = f.state.eras.size();
    const QRgb before = f.tileColour("XYZ00");
    f.colour = qRgb(200, 40, 40);
    f.failing = c.failing;
    for (bool a : c.answers) f.prompts.answer(a);
    const RunOutcome out = f.run(choice("(C) 例", c.label, c.repeat), QDate(2027, 1, 2));
    EXPECT_EQ(out.added, c.added) << out.message.toStdString();
    EXPECT_EQ(f.list(), c.list);
    EXPECT_EQ(f.tileColour("XYZ00") != before, c.newColour);
    // Never a second era of the service, never a work folder left.
    EXPECT_EQ(f.state.eras.size(), eras);
    EXPECT_EQ(f.folders(), QStringList({"XYZ00"}));
    if (c.repeat == XyzRepeat::Refuse) {
      EXPECT_TRUE(out.message.contains(QStringLiteral("--update")));
    }
    if (c.added) {
      EXPECT_EQ(out.message,
                QStringLiteral("テスト地域のXYZタイル「%1」を更新しました。")
                    .arg(c.label[0] ? QString::fromUtf8(c.label) : QStringLiteral("2027年（tiles.test）")));
    }
  }

  // The same template as a photo is another era.
  XyzRun f;
  ASSERT_TRUE(f.run(choice("(C) 例"), QDate(2026, 5, 1)).added);
  ASSERT_TRUE(f.run(choice("(C) 例", "", XyzRepeat::Refuse, false), QDate(2026, 5, 1)).added);
  EXPECT_TRUE(f.list().startsWith(kFirst));
  EXPECT_TRUE(f.list().endsWith(QStringLiteral("\"(C) 例\",photo\r\n")));
  EXPECT_TRUE(QDir(f.state.datasetFolder + "/XYZ01").exists());
}

TEST(EraSourceRouting, EverySourceHasItsChooserButtonAndItsCommand) {
  ProgramState state;
  state.datasetFolder = QStringLiteral("/nonexistent/d");
  ScriptedPrompts prompts;
  frmSetting chooser(state, prompts, NetAccess(), XyzFetcher(), AcquireServers());
  QStringList commands;
  for (const CliCommand& c : cliCommands()) commands << c.describe().name;
  for (const EraSource& s : eraSources()) {
    SCOPED_TRACE(s.id);
    QPushButton* button = chooser.buttonFor(s.acquisition);
    ASSERT_NE(button, nullptr);
    EXPECT_FALSE(button->text().isEmpty());
    EXPECT_TRUE(commands.contains(QString::fromLatin1(s.command)));
  }
  // The user's scans are offered whatever the data folder is.
  EXPECT_TRUE(chooser.cmdImport->isEnabled());
  EXPECT_EQ(chooser.buttonFor(EraAcquisition::None), nullptr);
}

TEST(XyzEraRun, TheAgencysFileKeepsTheLastVersionsTileServiceEras) {
  // A fetch of the agency's base map rewrites its file: the tile-service era
  // of the last version listed there (read as xyz-map) keeps its line, and
  // an era of this version's list stays out of it.
  auto era = [](const char* name, int32_t kind, const char* file, const char* date) {
    Era e;
    e.name = QString::fromLatin1(name);
    e.kind = kind;
    e.yearFrom = e.yearTo = QString::fromLatin1(date).left(4).toInt();
    e.acquiredText = QString::fromLatin1(date);
    e.infoFile = QString::fromLatin1(file);
    return e;
  };
  const std::vector<Era> eras = {era("W00", kAgencyBasicMap, "\\map_watizu_info.txt", "2024/04/01"),
                                 era("W01", kXyzMap, "\\map_watizu_info.txt", "2025/03/01"),
                                 era("XYZ00", kXyzMap, "\\map_xyz_info.txt", "2026/05/01"),
                                 era("W02", kAgencyBasicMap, "", "2026/06/01")};
  EXPECT_EQ(agencyInfoFileBytes(eras, kAgencyBasicMap),
            QByteArray(" 3 \r\nW00, 2024 , 2024 ,2024/04/01\r\nW01, 2025 , 2025 ,2025/03/01\r\n"
                       "W02, 2026 , 2026 ,2026/06/01\r\n"));
  EXPECT_EQ(agencyInfoFileBytes(eras, kAgencyOrtho), QByteArray(" 0 \r\n"));
}
