// SPDX-License-Identifier: MIT
// After the data folder is read again because its eras changed (an era
// added, renamed or deleted), the window shows the era it showed before,
// found by its folder, or the era nearest in time when that one is gone.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <memory>

#include "app/DatasetLoader.h"
#include "app/frmSCR.h"
#include "model/EraLabels.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

Era era(const char* name, int year) {
  Era e;
  e.name = QString::fromLatin1(name);
  e.yearFrom = e.yearTo = year;
  return e;
}

}  // namespace

TEST(FindEraAgain, ByFolderElseNearestInTime) {
  const std::vector<Era> eras = {era("E1900", 1900), era("E1930", 1930), era("XYZ00", 1960), era("W00", 2026)};
  struct Case {
    const char* folder;
    int year;
    int index;
  };
  const Case cases[] = {
      {"XYZ00", 1000, 2},                                        // the folder decides, whatever the year
      {"gone", 1931, 1},  {"gone", 1992, 2}, {"gone", 1993, 2},  // of two as near, the earlier
      {"gone", 1994, 3},  {"gone", 1700, 0}, {"gone", 9999, 3},
  };
  for (const Case& c : cases)
    EXPECT_EQ(findEraAgain(eras, EraMark{QString::fromLatin1(c.folder), c.year}), c.index) << c.folder << " " << c.year;
  EXPECT_EQ(findEraAgain({}, EraMark{"E1900", 1900}), -1);
}

TEST(WindowReload, TheShownEraStaysWhenEarlierErasComeAndGo) {
  test::RootFixture root;
  root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
  test::DatasetFixture d;
  d.folder = root.path("a");
  d.write();
  const QString xyz = d.folder + "/map_xyz_info.txt";
  test::writeSjis(xyz,
                  QStringLiteral("XYZ00, 2026 ,\"2026/05/01\",\"新しい地図\",\"http://t/{z}/{x}/{y}\",\"t\",map\n"));
  ScriptedPrompts prompts;
  ScreenInfo screen;
  screen.widthPx = 1600;
  screen.heightPx = 1200;
  auto w = std::make_unique<frmSCR>(root.root(), screen, prompts);
  w->Form_Load();
  w->show();
  QCoreApplication::processEvents();
  ASSERT_EQ(w->state().eras.size(), 3u);
  w->cboAge->setCurrentIndex(1);  // E1930
  ASSERT_EQ(w->state().currentEra().name, QStringLiteral("E1930"));

  // An era of 1800 comes first in the list: the saved position would now
  // name E1900.
  test::writeSjis(xyz, QStringLiteral("XYZ00, 2026 ,\"2026/05/01\",\"新しい地図\",\"http://t/{z}/{x}/{y}\",\"t\",map\n"
                                      "XYZ01, 1800 ,\"2026/05/02\",\"古い地図\",\"http://u/{z}/{x}/{y}\",\"u\",map\n"));
  keepShownEra(w->state());
  w->reloadDataset();
  ASSERT_EQ(w->state().eras.size(), 4u);
  EXPECT_EQ(w->state().currentEra().name, QStringLiteral("E1930"));
  EXPECT_EQ(w->cboAge->currentText(), QStringLiteral("1930-31年"));
  EXPECT_FALSE(w->state().eraToKeep.has_value());

  // The shown era deleted: the nearest in time to 2026 is E1930.
  w->cboAge->setCurrentIndex(3);
  ASSERT_EQ(w->state().currentEra().name, QStringLiteral("XYZ00"));
  keepShownEra(w->state());
  test::writeSjis(xyz, QStringLiteral("XYZ01, 1800 ,\"2026/05/02\",\"古い地図\",\"http://u/{z}/{x}/{y}\",\"u\",map\n"));
  w->reloadDataset();
  EXPECT_EQ(w->state().currentEra().name, QStringLiteral("E1930"));
  EXPECT_EQ(w->cboAge->currentIndex(), 2);
  EXPECT_TRUE(prompts.messages().isEmpty());
  w->Form_Unload();
}
