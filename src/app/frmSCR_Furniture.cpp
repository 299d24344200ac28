// SPDX-License-Identifier: MIT
// Map furniture handlers of the main window: scale bar, era label, sheet
// lines, legend, map switch, comment.
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include <algorithm>

#include "app/UiMapView.h"
#include "app/frmSCR.h"
#include "elevation/Legend.h"
#include "elevation/SheetLines.h"
#include "elevation/frmLegend.h"
#include "model/EraLabels.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"
#include "platform/ShellOpen.h"
#include "render/ComposeContext.h"
#include "render/SheetLineDrawing.h"

namespace kavalo {

namespace {

// The legend window stands this far below the main window's top edge.
constexpr double kLegendTopTwips = 100.0;

}  // namespace

void frmSCR::chkScale_Click() {
  PrintGazo();
  if (picPrint->isVisible()) picPrint->setFocus();
}

void frmSCR::chkTikeizu_Click() {
  PrintGazo();
  if (picPrint->isVisible()) picPrint->setFocus();
}

void frmSCR::chkZukakusen_Click() {
  if (chkZukakusen->isChecked() && !(state_.hasEra() && state_.currentEra().hasSheetLines)) {
    chkZukakusen->setChecked(false);
    return;
  }
  if (chkZukakusen->isChecked()) {
    // Ticking adds the lines to the picture as it stands; only unticking
    // needs the map drawn again without them.
    if (state_.view.loaded && !viewPicture_.isNull()) {
      const ComposeContext context = makeComposeContext(state_, viewRequest(RenderPass::Screen));
      QPainter painter(&viewPicture_);
      DrawSheetLines(painter, context);
      painter.end();
      picPrint->update();
    }
  } else {
    PrintGazo();
  }
  if (picPrint->isVisible()) picPrint->setFocus();
}

frmLegend* frmSCR::ensureLegendWindow() {
  if (legendWindow_ != nullptr) return legendWindow_;
  legendWindow_ = new frmLegend(this);
  // Closing the window unticks the switch; unticking the switch, by a click
  // or by an era without a legend, hides the window. Hiding does not touch
  // the switch, so the two never call each other back.
  legendWindow_->onClosed = [this] { chkLegend->setChecked(false); };
  connect(chkLegend, &QCheckBox::toggled, this, [this](bool on) {
    if (!on && legendWindow_ != nullptr) legendWindow_->hide();
  });
  return legendWindow_;
}

void frmSCR::placeLegendWindow() {
  const QRect frame = frameGeometry();
  legendWindow_->move(frame.x() + picBox->width(), frame.y() + roundToInt(kLegendTopTwips / state_.twipsPerPixelY));
}

void frmSCR::fitLegendWindowHeight() {
  // The legend window's outer height is the main window's.
  const int legendFrame = legendWindow_->frameGeometry().height() - legendWindow_->height();
  legendWindow_->resize(legendWindow_->width(), std::max(kLegendButtonBand, frameGeometry().height() - legendFrame));
}

void frmSCR::chkLegend_Click() {
  if (chkLegend->isChecked() && !(state_.hasEra() && state_.currentEra().hasLegend)) {
    chkLegend->setChecked(false);
    return;
  }
  if (chkLegend->isChecked()) {
    ensureLegendWindow();
    placeLegendWindow();
    legendWindow_->show();
    legendWindow_->raise();
    fitLegendWindowHeight();
    LoadLegend();
  } else if (legendWindow_ != nullptr) {
    legendWindow_->hide();
  }
  if (picPrint->isVisible()) picPrint->setFocus();
}

void frmSCR::LoadLegend() {
  if (!state_.hasEra()) return;
  const Era& era = state_.currentEra();
  // Eras without a legend, and legends missing from the data folder, leave
  // the window with what it showed.
  if (!era.hasLegend) return;
  const QString name = legendFileName(era);
  if (name.isEmpty() || state_.datasetFolder.isEmpty()) return;
  const QString path = joinPath(state_.datasetFolder, name);
  if (!FileExists(path)) return;
  const QImage picture = loadLegendPicture(path);
  if (picture.isNull()) return;
  ensureLegendWindow()->setLegendPicture(picture);
}

void frmSCR::showLegendForComposition() {
  if (!state_.view.showLegend) return;
  ensureLegendWindow();
  // Hidden while a folder without a map was shown (or never shown yet): the
  // ticked switch brings it back beside the panel.
  if (!legendWindow_->isVisible() && isVisible()) {
    placeLegendWindow();
    legendWindow_->show();
  }
  fitLegendWindowHeight();
  LoadLegend();
}

void frmSCR::cmdMapComment_Click() {
  if (state_.datasetFolder.isEmpty()) return;
  ShellOpen(joinPath(state_.datasetFolder, QStringLiteral("\\comment.txt")), prompts_);
}

void frmSCR::Time_Print() {
  Timer1->stop();
  if (!state_.hasEra()) return;
  // Comparing, the name shows over the part of the map the shown era has.
  showEraLabel(state_.currentEra(), compareActive() ? compareArea(0) : picPrint->rect());
}

void frmSCR::showEraLabel(const Era& era, const QRect& area) {
  const QString text = Get_cboAge_Text(era, state_.view.eraLabelStyle);
  const QFont font = ComposeContext::mapFont(20, true);
  const QFontMetrics metrics(font, picTime);
  picTime->setFont(font);
  QPalette palette = picTime->palette();
  palette.setColor(QPalette::WindowText, Qt::black);
  picTime->setPalette(palette);
  // The text starts two pixels in; the label is two pixels wider on each
  // side and three taller than the text.
  picTime->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picTime->setContentsMargins(2, 0, 0, 0);
  picTime->setText(text);
  const int width = metrics.horizontalAdvance(text) + 4;
  const int height = metrics.height() + 3;
  picTime->resize(width, height);
  // Centred across the area, its middle at a fifth of the area's height,
  // and kept on the map.
  int x = roundToInt(area.x() + area.width() / 2.0 - width / 2.0);
  int y = roundToInt(area.y() + area.height() / 5.0 - height / 2.0);
  x = std::clamp(x, 0, std::max(0, picPrint->width() - width));
  y = std::clamp(y, 0, std::max(0, picPrint->height() - height));
  picTime->move(x, y);
  picTime->show();
  picTime->raise();
}

void frmSCR::Timer1_Timer() {
  picTime->hide();
  Timer1->stop();
}

}  // namespace kavalo
