// SPDX-License-Identifier: MIT
#pragma once
// What one composition of the map reads, as one value: the session's data,
// the request, the view (centre, zoom, size in view pixels), the shown era,
// and the mapping of view pixels onto the target (k x + ox, k y + oy: the
// identity on a screen of ratio 1, the device pixel ratio on a finer screen,
// the print scale and the map's place on the page). Every overlay has the
// same signature and draws on the screen, into exported images and on the
// page alike:
//
//   void Overlay(QPainter& painter, const ComposeContext& context);
//
// Text is drawn in the map font at point sizes; the target image's dots per
// inch make a point size the right number of pixels (the screen's dpi times
// k), so an overlay never scales fonts itself.
#include <QFont>
#include <QString>

#include "model/Coordinates.h"
#include "model/ProgramState.h"
#include "render/ViewRequest.h"

class QImage;

namespace kavalo {

// The family of all text drawn on the map (installed with the program).
inline constexpr const char* kMapFontFamily = "IPAGothic";

// Target pixels per view pixel and the target position of the view's top-left.
struct TargetMapping {
  double k = 1.0;
  double ox = 0.0;
  double oy = 0.0;
};

struct ComposeContext {
  const ProgramState* state = nullptr;
  Viewport view;  // W x H are the view's size in view pixels, on every target
  int eraIndex = 0;
  MapLayers layers;
  bool printMode = false;  // on paper: text colours swap, the credits stand higher
  TargetMapping print;     // k, ox, oy

  const ProgramState& st() const { return *state; }
  const Era& era() const { return state->eras[static_cast<size_t>(eraIndex)]; }
  const MapInfo& info() const { return state->mapInfo; }

  // A view position on the target: round(k x + ox), round(k y + oy) (the
  // position itself on a screen of ratio 1).
  int targetX(double x) const;
  int targetY(double y) const;
  // A view length on the target: round(k s).
  int targetSize(double s) const;
  // The scale of the target: k.
  double scale() const { return print.k; }

  // The map font at a point size (as the view's font size is set).
  static QFont mapFont(double pointSize, bool bold = false);
};

// The context of a request over the session.
ComposeContext makeComposeContext(const ProgramState& session, const ViewRequest& request);

// Gives an image the dots per inch of the screen times k so that point sizes
// of the map font turn into the same view pixels on every target.
void setTargetResolution(QImage& image, const ProgramState& session, double k);

}  // namespace kavalo
