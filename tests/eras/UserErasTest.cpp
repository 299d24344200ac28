// SPDX-License-Identifier: MIT
// The eras the user added are the user's: a rename or a delete changes the
// era's own line of its info file and nothing else (byte for byte), a
// delete moves the era's folder to the trash and takes nothing when it
// cannot, the dataset's and the agency's eras stay as they are; the same
// through kavalo-cli eras and the era settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <optional>

#include "app/DatasetConfig.h"
#include "app/EraEditing.h"
#include "app/frmViewTime.h"
#include "model/ProgramState.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

const QString kWatizu = QStringLiteral(" 2 \r\nW00, 2025 , 2025 ,2025/03/01\r\nW01, 2026 , 2026 ,2026/04/01\r\n");
const QString kXyz = QStringLiteral(
    "XYZ00, 2024 ,\"2024/11/30\",\"町\",\"https://a.example.org/{z}/{x}/{y}.png\",\"(C) a\",map\r\n"
    "XYZ01, 2026 ,\"2026/05/01\",\"写真\",\"https://b.example.org/{z}/{x}/{y}.jpg\",\"(C) b\",photo\r\n");
const QString kImport = QStringLiteral(
    "SCAN00, 1925 ,\"大正の町\",\"市史\",map,\"town.tif\"\r\n"
    "SCAN01, 1948 ,\"空中写真\",\"米軍\",photo,\"air.jpg\"\r\n");

// A RootFolder whose data folder "d" holds eras of every kind the user can
// have, each with a folder of one tile, and a trash of its own.
struct UserEras {
  test::RootFixture root;
  QTemporaryDir home;
  ProgramState state;
  ScriptedPrompts prompts;

  UserEras() {
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    root.writeDatasetList({{QStringLiteral("試験"), QStringLiteral("d")}});
    test::DatasetFixture d;
    d.folder = root.path("d");
    d.write();
    test::writeSjis(d.folder + "/map_watizu_info.txt", kWatizu);
    test::writeSjis(d.folder + "/map_xyz_info.txt", kXyz);
    test::writeSjis(d.folder + "/map_import_info.txt", kImport);
    for (const char* era : {"E1900", "W00", "W01", "XYZ00", "XYZ01", "SCAN00", "SCAN01"}) {
      QDir().mkpath(folder(era));
      test::writeSolidImage(folder(era) + "/000_000.png", 10, 10, Qt::red);
    }
    test::writeSjis(folder("W00") + "/attribution.txt", QStringLiteral("(C) 地図会社\n"));
    load();
  }
  ~UserEras() { qunsetenv("XDG_DATA_HOME"); }

