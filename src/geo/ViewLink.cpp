// SPDX-License-Identifier: MIT
#include "geo/ViewLink.h"

#include <QCoreApplication>
#include <QUrl>
#include <QUrlQuery>
#include <cmath>

#include "model/ProgramState.h"
#include "model/ViewState.h"

namespace kavalo {

namespace {
const QString kScheme = QStringLiteral("kavalo");
const QString kHost = QStringLiteral("view");

bool fail(QString* error, const QString& why) {
  if (error) *error = why;
  return false;
}
}  // namespace

QString buildViewLink(const ViewLink& link) {
  QUrlQuery query;
  // Names are written percent-encoded in UTF-8, whatever they hold.
  auto add = [&query](const QString& key, const QString& value) {
    query.addQueryItem(key, QString::fromLatin1(QUrl::toPercentEncoding(value)));
  };
  if (!link.dataset.isEmpty()) add(QStringLiteral("dataset"), link.dataset);
  if (!link.era.isEmpty()) add(QStringLiteral("era"), link.era);
  add(QStringLiteral("lat"), QString::number(link.lat, 'f', 7));
  add(QStringLiteral("lon"), QString::number(link.lon, 'f', 7));
  if (link.zoom > 0) add(QStringLiteral("zoom"), QString::number(link.zoom));
  return kScheme + QStringLiteral("://") + kHost + u'?' + query.query(QUrl::FullyEncoded);
}

std::optional<ViewLink> parseViewLink(const QString& text, QString* error) {
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  if (!url.isValid() || url.scheme().compare(kScheme, Qt::CaseInsensitive) != 0 ||
      url.host().compare(kHost, Qt::CaseInsensitive) != 0) {
    fail(error, QCoreApplication::translate("kavalo::ViewLink", "kavalo://view?… の形のリンクではありません。"));
    return std::nullopt;
  }
  const QUrlQuery query(url);
  auto value = [&query](const QString& key) { return query.queryItemValue(key, QUrl::FullyDecoded); };
  ViewLink link;
  link.dataset = value(QStringLiteral("dataset"));
  link.era = value(QStringLiteral("era"));
  bool okLat = false, okLon = false;
  link.lat = value(QStringLiteral("lat")).toDouble(&okLat);
  link.lon = value(QStringLiteral("lon")).toDouble(&okLon);
  if (!okLat || !okLon || !std::isfinite(link.lat) || !std::isfinite(link.lon) || std::abs(link.lat) > 90.0 ||
      std::abs(link.lon) > 180.0) {
    fail(error, QCoreApplication::translate("kavalo::ViewLink", "リンクの緯度・経度が正しくありません。"));
    return std::nullopt;
  }
  const QString zoom = value(QStringLiteral("zoom"));
  if (!zoom.isEmpty()) {
    bool ok = false;
    link.zoom = zoom.toInt(&ok);
    if (!ok || link.zoom < kMinZoom || link.zoom > kMaxZoom) {
      fail(error, QCoreApplication::translate("kavalo::ViewLink", "リンクのズームは%1～%2%で指定してください。")
                      .arg(kMinZoom)
                      .arg(kMaxZoom));
      return std::nullopt;
    }
  }
  return link;
}

ViewLink currentViewLink(const ProgramState& state) {
  ViewLink link;
  const auto index = static_cast<size_t>(state.dataFolderIndex);
  if (index < state.dataFolders.size()) link.dataset = state.dataFolders[index].folder;
  if (state.hasEra()) link.era = state.currentEra().name;
  const LatLon ll = ImageToLatLon(state.mapInfo, state.view.centerX, state.view.centerY, 1);
  link.lat = ll.lat;
  link.lon = ll.lon;
  link.zoom = state.view.zoomPercent;
  return link;
}

int eraIndexByFolder(const std::vector<Era>& eras, const QString& folder) {
  for (size_t i = 0; i < eras.size(); ++i)
    if (eras[i].name.compare(folder, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
  return -1;
}

ImagePoint viewLinkCentre(const MapInfo& info, const ViewLink& link) {
  return LatLonToImage(info, static_cast<float>(link.lat), static_cast<float>(link.lon), 1);
}

}  // namespace kavalo
