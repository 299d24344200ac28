// SPDX-License-Identifier: MIT
#pragma once
// Four eras over the 300 x 200 view of the render fixture: three of solid
// colours of their own, the fourth with no tile at all. The pictures a film
// must show are composed here the way the film composes them, label and all.
#include <QDir>
#include <QTemporaryDir>

#include "model/EraLabels.h"
#include "output/Timelapse.h"
#include "output/TimelapseEras.h"
#include "output/TimelapseFrames.h"
#include "render/RenderFixture.h"

namespace kavalo::test {

struct FilmFixture : RenderFixture {
  QTemporaryDir out;
  static QRgb eraColour(int era) { return qRgb(60 * era + 30, 200 - 50 * era, 90 + 40 * era); }

  FilmFixture() {
    data.tikeizuLines << QStringLiteral("E1970,0,1970,1971,0,3,2,png") << QStringLiteral("E2000,0,2000,2001,0,4,3,png");
    data.write();
    const QString names[3] = {QStringLiteral("E1900"), QStringLiteral("E1930"), QStringLiteral("E1970")};
    for (int e = 0; e < 3; ++e) solidTiles(names[e], [e](int, int) { return eraColour(e); });
    EXPECT_TRUE(load());
  }
  QString file(const QString& name) const { return out.path() + u'/' + name; }
  QString label(int era) const {
    return Get_cboAge_Text(state.eras[static_cast<size_t>(era)], state.view.eraLabelStyle);
  }
  ViewRequest view() const { return request(RenderPass::Export); }
  std::vector<FilmEra> filmEras(const std::vector<int>& chosen, QStringList* leftOut = nullptr) const {
    return kavalo::filmEras(state, view(), chosen, leftOut);
  }
  // What the film shows of an era alone.
  QImage eraFrame(int era, LabelCorner corner = LabelCorner::TopLeft, QSize size = QSize()) const {
    ViewRequest r = view();
    r.eraIndex = era;
    if (size.isValid()) r.viewSize = size;
    QImage picture;
    renderView(state, r, picture);
    drawFilmLabel(picture, label(era), corner);
    return picture;
  }
  TimelapseOptions film(FilmFormat format, const QString& name, std::vector<int> eras) const {
    TimelapseOptions o;
    o.format = format;
    o.path = file(name);
    o.eras = std::move(eras);
    o.seconds = 1.0;
    o.fps = 10;
    return o;
  }
  TimelapseResult make(const TimelapseOptions& o, const TimelapseProgress& progress = TimelapseProgress()) {
    return makeTimelapse(state, view(), o, progress);
  }
  // Every file in the output folder, hidden ones included.
  QStringList leftFiles() const {
    return QDir(out.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  }
};

}  // namespace kavalo::test
