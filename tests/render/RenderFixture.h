// SPDX-License-Identifier: MIT
#pragma once
// A data folder with tiles of known colours, loaded the way the program
// loads it, and a 300 x 200 view in which one image pixel is one view pixel
// at 100 % (2.3125 mm per image pixel and per view pixel). The grid is 4 x 4
// tiles of 100 x 80; the view is centred on (200, 160), so at 100 % tile
// (col, row) covers x from -50 + 100 col (101 wide) and y from -60 + 80 row
// (81 high).
#include <QColor>
#include <QImage>
#include <functional>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "model/ProgramState.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "render/ViewComposer.h"
#include "support/Fixtures.h"

namespace kavalo::test {

struct RenderFixture {
  RootFixture root;
  DatasetFixture data;
  ProgramState state;
  ScriptedPrompts prompts;
  // The window's picture and its snapshot before the overlays.
  QImage picture;
  QImage snapshot;

  RenderFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    data.folder = root.path(QStringLiteral("a"));
  }

  // An elevation grid of 2 x 2 cells per tile sloping gently to the south-
  // east (10 m to about 17 m), so that the shaded colours vary but never
  // saturate. Call after data.write().
  void gentleAltitude() const {
    std::vector<int32_t> cells(64);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) cells[static_cast<size_t>(y * 8 + x)] = 100 + 7 * x + 3 * y;
    writeAltitude(data.folder + QStringLiteral("/altitude.dat"), 8, 8, 0, 1000, 100, cells);
  }

  QString eraFile(const QString& era, const QString& name) const { return data.folder + u'/' + era + u'/' + name; }

  // Solid tiles for every grid position of an era folder.
  void solidTiles(const QString& era, const std::function<QRgb(int, int)>& colour,
                  const QString& ext = QStringLiteral("png")) {
    const char* format = ext == u"png" ? "PNG" : "JPEG";
    for (int row = 0; row < 4; ++row)
      for (int col = 0; col < 4; ++col)
        writeSolidImage(
            eraFile(era, QStringLiteral("%1_%2.%3").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0')).arg(ext)),
            data.tileWidth, data.tileHeight, QColor::fromRgb(colour(col, row)), format);
  }

  // Loads the data folder and sets up the view; false when loading failed.
  bool load() {
    if (!startProgram(state, root.root(), prompts)) return false;
    state.datasetFolder = joinPath(state.rootFolder, QStringLiteral("\\a"));
    if (LoadDataset(state, prompts) != LoadStatus::Loaded) return false;
    state.mmPerScreenPxX = state.mmPerScreenPxY = 2.3125;
    state.scale = computeScaleFactors(state.mapInfo, 2.3125, 2.3125);
    state.view.viewWidth = 300;
    state.view.viewHeight = 200;
    picture = QImage(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::black);
    state.view.centerX = 200.0f;
    state.view.centerY = 160.0f;
    state.view.zoomPercent = 100;
    state.view.eraIndex = 0;
    // The overlays of the corners stay out of the pixels under test.
    state.view.showScale = false;
    state.view.showMarks = false;
    state.view.showLegend = false;
    state.view.showSheetLines = false;
    return true;
  }

  // The request of the session's view, as the window makes it.
  ViewRequest request(RenderPass pass = RenderPass::Screen) const { return currentViewRequest(state, pass); }

  const QImage& compose() {
    renderView(state, request(), picture, nullptr, &snapshot);
    return picture;
  }
};

inline QRgb tileColour(int col, int row) { return qRgb(40 * col + 20, 30 * row + 10, 200); }

}  // namespace kavalo::test
