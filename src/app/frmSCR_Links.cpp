// SPDX-License-Identifier: MIT
// Positions and links: the map's pop-up menu copies the place under the
// pointer (both datums, decimal and degrees-minutes-seconds, a geo: URI) and
// a kavalo://view link to the view; a link given to the program opens the
// view it names. And the overview in the map's corner, which moves the view.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QListWidget>
#include <QSlider>

#include <algorithm>

#include "app/UiMapView.h"
#include "app/UiOverview.h"
#include "app/frmSCR.h"
#include "geo/PositionText.h"
#include "geo/ViewLink.h"
#include "output/WebMapLink.h"
#include "platform/Prompts.h"

namespace kavalo {

QPointF frmSCR::viewPositionAt(double x, double y) const {
  QPointF at(x, y);
  int era = state_.view.eraIndex;
  // Side by side, each pane is a view of its own.
  if (compareActive()) compareEraAt(QPointF(x, y), &era, &at);
  return at;
}

ImagePoint frmSCR::imagePointAt(double x, double y) const {
  const QPointF at = viewPositionAt(x, y);
  return state_.viewport().ScreenToImage(at.x(), at.y());
}

void frmSCR::mnuCopyPosition_Click() {
  if (!state_.view.loaded) return;
  const QPointF press = pressPosition();
  QApplication::clipboard()->setText(positionTexts(state_.mapInfo, imagePointAt(press.x(), press.y())).all());
}

void frmSCR::mnuCopyGeoUri_Click() {
  if (!state_.view.loaded) return;
  const QPointF press = pressPosition();
  QApplication::clipboard()->setText(positionTexts(state_.mapInfo, imagePointAt(press.x(), press.y())).uri);
}

void frmSCR::mnuCopyLink_Click() {
  if (!state_.view.loaded) return;
  QApplication::clipboard()->setText(buildViewLink(currentViewLink(state_)));
}

// The same view in the data folder's published web map, its zoom the web
// map's level for the window's percentage.
void frmSCR::mnuCopyWebLink_Click() {
  if (!state_.view.loaded) return;
  const QString link = currentWebMapLink(state_);
  if (!link.isEmpty()) QApplication::clipboard()->setText(link);
}

bool frmSCR::openViewLink(const QString& text) {
  QString why;
  const std::optional<ViewLink> link = parseViewLink(text, &why);
  if (!link) {
    prompts_.message(tr("リンクを開けません：%1").arg(why), MessageIcon::Exclamation);
    return false;
  }
  if (!link->dataset.isEmpty()) {
    int row = -1;
    for (size_t i = 0; i < state_.dataFolders.size(); ++i)
      if (state_.dataFolders[i].folder.compare(link->dataset, Qt::CaseInsensitive) == 0) row = static_cast<int>(i);
    if (row < 0) {
      prompts_.message(tr("リンクのデータセット「%1」がありません。").arg(link->dataset), MessageIcon::Exclamation);
      return false;
    }
    if (row != state_.dataFolderIndex || !state_.view.loaded) {
      lstDataFolder->setCurrentRow(row);
      if (lstDataFolder->currentRow() != row || state_.dataFolderIndex != row) lstDataFolder_Click();
    }
  }
  if (!state_.view.loaded) return false;
  if (!link->era.isEmpty()) {
    const int era = eraIndexByFolder(state_.eras, link->era);
    if (era < 0) {
      prompts_.message(tr("リンクの時期「%1」がこのデータセットにありません。").arg(link->era),
                       MessageIcon::Exclamation);
    } else if (era != state_.view.eraIndex) {
      state_.view.eraIndex = era;
      // The era list and its slider follow without drawing; the view is
      // drawn once below.
      const auto& map = state_.eraListMap;
      const auto listed = std::find(map.begin(), map.end(), era);
      if (listed != map.end()) {
        const Phase previous = phase_;
        setPhase(Phase::Loading);
        cboAge->setCurrentIndex(static_cast<int>(listed - map.begin()));
        setPhase(previous);
      }
    }
  }
  const ImagePoint centre = viewLinkCentre(state_.mapInfo, *link);
  state_.view.centerX = centre.x;
  state_.view.centerY = centre.y;
  if (link->zoom > 0) setZoom(std::clamp(link->zoom, kMinZoom, kMaxZoom));
  PrintGazo();
  Show_PointInfoAtCursor();
  return true;
}

void frmSCR::chkOverview_Click() {
  placeOverview();
  picPrint->setFocus();
}

void frmSCR::placeOverview() {
  if (picOverview == nullptr) return;
  if (!chkOverview->isChecked() || !state_.view.loaded) {
    picOverview->hide();
    return;
  }
  picOverview->refresh();
  // The map's top right corner: the credits and the scale bar keep the
  // bottom, the comparison's labels the top left of each half.
  // While comparing, below the eras' labels (a narrow pane's label reaches
  // the corner) and the blend's opacity slider, which keep the same corner.
  const int margin = 6;
  int top = margin;
  if (!SliderOpacity->isHidden() && SliderOpacity->parentWidget() == picPrint)
    top = SliderOpacity->geometry().bottom() + margin;
  // Blended, the two labels stand one under the other.
  if (compareActive()) top += (compare_.mode == CompareMode::Blend ? 4 : 2) * QFontMetrics(font()).height();
  picOverview->move(std::max(0, picPrint->width() - picOverview->width() - margin), top);
  picOverview->show();
  picOverview->raise();
}

}  // namespace kavalo