  QString folder(const QString& era) const { return root.path("d/") + era; }
  void load() {
    DatasetConfig config;
    QString error;
    if (readDatasetConfig(root.path("d"), FileNameTable::standard("http://x/"), MapInfo(), config, &error) !=
        LoadStatus::Loaded)
      throw std::runtime_error(error.toStdString());
    state.datasetFolder = root.path("d");
    state.eras = config.eras;
    state.view.eraIndex = 0;
  }
  int indexOf(const QString& era) const {
    for (size_t i = 0; i < state.eras.size(); ++i)
      if (state.eras[i].name == era) return static_cast<int>(i);
    return -1;
  }
  // The info file's text, or "-" when it is not there.
  QString file(const char* name) const {
    const QString path = root.path("d/") + QString::fromLatin1(name);
    return QFileInfo::exists(path) ? test::readSjis(path) : QStringLiteral("-");
  }
  int trashed() const {
    return static_cast<int>(QDir(home.filePath("Trash/files")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
  }
};

}  // namespace

TEST(UserEras, RenameAndDeleteChangeOnlyTheEraInItsFile) {
  struct Case {
    const char* name;
    const char* era;
    bool rename;  // else delete
    const char* label;
    bool done;
    QString watizu, xyz, import;  // the files afterwards
  };
  const Case cases[] = {
      {"rename a tile-service era", "XYZ01", true, "新しい名前", true, kWatizu,
       QString(kXyz).replace("\"写真\"", "\"新しい名前\""), kImport},
      {"delete a tile-service era", "XYZ00", false, "", true, kWatizu, kXyz.section("\r\n", 1), kImport},
      {"rename an imported era", "SCAN00", true, "町, 大正", true, kWatizu, kXyz,
       QString(kImport).replace("\"大正の町\"", "\"町, 大正\"")},
      {"delete an imported era", "SCAN01", false, "", true, kWatizu, kXyz, kImport.section("\r\n", 0, 0) + "\r\n"},
      // The last version's era moves into the list that holds labels.
      {"rename an era of the last version", "W00", true, "地図会社の図", true,
       QStringLiteral(" 1 \r\nW01, 2026 , 2026 ,2026/04/01\r\n"),
       kXyz + QStringLiteral("W00, 2025 ,\"2025/03/01\",\"地図会社の図\",\"\",\"(C) 地図会社\",map\r\n"), kImport},
      {"delete an era of the last version", "W00", false, "", true,
       QStringLiteral(" 1 \r\nW01, 2026 , 2026 ,2026/04/01\r\n"), kXyz, kImport},
      // What cannot be done changes nothing.
      {"the agency's era", "W01", true, "私の地図", false, kWatizu, kXyz, kImport},
      {"the dataset's sheets", "E1900", false, "", false, kWatizu, kXyz, kImport},
      {"a quote", "XYZ00", true, "\"町\"", false, kWatizu, kXyz, kImport},
      {"no label", "SCAN00", true, "  ", false, kWatizu, kXyz, kImport},
      {"no Shift-JIS form", "SCAN00", true, "町 🗾", false, kWatizu, kXyz, kImport},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UserEras f;
    const int index = f.indexOf(QString::fromLatin1(c.era));
    ASSERT_GE(index, 0);
    const EraEditResult r =
        c.rename ? renameUserEra(f.state, index, QString::fromUtf8(c.label)) : deleteUserEra(f.state, index, f.prompts);
    EXPECT_EQ(r.done, c.done) << r.message.toStdString();
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_EQ(f.file("map_watizu_info.txt"), c.watizu);
    EXPECT_EQ(f.file("map_xyz_info.txt"), c.xyz);
    EXPECT_EQ(f.file("map_import_info.txt"), c.import);
    const bool deleted = c.done && !c.rename;
    EXPECT_EQ(QFileInfo::exists(f.folder(c.era)), !deleted);
    EXPECT_EQ(f.trashed(), deleted ? 1 : 0);
    // Read again, the data folder says the same.
    const size_t before = f.state.eras.size();
    f.load();
    EXPECT_EQ(f.state.eras.size(), before);
    if (c.done && c.rename) {
      EXPECT_EQ(f.state.eras[static_cast<size_t>(index)].label, QString::fromUtf8(c.label));
    }
  }
}

TEST(UserEras, ADeleteThatCannotReachTheTrashTakesNothing) {
  UserEras f;
  // No trash can be made under a file.
  test::writeSjis(f.home.filePath("file"), QStringLiteral("x"));
  qputenv("XDG_DATA_HOME", f.home.filePath("file/share").toLocal8Bit());
  const int index = f.indexOf("SCAN00");
  const EraEditResult r = deleteUserEra(f.state, index, f.prompts);
  EXPECT_FALSE(r.done);
  EXPECT_TRUE(r.message.contains(QStringLiteral("ごみ箱"))) << r.message.toStdString();
  EXPECT_EQ(f.file("map_import_info.txt"), kImport);
  EXPECT_TRUE(QFileInfo::exists(f.folder("SCAN00") + "/000_000.png"));
  EXPECT_EQ(f.state.eras[static_cast<size_t>(index)].name, QStringLiteral("SCAN00"));
  // Nothing went anywhere else either (the working folder is no trash).
  EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath("files/SCAN00")));

  // Answered No: not even the question's era changes.
  f.prompts.answer(false);
  EXPECT_FALSE(deleteUserEra(f.state, f.indexOf("XYZ00"), f.prompts).done);
  EXPECT_EQ(f.file("map_xyz_info.txt"), kXyz);
  EXPECT_EQ(f.prompts.questions().size(), 2);
}

