// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <httplib.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>

#include "app/RootFolder.h"
#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "cli/CliCommon.h"
#include "cli/ViewOptions.h"
#include "platform/Prompts.h"
#include "render/ImageLibrary.h"
#include "render/ViewComposer.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

struct RenderRun {
  int exitCode = -1;
  QString err;
};

RenderRun runRender(const QStringList& args) {
  const test::ProgramRun r = test::runCli(QStringList{QStringLiteral("render")} + args);
  return {r.exitCode, r.err};
}

QRgb tileColour(int col, int row) { return qRgb(40 * col + 20, 30 * row + 10, 200); }

// A root with one data folder of 4 x 4 solid tiles of 100 x 80 for its
// first era.
struct CliRenderFixture {
  test::RootFixture root;
  test::DatasetFixture data;
  CliRenderFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    data.folder = root.path(QStringLiteral("a"));
    data.write();
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col)
        test::writeSolidImage(
            data.folder + QStringLiteral("/E1900/%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0')),
            100, 80, QColor::fromRgb(tileColour(col, row)));
  }
  QString out(const QString& name) const { return root.path(name); }

  // The same composition in this process, as the command does it.
  QImage composeHere(const QStringList& args) const {
    CliOptions options;
    QString error;
    EXPECT_TRUE(parseOptions(args, viewOptionNames(), options, &error)) << error.toStdString();
    ProgramState state;
    CliPrompts prompts;
    EXPECT_TRUE(loadForCli(options, state, prompts));
    EXPECT_TRUE(applyViewOptions(options, state, &error)) << error.toStdString();
    QImage picture;
    renderView(state, currentViewRequest(state, RenderPass::Export), picture);
    return picture;
  }
};

}  // namespace

TEST(RenderCommand, WritesTheComposedViewAtItsSize) {
  CliRenderFixture f;
  const QStringList view = {QStringLiteral("--root"),      f.root.root(),
                            QStringLiteral("--size"),      QStringLiteral("300x200"),
                            QStringLiteral("--center"),    QStringLiteral("200,160"),
                            QStringLiteral("--zoom"),      QStringLiteral("100"),
                            QStringLiteral("--mm-per-px"), QStringLiteral("2.3125"),
                            QStringLiteral("--layers"),    QStringLiteral("tiles")};
  const QString path = f.out(QStringLiteral("view.png"));
  const RenderRun r = runRender(view + QStringList{QStringLiteral("-o"), path});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QImage image = PNGtoDIB(path);
  ASSERT_EQ(image.size(), QSize(300, 200));
  // One image pixel per view pixel: tile (1, 1) covers x 50..150, y 20..100.
  EXPECT_EQ(image.pixel(100, 60), tileColour(1, 1));
  EXPECT_EQ(image.pixel(150, 60), tileColour(2, 1));
  EXPECT_EQ(image.pixel(0, 0), tileColour(0, 0));
  EXPECT_EQ(image, f.composeHere(view));

  // At 200 % and an odd size.
  const QStringList zoomed = {
      QStringLiteral("--root"), f.root.root(),         QStringLiteral("--size"), QStringLiteral("301x77"),
      QStringLiteral("--zoom"), QStringLiteral("200"), QStringLiteral("--era"),  QStringLiteral("0")};
  const QString second = f.out(QStringLiteral("zoomed.png"));
  ASSERT_EQ(runRender(zoomed + QStringList{QStringLiteral("-o"), second}).exitCode, 0);
  const QImage z = PNGtoDIB(second);
  EXPECT_EQ(z.size(), QSize(301, 77));
  EXPECT_EQ(z, f.composeHere(zoomed));
}

TEST(RenderCommand, ReportsBadUseAndFailedWrites) {
  CliRenderFixture f;
  RenderRun r = runRender({QStringLiteral("--root"), f.root.root()});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(r.err.contains(QStringLiteral("-o"))) << r.err.toStdString();

  r = runRender({QStringLiteral("--root"), f.root.root(), QStringLiteral("--size"), QStringLiteral("big"),
                 QStringLiteral("-o"), f.out(QStringLiteral("x.png"))});
  EXPECT_EQ(r.exitCode, 2);  // a value out of range is a usage error
  EXPECT_TRUE(r.err.contains(QStringLiteral("--size"))) << r.err.toStdString();

  r = runRender(
      {QStringLiteral("--root"), f.root.root(), QStringLiteral("-o"), f.out(QStringLiteral("missing/folder/x.png"))});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(r.err.isEmpty());
  EXPECT_FALSE(QFile::exists(f.out(QStringLiteral("missing/folder/x.png"))));

  r = runRender({QStringLiteral("--root"), f.root.path(QStringLiteral("nowhere")), QStringLiteral("-o"),
                 f.out(QStringLiteral("y.png"))});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(QFile::exists(f.out(QStringLiteral("y.png"))));
}

