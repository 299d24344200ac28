// SPDX-License-Identifier: MIT
#pragma once
// Links to a view of a region's web map: the map page's address followed by
// #era=<folder>&lat=…&lon=…&zoom=…[&compare=<folder>&mode=…&split=…], the
// fields of the program's own view links except the zoom, which here is the
// web map's zoom level (fractional allowed). The data folder keeps the
// address its map was published at in web_map.txt.
#include <QString>
#include <optional>

#include "geo/ViewLink.h"

namespace kavalo {

struct ProgramState;

// The file in the data folder naming where its web map is published.
inline const QString kWebMapAddressFile = QStringLiteral("\\web_map.txt");

// The address kept for the data folder; empty when it has none (or it is no
// http(s) address).
QString readWebMapAddress(const QString& datasetFolder);
bool writeWebMapAddress(const QString& datasetFolder, const QString& address, QString* error);

struct WebViewLink {
  QString era;  // folder of the era
  double lat = 0.0;
  double lon = 0.0;
  double zoom = 0.0;   // the web map's zoom level
  QString compare;     // folder of the compared era; empty: none
  QString mode;        // side, swipe, lens or blend
  double split = 0.5;  // the swipe's place across the map, 0 to 1
};

// The fragment "era=…&lat=…&lon=…&zoom=…" (without "#").
QString webViewFragment(const WebViewLink& link);
// The link: address (ending in "/") + "#" + fragment.
QString buildWebMapLink(const QString& address, const WebViewLink& link);
// Reads a web map link (or a fragment alone); nothing when it names no
// position.
std::optional<WebViewLink> parseWebMapLink(const QString& text);

// Between the two kinds of link for a data folder: the window's percentage
// and the web map's zoom level meet where both show the same longitude per
// pixel at the screen's default size.
WebViewLink webLinkFromViewLink(const ProgramState& state, const ViewLink& link);
ViewLink viewLinkFromWebLink(const ProgramState& state, const WebViewLink& link);

// The web link of the shown view; empty when the data folder knows no
// address of its web map.
QString currentWebMapLink(const ProgramState& state);

}  // namespace kavalo
