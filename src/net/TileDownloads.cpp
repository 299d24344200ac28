// SPDX-License-Identifier: MIT
#include "net/TileDownloads.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QTimer>
#include <QUrl>

#include <algorithm>

#include "model/ProgramState.h"
#include "net/Network.h"
#include "net/OnlineMode.h"
#include "net/Transfer.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "render/Tiles.h"

namespace kavalo {

TileDownloads::TileDownloads(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), arrivedTimer_(new QTimer(this)) {
  // Arrivals of one turn of the event loop are told together.
  arrivedTimer_->setSingleShot(true);
  arrivedTimer_->setInterval(0);
  connect(arrivedTimer_, &QTimer::timeout, this, &TileDownloads::tilesArrived);
}

TileDownloads::~TileDownloads() { reset(); }

void TileDownloads::beginView(int viewId) { viewRound_[viewId] = ++round_; }

void TileDownloads::endView(int viewId) {
  // A waiting file this view asked for in an earlier composition and not in
  // this one has left the view; once no view wants it, it is not fetched.
  const uint64_t now = viewRound_[viewId];
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    auto v = it->second.views.find(viewId);
    if (v != it->second.views.end() && v->second < now) it->second.views.erase(v);
    if (it->second.views.empty())
      it = waiting_.erase(it);
    else
      ++it;
  }
  dispatch();
  noteBusy();
}

bool TileDownloads::ensure(const ProgramState& session, int eraIndex, const QString& fileName, TilePolicy policy,
                           int viewId) {
  const QString path = TilePath(session, eraIndex, fileName);
  // A file on disk is never fetched again.
  if (FileExists(path)) return true;
  if (policy != TilePolicy::DiskAndNetwork || !session.view.onlineMode) return false;
  const QString url = OnDemandTileUrl(session, session.dataFolderIndex, eraIndex, fileName);
  if (url.isEmpty()) return false;
  const uint64_t round = viewRound_.count(viewId) ? viewRound_[viewId] : round_;
  for (const auto& [transfer, job] : running_)
    if (job.url == url) return false;  // on its way already
  Job& job = waiting_[url];
  if (job.url.isEmpty()) {
    job.url = url;
    job.path = path;
    job.host = QUrl(url).host();
  }
  job.views[viewId] = round;
  // The newest composition's files first, each composition's in the order
  // it asked for them (the order it draws them).
  job.order = (round << 32) | (~++sequence_ & 0xFFFFFFFFu);
  return false;
}

void TileDownloads::dispatch() {
  while (!waiting_.empty()) {
    // The most urgent waiting file whose host has a connection to spare.
    auto best = waiting_.end();
    for (auto it = waiting_.begin(); it != waiting_.end(); ++it) {
      if (perHost_[it->second.host] >= kPerHost) continue;
      if (best == waiting_.end() || it->second.order > best->second.order) best = it;
    }
    if (best == waiting_.end()) return;
    Job job = std::move(best->second);
    waiting_.erase(best);

    TransferRequest request;
    request.url = QUrl(job.url);
    request.kind = BodyKind::Image;
    request.targetPath = job.path;
    request.image = dataImageRule(QFileInfo(job.path).fileName());
    auto* transfer = new Transfer(manager_, request, this);
    ++perHost_[job.host];
    running_.emplace(transfer, std::move(job));
    connect(transfer, &Transfer::finished, this, [this, transfer] { finished(transfer); });
    transfer->start();
  }
}

void TileDownloads::finished(Transfer* transfer) {
  auto it = running_.find(transfer);
  if (it == running_.end()) return;
  const Job job = std::move(it->second);
  running_.erase(it);
  --perHost_[job.host];
  transfer->deleteLater();
  const TransferResult& result = transfer->result();
  if (result.ok()) {
    ++counts_.fetched;
    arrivedTimer_->start();
  } else {
    ++counts_.failed;
    // The transfer has logged the address and the reason.
    emit fetchFailed(job.url, result.describe(QUrl(job.url)));
  }
  dispatch();
  noteBusy();
}

void TileDownloads::reset() {
  waiting_.clear();
  // An aborted transfer removes its part file and tells its end at once;
  // the handler then finds nothing of it.
  std::map<Transfer*, Job> running = std::move(running_);
  running_.clear();
  perHost_.clear();
  for (auto& [transfer, job] : running) {
    transfer->disconnect(this);
    transfer->abort();
    transfer->deleteLater();
  }
  noteBusy();
}

void TileDownloads::noteBusy() {
  const bool now = busy();
  if (now == wasBusy_) return;
  wasBusy_ = now;
  emit busyChanged(now);
}

}  // namespace kavalo
