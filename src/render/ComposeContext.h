#pragma once
// What one composition of the map view reads, as one value: the program
// state, the view (centre, zoom, size in view pixels), the shown era, and in
// the print pass the scale and offset onto the page image. Every overlay has
// the same signature and draws on the screen and in the print pass alike:
//
//   void Overlay(QPainter& painter, const ComposeContext& context);
//
// Text is drawn in the map font at point sizes; the target image's dots per
// inch make a point size the right number of pixels (the screen's dpi on the
// view, the screen's dpi times k on the page), so an overlay never scales
// fonts itself.
#include <QFont>
#include <QString>

#include "model/Coordinates.h"
#include "model/ProgramState.h"

class QImage;

namespace kavalo {

// The family of all text drawn on the map (installed with the program).
inline constexpr const char* kMapFontFamily = "IPAGothic";

struct ComposeContext {
  const ProgramState* state = nullptr;
  Viewport view;  // W x H are the view's size in view pixels, also in print
  int eraIndex = 0;
  bool printMode = false;
  PrintPass print;  // k, ox, oy: page pixels per view pixel and page offset

  const ProgramState& st() const { return *state; }
  const Era& era() const { return state->eras[static_cast<size_t>(eraIndex)]; }
  const MapInfo& info() const { return state->mapInfo; }

  // A view position on the target: itself on the screen; round(k x + ox) and
  // round(k y + oy) on the page.
  int targetX(double x) const;
  int targetY(double y) const;
  // A view length on the target: itself, or round(k s) on the page.
  int targetSize(double s) const;
  // The scale of the target: 1 on the screen, k on the page.
  double scale() const { return printMode ? print.k : 1.0; }

  // The map font at a point size (as the view's font size is set).
  static QFont mapFont(double pointSize, bool bold = false);
};

// The context of the current state: its view, era, print mode and print pass.
ComposeContext makeComposeContext(const ProgramState& state);

// Gives an image the dots per inch of the screen (times k for a page) so that
// point sizes of the map font turn into the same pixels as on the view.
void setTargetResolution(QImage& image, const ProgramState& state, double k);

}  // namespace kavalo
