// The main window's online mode: the indicator that switches it on, the notice
// over the map while a tile is fetched, and the map-sheet package dialog.
#include <QFrame>
#include <QLabel>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "net/OnlineMode.h"
#include "net/frmGetTikeizu.h"
#include "platform/Prompts.h"

namespace kavalo {

void frmSCR::setupOnlineMode() {
  OnlineView view;
  view.setIndicator = [this](bool online) { setOnlineLook(online); };
  view.showDownloadNotice = [this](bool shown) { showDownloadNotice(shown); };
  InstallOnlineFetcher(state_, prompts_, view);
  // A fetch runs in the middle of a drawing and lets the window repaint
  // meanwhile: a resize then must not start a second drawing inside the
  // first, so the window counts as loading while the tile comes.
  auto fetch = state_.fetchTileOnline;
  state_.fetchTileOnline = [this, fetch](ProgramState& state, int datasetIndex, int eraIndex, const QString& file) {
    const QString tag = tag_;
    tag_ = QStringLiteral("PRINTOFF");
    const bool ok = fetch(state, datasetIndex, eraIndex, file);
    tag_ = tag;
    return ok;
  };
}

void frmSCR::setOnlineLook(bool online) {
  if (online) {
    lblOffLine->setText(QStringLiteral("オンライン"));
    lblOffLine->setFrameStyle(QFrame::NoFrame);
    lblOffLine->setStyleSheet(QStringLiteral("color: rgb(0, 0, 0);"));
  } else {
    lblOffLine->setText(QStringLiteral("オフライン"));
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
  lblDownload->repaint();
}

void frmSCR::lblOffLine_Click() {
  OnlineView view;
  view.setIndicator = [this](bool online) { setOnlineLook(online); };
  if (!SwitchOnline(state_, prompts_, view)) return;
  state_.view.fullRedraw = true;
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
    state_.view.fullRedraw = true;
    PrintGazo();
  }
}

}  // namespace kavalo
