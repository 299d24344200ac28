// The georeferencer as the manual shows it: a "scan" made from the region's
// oldest era (turned a little on a sheet of paper with a title, as a scanned
// sheet is), eight control points of which one is a little off, the frame
// drawn round the map, and the overlay half see-through.
#include <QComboBox>
#include <QPainter>
#include <QSlider>
#include <QTransform>
#include <cmath>

#include "app/frmGeoref.h"
#include "app/frmGeorefMapView.h"
#include "model/ProgramState.h"
#include "render/ViewComposer.h"

namespace kavalo {

frmGeoref* openGeorefSnapshot(const ProgramState& state, Prompts& prompts, QWidget* parent) {
  if (!state.view.loaded || state.eras.empty()) return nullptr;
  auto* w = new frmGeoref(state, prompts, parent);
  w->setModal(false);
  w->setScanYear(1);  // the oldest era
  ViewRequest r = currentViewRequest(state, RenderPass::Export);
  r.eraIndex = w->cboEra->currentIndex();
  r.viewSize = QSize(900, 660);
  r.devicePixelRatio = 1.0;
  r.layers.scale = false;
  r.layers.marks = false;
  r.layers.overlays = false;
  QImage map;
  if (!renderView(state, r, map)) {
    delete w;
    return nullptr;
  }
  // The sheet: the map turned by a few degrees on paper, a title above it.
  const QSize sheet(1100, 900);
  QTransform toSheet;
  toSheet.translate(sheet.width() / 2.0, sheet.height() / 2.0 + 30);
  toSheet.rotate(-4);
  toSheet.translate(-map.width() / 2.0, -map.height() / 2.0);
  QImage scan(sheet, QImage::Format_RGB32);
  scan.fill(QColor(232, 222, 196));
  {
    QPainter p(&scan);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setFont(QFont(p.font().family(), 28));
    p.setPen(QColor(60, 50, 40));
    p.drawText(QRect(0, 10, sheet.width(), 60), Qt::AlignCenter, state.mapInfo.title);
    p.setTransform(toSheet);
    p.drawImage(0, 0, map);
    p.setPen(QPen(QColor(40, 30, 20), 3));
    p.drawRect(QRectF(0, 0, map.width(), map.height()));
  }
  GeorefSession& s = w->session();
  s.setScan(QStringLiteral("scan-sheet.png"), scan.width(), scan.height(), scan);
  const Viewport vp = r.viewport(state.mapInfo);
  const QPointF places[] = {{80, 70},   {820, 90},  {450, 330}, {120, 600},
                            {800, 590}, {300, 180}, {640, 460}, {470, 620}};
  int n = 0;
  for (const QPointF& at : places) {
    const ImagePoint ip = vp.ScreenToImage(at.x(), at.y());
    const LatLon ll = ImageToLatLon(state.mapInfo, ip.x, ip.y, 1);
    const QPointF onScan = toSheet.map(at);
    // The seventh point is clicked a little off, as happens.
    const double off = ++n == 7 ? 0.0015 : 0.0;
    s.addPoint(onScan.x(), onScan.y(), ll.lon + off, ll.lat);
  }
  std::vector<QPointF> frame;
  for (const QPointF c :
       {QPointF(0, 0), QPointF(map.width(), 0), QPointF(map.width(), map.height()), QPointF(0, map.height())})
    frame.push_back(toSheet.map(c));
  s.setMask(frame);
  w->showScan();
  const ImagePoint centre = vp.ScreenToImage(map.width() / 2.0, map.height() / 2.0);
  const LatLon c = ImageToLatLon(state.mapInfo, centre.x, centre.y, 1);
  w->picMap->centerOn(c.lon, c.lat);
  // The map at a later era than the scan, so that the overlay is told apart.
  if (w->cboEra->count() > 1) w->cboEra->setCurrentIndex(w->cboEra->count() - 1);
  w->sldOpacity->setValue(50);
  return w;
}

}  // namespace kavalo
