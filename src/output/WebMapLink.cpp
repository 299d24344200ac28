// SPDX-License-Identifier: MIT
#include "output/WebMapLink.h"

#include <QFile>
#include <QUrl>
#include <QUrlQuery>

#include <cmath>

#include "model/ProgramState.h"
#include "output/WebTileGrid.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace kavalo {

namespace {

bool httpAddress(const QString& text) {
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

double zoom100Of(const ProgramState& state) { return webZoomAt100(state.mapInfo, kDefaultMmPerScreenPx); }

}  // namespace

QString readWebMapAddress(const QString& datasetFolder) {
  QFile file(joinPath(datasetFolder, kWebMapAddressFile));
  if (!file.open(QIODevice::ReadOnly)) return QString();
  // One line; only so much is ever read of a file the user may have edited.
  const QString address = QString::fromUtf8(file.read(4096)).section(u'\n', 0, 0).trimmed();
  if (!httpAddress(address)) return QString();
  return address.endsWith(u'/') ? address : address + u'/';
}

bool writeWebMapAddress(const QString& datasetFolder, const QString& address, QString* error) {
  const QString path = joinPath(datasetFolder, kWebMapAddressFile);
  QFile old(path);
  if (old.open(QIODevice::ReadOnly) && QString::fromUtf8(old.readAll()).trimmed() == address) return true;
  return writeFileAtomically(path, address.toUtf8() + "\r\n", error);
}

QString webViewFragment(const WebViewLink& link) {
  QUrlQuery query;
  auto add = [&query](const QString& key, const QString& value) {
    query.addQueryItem(key, QString::fromLatin1(QUrl::toPercentEncoding(value)));
  };
  if (!link.era.isEmpty()) add(QStringLiteral("era"), link.era);
  add(QStringLiteral("lat"), QString::number(link.lat, 'f', 7));
  add(QStringLiteral("lon"), QString::number(link.lon, 'f', 7));
  add(QStringLiteral("zoom"), QString::number(std::round(link.zoom * 100.0) / 100.0, 'f', 2));
  if (!link.compare.isEmpty()) {
    add(QStringLiteral("compare"), link.compare);
    add(QStringLiteral("mode"), link.mode.isEmpty() ? QStringLiteral("side") : link.mode);
    if (link.mode == u"swipe") add(QStringLiteral("split"), QString::number(link.split, 'f', 3));
  }
  return query.query(QUrl::FullyEncoded);
}

QString buildWebMapLink(const QString& address, const WebViewLink& link) {
  return address + u'#' + webViewFragment(link);
}

std::optional<WebViewLink> parseWebMapLink(const QString& text) {
  const QString trimmed = text.trimmed();
  const qsizetype hash = trimmed.indexOf(u'#');
  const QUrlQuery query(hash >= 0 ? trimmed.mid(hash + 1) : trimmed);
  auto value = [&query](const QString& key) { return query.queryItemValue(key, QUrl::FullyDecoded); };
  WebViewLink link;
  bool okLat = false, okLon = false, okZoom = false;
  link.lat = value(QStringLiteral("lat")).toDouble(&okLat);
  link.lon = value(QStringLiteral("lon")).toDouble(&okLon);
  link.zoom = value(QStringLiteral("zoom")).toDouble(&okZoom);
  if (!okLat || !okLon || !okZoom || !std::isfinite(link.lat) || !std::isfinite(link.lon) ||
      !std::isfinite(link.zoom) || std::abs(link.lat) > 90.0 || std::abs(link.lon) > 180.0 || link.zoom < 0.0 ||
      link.zoom > kWebMaxZoom)
    return std::nullopt;
  link.era = value(QStringLiteral("era"));
  link.compare = value(QStringLiteral("compare"));
  link.mode = value(QStringLiteral("mode"));
  bool okSplit = false;
  const double split = value(QStringLiteral("split")).toDouble(&okSplit);
  if (okSplit && split >= 0.0 && split <= 1.0) link.split = split;
  return link;
}

WebViewLink webLinkFromViewLink(const ProgramState& state, const ViewLink& link) {
  WebViewLink web;
  web.era = link.era;
  web.lat = link.lat;
  web.lon = link.lon;
  web.zoom = webZoomForPercent(link.zoom > 0 ? link.zoom : state.view.zoomPercent, zoom100Of(state));
  return web;
}

ViewLink viewLinkFromWebLink(const ProgramState& state, const WebViewLink& link) {
  ViewLink view;
  const auto d = static_cast<size_t>(state.dataFolderIndex);
  if (d < state.dataFolders.size()) view.dataset = state.dataFolders[d].folder;
  view.era = link.era;
  view.lat = link.lat;
  view.lon = link.lon;
  view.zoom = percentForWebZoom(link.zoom, zoom100Of(state));
  return view;
}

QString currentWebMapLink(const ProgramState& state) {
  if (state.datasetFolder.isEmpty()) return QString();
  const QString address = readWebMapAddress(state.datasetFolder);
  if (address.isEmpty()) return QString();
  return buildWebMapLink(address, webLinkFromViewLink(state, currentViewLink(state)));
}

}  // namespace kavalo
