// SPDX-License-Identifier: MIT
#pragma once
// A picture of the map is asked for with a ViewRequest: a value that says
// everything the picture depends on besides the session's data (folders,
// dataset, eras, grid, colour sets, marks). The window, each pane of a
// comparison, the print pass, the export, kavalo-cli and the benchmarks all
// build one and hand it to the renderer; nothing is borrowed from the session
// and put back.
//
// Geometry is laid out in view pixels (what the mouse and the readout use).
// The picture itself is in target pixels: the view's size times the device
// pixel ratio on a screen, the map's rectangle on the page at the print scale.
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include "model/Coordinates.h"
#include "model/MapInfo.h"

namespace kavalo {

struct ViewState;
struct ProgramState;

// What a composition is for. Each pass keeps or leaves out what only it
// needs: the snapshot a drag moves, the stretched tiles a redraw reuses, the
// colours of text on paper.
enum class RenderPass {
  Screen,       // the window's view, a full redraw
  Drag,         // the window's view while dragged: only the strips uncovered
  Print,        // onto the page, at the print scale, in bands
  Export,       // an image written once (export, copy, kavalo-cli)
  ComparePane,  // one era of a comparison (a pane, or a whole picture before its overlays)
};

// Where missing tile files may come from.
enum class TilePolicy {
  DiskOnly,        // a file missing on disk is drawn as missing
  DiskAndNetwork,  // ... and asked for from the dataset's web folder
};

// The map's layers (the window's display switches).
struct MapLayers {
  bool tiles = true;        // chkTikeizu
  bool altitude = true;     // chkAltitude
  bool sheetLines = false;  // chkZukakusen
  bool scale = true;        // chkScale
  bool legend = false;      // chkLegend: a window of its own, never in the picture
  bool marks = true;        // chkMark
  bool overlays = true;     // the user's vector files (each file has its own switch too)
  bool operator==(const MapLayers&) const = default;
};

// The switches of the session's view as layers.
MapLayers layersOf(const ViewState& view);

struct ViewRequest {
  int eraIndex = 0;
  // The viewport: centre in image coordinates, zoom, millimetres per view pixel.
  float centerX = 0.0f;
  float centerY = 0.0f;
  int zoomPercent = 100;
  double mmPerPxX = kDefaultMmPerScreenPx;
  double mmPerPxY = kDefaultMmPerScreenPx;
  // The view in view pixels: the layout of the map and of its overlays.
  QSize viewSize;
  // Target pixels per view pixel: the screen's device pixel ratio (1 for an
  // exported image), or the print scale k on the page.
  double devicePixelRatio = 1.0;
  // The target position of the view's top-left corner: (0, 0) but in the
  // print pass, where it is the map's place on the page image (a band of the
  // page starts above the band).
  QPointF origin;
  MapLayers layers;
  RenderPass pass = RenderPass::Screen;
  TilePolicy tiles = TilePolicy::DiskOnly;
  // Drag: how far, in target pixels, the picture of the last full redraw has
  // moved; the strips it uncovers are what the drag composes.
  QPoint dragOffset;
  // Which view of the window asks (0 the view or a comparison's era A, 1 era
  // B): the tile source serves the newest request of each view first and
  // forgets what a view no longer shows.
  int viewId = 0;
  // The view moves at every composition (a comparison being dragged): what
  // only the same place again could reuse is not kept.
  bool moving = false;

  bool paper() const { return pass == RenderPass::Print; }
  // The print pass and a screen whose pixels are finer than view pixels lay
  // the view out in view pixels and map every position onto the target.
  bool scaled() const { return pass == RenderPass::Print; }
  // The picture's size in target pixels (the view at its ratio; on the page
  // the map's rectangle, ceil(k W) x ceil(k H)).
  QSize targetSize() const;
  // The view's viewport in view pixels (overlays, readout, hit tests).
  Viewport viewport(const MapInfo& info) const;
  // The viewport the map itself is composed in: in target pixels on a
  // screen (the view's size times the ratio, the millimetres per pixel
  // divided by it, so that zoom 100 % shows one tile pixel per view pixel
  // and the tiles are drawn at the screen's own resolution); in view pixels
  // on the page.
  Viewport mapViewport(const MapInfo& info) const;
};

// The request of the session's current view (era, centre, zoom, switches,
// the screen's millimetres per pixel, the view's size) for a pass, at a
// device pixel ratio; online the tiles may come from the network.
ViewRequest currentViewRequest(const ProgramState& session, RenderPass pass, double devicePixelRatio = 1.0);

}  // namespace kavalo
