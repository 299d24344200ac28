// SPDX-License-Identifier: MIT
#include "app/EraPrefetch.h"

#include <QFileInfo>

#include "model/ProgramState.h"
#include "net/TileDownloads.h"
#include "platform/Paths.h"
#include "render/TileCache.h"
#include "render/TilePrefetcher.h"
#include "render/TileSource.h"
#include "render/Tiles.h"
#include "render/ViewComposer.h"

namespace kavalo {

namespace {

// Takes what a composition of the era would ask for: files on disk go to the
// decoder, missing ones (online) to the downloads at the lowest priority.
class PrefetchSource : public TileSource {
 public:
  PrefetchSource(TileDownloads* downloads, std::vector<std::pair<QString, QString>>& decode, int& fetch)
      : downloads_(downloads), decode_(decode), fetch_(fetch) {}

  bool ensure(const ProgramState& session, int eraIndex, const QString& fileName, TilePolicy policy,
              int viewId) override {
    const QString path = TilePath(session, eraIndex, fileName);
    if (FileExists(path)) {
      if (!TileCache::shared().contains(path)) decode_.emplace_back(path, QFileInfo(fileName).suffix().toLower());
      return true;
    }
    if (downloads_ && policy == TilePolicy::DiskAndNetwork &&
        downloads_->askInBackground(session, eraIndex, fileName, viewId))
      ++fetch_;
    return false;
  }

 private:
  TileDownloads* downloads_;
  std::vector<std::pair<QString, QString>>& decode_;
  int& fetch_;
};

}  // namespace

namespace {

bool samePlace(const ViewRequest& a, const ViewRequest& b) {
  return a.eraIndex == b.eraIndex && a.centerX == b.centerX && a.centerY == b.centerY &&
         a.zoomPercent == b.zoomPercent && a.mmPerPxX == b.mmPerPxX && a.mmPerPxY == b.mmPerPxY &&
         a.viewSize == b.viewSize && a.devicePixelRatio == b.devicePixelRatio;
}

}  // namespace

void EraPrefetch::viewShown(TileDownloads* downloads, const ViewRequest& shown) {
  if (!basis_ || samePlace(*basis_, shown)) return;
  basis_.reset();
  if (downloads) downloads->dropView(kViewId);
}

void EraPrefetch::fetched(const QString& path) {
  if (TileCache::shared().budget() <= 0 || TileCache::shared().contains(path)) return;
  TilePrefetcher::shared().requestFile(path);
}

EraPrefetch::Asked EraPrefetch::prefetch(const ProgramState& session, const ViewRequest& shown,
                                         TileDownloads* downloads) {
  Asked asked;
  decoded_.clear();
  if (!session.view.loaded || TileCache::shared().budget() <= 0) return asked;
  PrefetchSource source(downloads, decoded_, asked.fetch);
  // The era after the one shown first: stepping forward is the usual way.
  for (const int step : {1, -1}) {
    const int era = shown.eraIndex + step;
    if (era < 0 || era >= static_cast<int>(session.eras.size())) continue;
    ViewRequest r = shown;
    r.eraIndex = era;
    r.viewId = kViewId;
    askForTiles(session, r, source);
  }
  asked.decode = static_cast<int>(decoded_.size());
  basis_ = shown;
  if (!decoded_.empty()) TilePrefetcher::shared().request(decoded_);
  return asked;
}

}  // namespace kavalo
