// SPDX-License-Identifier: MIT
// The main window's online mode: the indicator that switches it on, the notice
// over the map while a tile is fetched, and the map-sheet package dialog.
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QTimer>

#include "app/EraPrefetch.h"
#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "net/OnlineMode.h"
#include "net/TileDownloads.h"
#include "net/frmGetTikeizu.h"
#include "platform/Prompts.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// Tiles that arrive draw the map again at most this often.
constexpr int kArrivalIntervalMs = 50;

}  // namespace

void frmSCR::setupOnlineMode() {
  if (tileDownloads_ != nullptr) return;
  tileDownloads_ = new TileDownloads(this);
  arrivalTimer_ = new QTimer(this);
  arrivalTimer_->setSingleShot(true);
  arrivalTimer_->setInterval(kArrivalIntervalMs);
  connect(arrivalTimer_, &QTimer::timeout, this, [this] { tilesArrived(); });
  // Tiles arriving one after the other draw the map again at most once per
  // interval, and never in the middle of something else. The last one is
  // drawn at once: nothing more is coming to gather it with.
  connect(tileDownloads_, &TileDownloads::tilesArrived, this, [this] {
    if (!tileDownloads_->busy()) {
      arrivalTimer_->stop();
      tilesArrived();
      return;
    }
    if (!arrivalTimer_->isActive()) arrivalTimer_->start();
  });
  connect(tileDownloads_, &TileDownloads::busyChanged, this, [this](bool busy) {
    showDownloadNotice(busy);
  });
  // What the idle prefetch fetched is decoded as it arrives.
  connect(tileDownloads_, &TileDownloads::fileFetched, this, [this](const QString& path, bool background) {
    if (background && eraPrefetch_) eraPrefetch_->fetched(path);
  });
  connect(tileDownloads_, &TileDownloads::fetchFailed, this, [this](const QString&, const QString&) {
    if (!state_.view.onlineMode) return;
    tileDownloads_->reset();
    OnlineView view;
    view.setIndicator = [this](bool online) { setOnlineLook(online); };
    TileFetchFailed(state_, prompts_, view);
  });
}

void frmSCR::tilesArrived() {
  if (!state_.view.loaded || phase_ != Phase::Ready) return;
  // A drag draws the strips it uncovers again; otherwise the whole view.
  if (draggingView() && !compareActive()) {
    refillDragStrips();
    return;
  }
  PrintGazo();
}

void frmSCR::setOnlineLook(bool online) {
  if (online) {
    lblOffLine->setText(tr("オンライン"));
    lblOffLine->setFrameStyle(QFrame::NoFrame);
    lblOffLine->setStyleSheet(QStringLiteral("color: rgb(0, 0, 0);"));
  } else {
    lblOffLine->setText(tr("オフライン"));
    lblOffLine->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblOffLine->setStyleSheet(QStringLiteral("color: rgb(0, 0, 255);"));
  }
}

void frmSCR::showDownloadNotice(bool shown) {
  if (shown) {
    lblDownload->adjustSize();
    const QRect inner = picPrint->contentsRect();
    lblDownload->move(inner.width() / 2 - lblDownload->width() / 2, inner.height() / 2 - lblDownload->height());
    lblDownload->raise();
    lblDownload->show();
  } else {
    lblDownload->hide();
  }
  lblDownload->update();
}

void frmSCR::lblOffLine_Click() {
  OnlineView view;
  view.setIndicator = [this](bool online) { setOnlineLook(online); };
  // The server check goes out with the view's first tiles, on the same
  // connections, so that going online costs no round trip of its own. What
  // the tiles bring is kept aside until the check answers and dropped when
  // it fails (the tiles still under way then end by themselves).
  auto checkWithTiles = [this](const QString& url) {
    tileDownloads_->startServerCheck(url);
    ViewRequest first = viewRequest(RenderPass::Screen);
    first.tiles = TilePolicy::DiskAndNetwork;
    askForTiles(state_, first, *tileDownloads_);
    bool answered = false;
    QEventLoop wait;
    connect(tileDownloads_, &TileDownloads::serverChecked, &wait, [&](bool ok) {
      answered = ok;
      wait.quit();
    });
    // The window repaints meanwhile (the tiles that come are drawn); its
    // input waits for the answer, as for any check.
    prompts_.setWaitCursor(true);
    if (tileDownloads_->checking()) wait.exec(QEventLoop::ExcludeUserInputEvents);
    prompts_.setWaitCursor(false);
    return answered;
  };
  if (!SwitchOnline(state_, prompts_, view, checkWithTiles)) return;
  PrintGazo();
}

void frmSCR::cmdGetTikeizu_Click() {
  if (!state_.view.loaded) return;
  frmGetTikeizu form(state_, prompts_, downloadServers_, this);
  if (onlineFormRunner)
    onlineFormRunner(form);
  else
    form.exec();
  // The new images are found by the tile loading the next time they are
  // drawn; the map on screen is drawn again now so that they show at once.
  if (form.outcome().result == PackageRunResult::Finished) {
    PrintGazo();
  }
}

}  // namespace kavalo
