// SPDX-License-Identifier: MIT
#pragma once
// A link to a view: kavalo://view?dataset=…&era=…&lat=…&lon=…&zoom=…
// The data folder and the era are named by their folder names: an index
// changes whenever an era is added or the list is sorted again, a folder name
// does not. The centre is in the world datum with seven decimals (about a
// centimetre); the zoom is the view's percentage.
#include <QString>
#include <optional>
#include <vector>

#include "model/Coordinates.h"
#include "model/Era.h"

namespace kavalo {

struct ProgramState;

struct ViewLink {
  QString dataset;  // folder of the data folder; empty: the one shown
  QString era;      // folder of the era; empty: the one shown
  double lat = 0.0;
  double lon = 0.0;
  int zoom = 0;  // 0: the zoom shown
};

QString buildViewLink(const ViewLink& link);

// Reads a link; nothing, with the reason in *error, when it is not a view
// link or its position or zoom is out of range.
std::optional<ViewLink> parseViewLink(const QString& text, QString* error = nullptr);

// The link of the state's current view.
ViewLink currentViewLink(const ProgramState& state);

// The era of the list with that folder name (letter case ignored, as the
// file systems the data folders come from ignore it); -1 when none.
int eraIndexByFolder(const std::vector<Era>& eras, const QString& folder);

// The image position of the link's centre.
ImagePoint viewLinkCentre(const MapInfo& info, const ViewLink& link);

}  // namespace kavalo
