// SPDX-License-Identifier: MIT
// The web map from the export dialog: its fourth format writes every era's
// tiles and the map page into the folder of the chosen index.html, and never
// into a folder that holds other files.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>

#include "WebMapFixture.h"
#include "output/frmOutput.h"
#include "render/ViewRequest.h"

using namespace kavalo;

TEST(WebMapDialog, TheFourthFormatWritesTheWebMapIntoTheChosenFolder) {
  test::WebMapFixture f;
  ASSERT_TRUE(f.load());
  qputenv("KAVALO_WEB_VIEWER", f.viewer.path().toUtf8());
  QTemporaryDir out;
  const QString page = out.path() + QStringLiteral("/map/index.html");
  QDir().mkpath(out.path() + QStringLiteral("/map"));
  frmOutput form(f.state, f.prompts, currentViewRequest(f.state, RenderPass::Export));
  QStringList opened;
  form.openFile = [&](const QString& path) { opened << path; };
  form.optOut[3]->click();
  EXPECT_FALSE(form.optGazoFormat[1]->isEnabled());  // the tiles are PNG whatever is chosen
  f.prompts.chooseFile(page);
  form.cmdFilesave->click();
  f.prompts.answer(true);
  form.cmdOK->click();
  qunsetenv("KAVALO_WEB_VIEWER");
  EXPECT_EQ(form.result(), QDialog::Accepted) << f.prompts.messages().join(u'\n').toStdString();
  EXPECT_TRUE(QFileInfo::exists(out.path() + QStringLiteral("/map/eras.json")));
  EXPECT_TRUE(QFileInfo::exists(out.path() + QStringLiteral("/map/tiles/E1930/11/1815/804.png")));
  EXPECT_EQ(opened, QStringList{QDir(out.path() + QStringLiteral("/map")).filePath(QStringLiteral("index.html"))});
}

TEST(WebMapDialog, AFolderWithOtherFilesIsRefused) {
  test::WebMapFixture f;
  ASSERT_TRUE(f.load());
  QTemporaryDir out;
  test::writeBytes(out.path() + QStringLiteral("/letter.txt"), "mine");
  frmOutput form(f.state, f.prompts, currentViewRequest(f.state, RenderPass::Export));
  form.optOut[3]->click();
  f.prompts.chooseFile(out.path() + QStringLiteral("/index.html"));
  form.cmdFilesave->click();
  form.cmdOK->click();
  EXPECT_NE(form.result(), QDialog::Accepted);
  ASSERT_EQ(f.prompts.messages().size(), 1);
  EXPECT_TRUE(f.prompts.messages()[0].contains(QStringLiteral("空のフォルダーを指定してください")));
  EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"letter.txt"});
}