TEST(RenderCommand, WritesWhatTheWindowShows) {
  CliRenderFixture f;
  ScriptedPrompts prompts;
  ScreenInfo screen;
  frmSCR window(f.root.root(), screen, prompts);
  window.Form_Load();
  ASSERT_TRUE(window.state().view.loaded);
  window.show();
  window.resize(900, 600);
  QApplication::processEvents();
  const QImage& shown = window.viewPicture();
  ASSERT_FALSE(shown.isNull());
  ASSERT_EQ(shown.size(), window.picPrint->size());
  EXPECT_NE(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(255, 255, 255));

  // The saved view, the screen's millimetres per pixel and the switches that
  // are on at start are the command's defaults.
  const QString path = f.out(QStringLiteral("window.png"));
  const RenderRun r =
      runRender({QStringLiteral("--root"), f.root.root(), QStringLiteral("--size"),
                 QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height()), QStringLiteral("-o"), path});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QImage written = PNGtoDIB(path);
  ASSERT_EQ(written.size(), shown.size());
  EXPECT_TRUE(written == shown.convertToFormat(QImage::Format_RGB32));
  window.Form_Unload();
}

// The legend layer: the era's legend picture at its own size in the view's
// top-right corner, over everything else; cut on its right and bottom (the
// part the legend window would scroll to) when the view is smaller.
TEST(RenderCommand, TheLegendLayerGoesIntoTheTopRightCorner) {
  CliRenderFixture f;
  const QColor legendColour(12, 200, 34);
  QImage legend(60, 40, QImage::Format_RGB32);
  legend.fill(legendColour);
  legend.setPixel(0, 0, qRgb(255, 0, 0));  // its top-left corner
  ASSERT_TRUE(QDir().mkpath(f.data.folder + QStringLiteral("/legend")));
  ASSERT_TRUE(legend.save(f.data.folder + QStringLiteral("/legend/01.png")));
  const struct {
    QString size;
    QPoint topLeft;  // where the legend's top-left lands
  } cases[] = {{QStringLiteral("200x100"), {140, 0}}, {QStringLiteral("50x30"), {0, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size.toStdString());
    const QString path = f.out(QStringLiteral("legend.png"));
    const RenderRun r = runRender({"--root", f.root.root(), "--size", c.size, "--layers", "tiles,legend", "-o", path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage image = PNGtoDIB(path);
    EXPECT_EQ(image.pixel(c.topLeft), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(image.width() - 1, 0), legendColour.rgb());
    EXPECT_EQ(image.pixel(image.width() - 1, std::min(39, image.height() - 1)), legendColour.rgb());
    if (c.topLeft.x() > 0) {
      EXPECT_NE(image.pixel(c.topLeft.x() - 1, 0), legendColour.rgb());   // the map beside it
      EXPECT_NE(image.pixel(image.width() - 1, 40), legendColour.rgb());  // and below it
    }
  }
}

// Online the view is composed and compressed while its tiles arrive: what is
// written is the view of the complete region, the fetched tiles stay, and a
// comparison (composed whole at the end) is right as well.
TEST(RenderCommand, OnlineTheViewWrittenIsTheCompleteRegionsView) {
  const QString sample = qEnvironmentVariable("KAVALO_SAMPLE");
  ASSERT_TRUE(QFile::exists(sample + QStringLiteral("/dataset.txt"))) << "the build generates the sample region";
  test::LoopbackServer server;
  server.serve(QStringLiteral("/kavalo/servercheck.txt"), "OK\r\n");
  ASSERT_TRUE(server.http().set_mount_point("/kavalo", sample.toStdString()));
  server.start();
  const struct {
    const char* what;
    QString era;
    QStringList view;
  } cases[] = {
      {"masked rapid survey, every layer", QStringLiteral("JINNSOKU"),
       {"--era", "0", "--zoom", "70", "--size", "640x480", "--layers", "tiles,altitude,lines,scale,marks"}},
      {"scanned sheets at an odd size", QStringLiteral("1970"),
       {"--era", "4", "--zoom", "137", "--size", "517x389", "--layers", "tiles,altitude,scale"}},
      {"a comparison", QStringLiteral("1970"),
       {"--era", "4", "--compare", "3", "--mode", "side", "--size", "600x300", "--layers", "tiles"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir copy;
    ASSERT_TRUE(copyFolderTree(sample, copy.path()));
    QDir era(copy.path() + QStringLiteral("/sample/") + c.era);
    for (const QString& name : era.entryList(QDir::Files)) ASSERT_TRUE(era.remove(name));
    const QString online = copy.path() + QStringLiteral("/online.png");
    const QString offline = copy.path() + QStringLiteral("/offline.png");
    const RenderRun fetched = runRender(QStringList{"--root", copy.path(), "--online", "--web-base",
                                                    server.url(QStringLiteral("/kavalo/")), "-o", online} +
                                        c.view);
    ASSERT_EQ(fetched.exitCode, 0) << fetched.err.toStdString();
    EXPECT_FALSE(era.entryList(QDir::Files).isEmpty());
    ASSERT_EQ(runRender(QStringList{"--root", sample, "-o", offline} + c.view).exitCode, 0);
    const QImage a(online), b(offline);
    ASSERT_FALSE(a.isNull());
    EXPECT_EQ(a.convertToFormat(QImage::Format_RGB32), b.convertToFormat(QImage::Format_RGB32));
  }
}
