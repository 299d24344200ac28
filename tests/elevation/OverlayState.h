#pragma once
// A program state for drawing overlays without a window: a dataset of 4 x 4
// sheets of 2 x 2 tiles (100 x 80 pixels each), a view picture of a given
// size, and eras that tests add.
#include <QImage>

#include "model/ProgramState.h"
#include "render/ComposeContext.h"

namespace kavalo::test {

struct OverlayState {
  ProgramState state;

  // mmPerScreenPx: millimetres per screen pixel. 40 / mmPerScreenPx screen
  // pixels at 100 % make one scale unit; 2.3125 makes one image pixel one
  // screen pixel.
  explicit OverlayState(int width = 1000, int height = 700, double mmPerScreenPx = 2.3125) {
    MapInfo& m = state.mapInfo;
    m.tileWidth = 100;
    m.tileHeight = 80;
    m.sheetsX = 4;
    m.sheetsY = 4;
    m.tilesPerSheetX = 2;
    m.tilesPerSheetY = 2;
    m.west = 139.0f;
    m.north = 36.0f;
    m.scaleUnit = QStringLiteral("km");
    m.approval = QStringLiteral("承認を得て複製した。（承認番号　平1業複、第1号）");
    deriveGrid(m, nullptr);
    state.mmPerScreenPxX = state.mmPerScreenPxY = mmPerScreenPx;
    state.scale = computeScaleFactors(m, mmPerScreenPx, mmPerScreenPx);
    state.view.centerX = 400;
    state.view.centerY = 320;
    state.view.loaded = true;
    state.picPrint = QImage(width, height, QImage::Format_RGB32);
    state.picPrint.fill(QColor(128, 128, 128));
    setTargetResolution(state.picPrint, state, 1.0);
  }

  Era& addEra(int kind, int frameType = 0) {
    Era e;
    e.name = QStringLiteral("E%1").arg(state.eras.size());
    e.kind = kind;
    e.frameType = frameType;
    e.yearFrom = e.yearTo = 1930;
    state.eras.push_back(e);
    return state.eras.back();
  }

  // The screen context, or the print pass at scale k and offset (ox, oy),
  // which draws into a page image made to fit (printPage).
  ComposeContext screen() const { return makeComposeContext(state); }
  ComposeContext page(double k, double ox, double oy) {
    state.view.printMode = true;
    state.print = PrintPass{k, ox, oy};
    state.printPage = QImage(static_cast<int>(state.picPrint.width() * k + 2 * ox),
                             static_cast<int>(state.picPrint.height() * k + 2 * oy), QImage::Format_RGB32);
    state.printPage.fill(QColor(128, 128, 128));
    setTargetResolution(state.printPage, state, k);
    return makeComposeContext(state);
  }
};

}  // namespace kavalo::test
