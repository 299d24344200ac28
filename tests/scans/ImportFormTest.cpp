// SPDX-License-Identifier: MIT
// The import dialog through its controls: the preview shows where the scan
// falls, a scan that cannot be taken says why, and 取り込み adds the era off
// the window's thread.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "ScanFixtures.h"
#include "model/ProgramState.h"
#include "net/frmImport.h"
#include "platform/Prompts.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

struct FormRegion {
  QTemporaryDir dir;
  ProgramState state;
  FormRegion() {
    test::DatasetFixture d;
    d.folder = dir.filePath("region");
    d.write();
    state.datasetFolder = d.folder;
    state.mapInfo.title = QStringLiteral("テスト地域");
    QString error;
    if (!readMapInfo(d.folder + "/mapinfo.txt", state.mapInfo, &error) || !deriveGrid(state.mapInfo, &error))
      throw std::runtime_error(error.toStdString());
  }
};

test::ScanLayout scanInRegion() {
  test::ScanLayout s;
  s.srs = QStringLiteral("EPSG:4326");
  const double gt[6] = {139.03, 0.17 / 300, 0, 35.975, 0, -0.12 / 240};
  std::copy(gt, gt + 6, s.geoTransform);
  return s;
}

// Blue-tinted pixels of the preview: the scan's footprint.
int footprintPixels(const QLabel* preview) {
  const QImage image = preview->pixmap().toImage();
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      n += qBlue(p) > qRed(p) + 40;
    }
  return n;
}

void waitUntilDone(frmImport& form) {
  QElapsedTimer timer;
  timer.start();
  while (form.running() && timer.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  QCoreApplication::processEvents();
}

TEST(ImportForm, PreviewAndImport) {
  FormRegion region;
  const QString scan = region.dir.filePath("town.tif");
  test::writeScan(scan, scanInRegion());
  ScriptedPrompts prompts;
  prompts.chooseFile(scan);
  frmImport form(region.state, prompts);
  EXPECT_EQ(footprintPixels(form.findChild<QLabel*>("picPreview")), 0);
  form.findChild<QPushButton*>("cmdBrowse")->click();
  EXPECT_EQ(form.findChild<QLineEdit*>("txtFile")->text(), scan);
  // The scan covers some 45 % of the region: a good part of the preview.
  EXPECT_GT(footprintPixels(form.findChild<QLabel*>("picPreview")), 240 * 192 / 4);
  EXPECT_TRUE(form.findChild<QLabel*>("lblCheck")->text().contains(QStringLiteral("WGS 84")));

  form.findChild<QSpinBox*>("txtYear")->setValue(1925);
  form.findChild<QLineEdit*>("txtCredit")->setText(QStringLiteral("市史編纂室"));
  form.findChild<QRadioButton*>("optKind_1")->setChecked(true);
  form.findChild<QPushButton*>("cmdImport")->click();
  waitUntilDone(form);
  EXPECT_EQ(form.tag(), QStringLiteral("OK"));
  ASSERT_EQ(prompts.messages().size(), 1);
  EXPECT_EQ(prompts.messages()[0], QStringLiteral("テスト地域に「1925年（town）」を追加しました。"));
  ASSERT_EQ(region.state.eras.size(), 1u);
  EXPECT_EQ(region.state.eras[0].ext, QStringLiteral("jpg"));
  EXPECT_FALSE(QDir(region.state.datasetFolder + "/SCAN00").entryList({"*.jpg"}).isEmpty());
}

TEST(ImportForm, AScanThatCannotBeTakenSaysWhy) {
  FormRegion region;
  test::ScanLayout far = scanInRegion();
  far.geoTransform[0] = 135.0;
  const QString scan = region.dir.filePath("far.tif");
  test::writeScan(scan, far);
  ScriptedPrompts prompts;
  frmImport form(region.state, prompts);
  form.findChild<QLineEdit*>("txtFile")->setText(scan);
  form.txtFile_Changed();
  EXPECT_EQ(form.findChild<QLabel*>("lblCheck")->text(), QStringLiteral("「far.tif」はこの地域と重なりません。"));
  form.findChild<QLineEdit*>("txtCredit")->setText(QStringLiteral("x"));
  form.findChild<QPushButton*>("cmdImport")->click();
  waitUntilDone(form);
  EXPECT_TRUE(form.tag().isEmpty());
  ASSERT_EQ(prompts.messages().size(), 1);
  EXPECT_EQ(prompts.messages()[0], QStringLiteral("「far.tif」はこの地域と重なりません。"));
  EXPECT_TRUE(region.state.eras.empty());
  EXPECT_TRUE(QDir(region.state.datasetFolder).entryList({"SCAN*"}, QDir::Dirs).isEmpty());
}

}  // namespace
