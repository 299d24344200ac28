// SPDX-License-Identifier: MIT
// The window's entry to the composition: it builds the request of its view
// (the session's view, the map view's size and device pixel ratio, online
// or not) and hands it to the renderer, or to the comparison.
#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include "app/EraPrefetch.h"
#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "geo/Navigation.h"
#include "net/TileDownloads.h"
#include "platform/Logging.h"
#include "platform/Memory.h"
#include "render/TileCache.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

constexpr qint64 kBusyTrimMs = 5000;

}  // namespace

double frmSCR::viewPixelRatio() const {
  // A screen whose pixels are finer than view pixels gets a picture at its
  // own resolution.
  const double ratio = picPrint ? picPrint->devicePixelRatioF() : 1.0;
  return ratio > 0 ? ratio : 1.0;
}

ViewRequest frmSCR::viewRequest(RenderPass pass) const {
  ViewRequest r = currentViewRequest(state_, pass, viewPixelRatio());
  r.moving = draggingView();
  return r;
}

void frmSCR::PrintGazo() {
  ++compositionCount_;
  // Whatever moved the view (keys, the position dialog, a saved position),
  // the map stays in sight.
  keepCentreOnRegion();
  if (compareActive()) {
    PrintGazoCompare();
  } else {
    renderView(state_, viewRequest(RenderPass::Screen), viewPicture_, tileDownloads_, &viewSnapshot_);
  }
  // The legend is a window of its own: it follows every full composition.
  if (state_.view.loaded && state_.hasEra() && state_.view.showLegend) showLegendForComposition();
  picPrint->update();
  updateCoverage();
  placeOverview();
  // The pictures freed by the compositions go back to the system once the
  // user pauses, and every few seconds while the user goes on without one.
  idleTrim_->start();
  // The view may have moved: the prefetch starts again once the user pauses.
  eraPrefetch_->viewShown(tileDownloads_, viewRequest(RenderPass::Screen));
  eraPrefetchTimer_->start(state_.view.onlineMode ? EraPrefetch::kIdleOnlineMs : EraPrefetch::kIdleMs);
  if (!trimClock_.isValid() || trimClock_.elapsed() > kBusyTrimMs) {
    releaseFreedMemory();
    trimClock_.restart();
    const AllocatorUse use = allocatorUse();
    qCDebug(
        lcRender,
        "kept: tiles %lld bytes in %zu pictures, elevation pieces %lld bytes; allocated %lld (%lld mapped), free %lld",
        static_cast<long long>(TileCache::shared().bytes()), TileCache::shared().count(),
        static_cast<long long>(state_.pieces.bytes()), use.inUse, use.mapped, use.freeInHeaps);
  }
}

void frmSCR::keepCentreOnRegion() {
  if (!state_.view.loaded) return;
  const ImagePoint c = regionClampedCentre(ImagePoint{state_.view.centerX, state_.view.centerY}, state_.mapInfo);
  state_.view.centerX = c.x;
  state_.view.centerY = c.y;
}

void frmSCR::cmdCopy_Click() {
  if (viewPicture_.isNull()) return;
  QGuiApplication::clipboard()->setImage(viewPicture_);
}

}  // namespace kavalo