TEST(UserEras, CommandLine) {
  UserEras f;
  const QString r = f.root.root();
  // info names every era's source; the indexes are those of the sorted list.
  const test::ProgramRun info = test::runCli({"info", "--root", r});
  ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
  QStringList sources;
  for (const QJsonValue& e : QJsonDocument::fromJson(info.out).object()["eras"].toArray())
    sources << e.toObject()["name"].toString() + u':' + e.toObject()["source"].toString();
  EXPECT_EQ(sources, QStringList({"E1900:sheets", "SCAN00:import-map", "E1930:sheets", "SCAN01:import-photo",
                                  "XYZ00:xyz-map", "W00:xyz-map", "XYZ01:xyz-photo", "W01:agency-map"}));
  struct Case {
    QStringList args;
    int status;
  };
  const Case cases[] = {
      {{"--rename", "1"}, 2},  // no label
      {{"--label", "x"}, 2},   // no era
      {{"--rename", "1", "--delete", "3", "--label", "x"}, 2},
      {{"--delete", "8"}, 2},  // beyond the list
      {{"--delete", "x"}, 2},
      {{"--rename", "7", "--label", "私の地図"}, 1},  // the agency's
      {{"--delete", "0"}, 1},                         // the dataset's
      {{"--rename", "1", "--label", "a\"b"}, 1},
      {{"--rename", "1", "--label", "大正の町並み"}, 0},
      {{"--delete", "3"}, 0},
  };
  for (const Case& c : cases) {
    const test::ProgramRun run = test::runCli(QStringList{"eras", "--root", r} + c.args);
    EXPECT_EQ(run.exitCode, c.status) << c.args.join(' ').toStdString() << "\n" << run.err.toStdString();
  }
  EXPECT_EQ(f.file("map_import_info.txt"),
            QStringLiteral("SCAN00, 1925 ,\"大正の町並み\",\"市史\",map,\"town.tif\"\r\n"));
  EXPECT_FALSE(QFileInfo::exists(f.folder("SCAN01")));
  EXPECT_EQ(f.file("map_xyz_info.txt"), kXyz);
}

TEST(UserEras, TheEraSettingsRenameAndDeleteTheUsersErasAlone) {
  UserEras f;
  f.state.view.eraLabelStyle = 0;
  struct Case {
    const char* era;
    bool enabled;
  };
  for (const Case& c : {Case{"E1900", false}, Case{"W01", false}, Case{"W00", true}, Case{"SCAN01", true}}) {
    frmViewTime dialog(f.state, f.prompts, nullptr);
    dialog.lstEra->setCurrentRow(f.indexOf(c.era));
    EXPECT_EQ(dialog.cmdRename->isEnabled(), c.enabled) << c.era;
    EXPECT_EQ(dialog.cmdDelete->isEnabled(), c.enabled) << c.era;
  }
  {
    frmViewTime dialog(f.state, f.prompts, nullptr);
    QString asked;
    dialog.askLabel = [&](const QString& label) -> std::optional<QString> {
      asked = label;
      return QStringLiteral("戦後の写真");
    };
    // Other choices made first: another style, one era fewer.
    dialog.optEra[1]->setChecked(true);
    dialog.lstEra->selectAll();
    dialog.lstEra->item(f.indexOf("W00"))->setSelected(false);
    dialog.lstEra->selectionModel()->setCurrentIndex(dialog.lstEra->model()->index(f.indexOf("SCAN01"), 0),
                                                     QItemSelectionModel::NoUpdate);
    dialog.cmdRename->click();
    EXPECT_EQ(asked, QStringLiteral("空中写真"));
    // The dialog stays open, showing the new name, the other choices kept.
    EXPECT_TRUE(dialog.erasRenamed());
    EXPECT_FALSE(dialog.erasEdited());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_TRUE(dialog.lstEra->item(f.indexOf("SCAN01"))->text().contains(QStringLiteral("戦後の写真")));
    EXPECT_TRUE(dialog.optEra[1]->isChecked());
    EXPECT_FALSE(dialog.lstEra->item(f.indexOf("W00"))->isSelected());
    dialog.cmdOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(f.state.eras[static_cast<size_t>(f.indexOf("W00"))].listed);
    EXPECT_EQ(f.state.view.eraLabelStyle, 1);
    EXPECT_EQ(f.state.eras[static_cast<size_t>(f.indexOf("SCAN01"))].label, QStringLiteral("戦後の写真"));
    for (Era& era : f.state.eras) era.listed = true;
    f.state.view.eraLabelStyle = 0;
  }
  EXPECT_EQ(f.file("map_import_info.txt"), QString(kImport).replace("\"空中写真\"", "\"戦後の写真\""));
  {
    frmViewTime dialog(f.state, f.prompts, nullptr);
    dialog.lstEra->setCurrentRow(f.indexOf("XYZ01"));
    f.prompts.answer(false);
    dialog.cmdDelete->click();
    EXPECT_FALSE(dialog.erasEdited());
    f.prompts.answer(true);
    dialog.cmdDelete->click();
    EXPECT_TRUE(dialog.erasEdited());
  }
  EXPECT_EQ(f.file("map_xyz_info.txt"), kXyz.section("\r\n", 0, 0) + "\r\n");
  EXPECT_TRUE(f.prompts.messages().isEmpty());
}
