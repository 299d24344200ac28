// SPDX-License-Identifier: MIT
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
  QImage picture;    // the view's picture
  QImage pageImage;  // the page of the print pass
  bool onPage = false;
  TargetMapping mapping;

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
    state.view.viewWidth = width;
    state.view.viewHeight = height;
    picture = QImage(width, height, QImage::Format_RGB32);
    picture.fill(QColor(128, 128, 128));
    setTargetResolution(picture, state, 1.0);
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

  // The request of the view: on the screen, or (after page()) the print
  // pass at its scale and offset.
  ViewRequest request() const {
    ViewRequest r = currentViewRequest(state, onPage ? RenderPass::Print : RenderPass::Screen);
    if (onPage) {
      r.devicePixelRatio = mapping.k;
      r.origin = QPointF(mapping.ox, mapping.oy);
    }
    return r;
  }
  // The screen context, or the print pass at scale k and offset (ox, oy),
  // which draws into a page image made to fit (pageImage).
  ComposeContext screen() const { return makeComposeContext(state, currentViewRequest(state, RenderPass::Screen)); }
  ComposeContext page(double k, double ox, double oy) {
    onPage = true;
    mapping = TargetMapping{k, ox, oy};
    pageImage = QImage(static_cast<int>(picture.width() * k + 2 * ox), static_cast<int>(picture.height() * k + 2 * oy),
                       QImage::Format_RGB32);
    pageImage.fill(QColor(128, 128, 128));
    setTargetResolution(pageImage, state, k);
    return makeComposeContext(state, request());
  }
};

}  // namespace kavalo::test
