// SPDX-License-Identifier: MIT
#include "net/TileDownloads.h"

#include <QFile>
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
#include "render/TileCache.h"
#include "render/Tiles.h"

namespace kavalo {

TileDownloads::TileDownloads(QObject* parent)
    : QObject(parent), manager_(new QNetworkAccessManager(this)), arrivedTimer_(new QTimer(this)) {
  // Arrivals of one turn of the event loop are told together.
  arrivedTimer_->setSingleShot(true);
  arrivedTimer_->setInterval(0);
  connect(arrivedTimer_, &QTimer::timeout, this, &TileDownloads::tilesArrived);
}

namespace {

// Where a tile that arrived before the server check answered waits: beside
// its place, under a name that is no tile's.
QString heldPath(const QString& path) { return path + QStringLiteral(".unchecked"); }

}  // namespace

TileDownloads::~TileDownloads() {
  reset();
  if (check_) {
    check_->disconnect(this);
    check_->abort();
    check_->deleteLater();
    check_ = nullptr;
  }
  for (const QString& path : held_) QFile::remove(heldPath(path));
}

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
  if (policy != TilePolicy::DiskAndNetwork || (!session.view.onlineMode && !checking())) return false;
  const QString url = OnDemandTileUrl(session, session.dataFolderIndex, eraIndex, fileName);
  if (url.isEmpty()) return false;
  const uint64_t round = viewRound_.count(viewId) ? viewRound_[viewId] : round_;
  for (auto& [transfer, running] : running_)
    if (running.url == url) {
      // On its way already, perhaps for the prefetch: a view waits for it now.
      running.views[viewId] = round;
      running.background = false;
      return false;
    }
  Job& job = waiting_[url];
  if (job.url.isEmpty()) {
    job.url = url;
    job.path = path;
    job.host = QUrl(url).host();
  }
  job.views[viewId] = round;
  job.background = false;
  // The newest composition's files first, each composition's in the order
  // it asked for them (the order it draws them).
  job.order = (round << 32) | (~++sequence_ & 0xFFFFFFFFu);
  return false;
}

bool TileDownloads::askInBackground(const ProgramState& session, int eraIndex, const QString& fileName, int viewId) {
  const QString path = TilePath(session, eraIndex, fileName);
  if (FileExists(path)) return false;
  if (!session.view.onlineMode) return false;
  const QString url = OnDemandTileUrl(session, session.dataFolderIndex, eraIndex, fileName);
  if (url.isEmpty()) return false;
  for (const auto& [transfer, job] : running_)
    if (job.url == url) return true;
  Job& job = waiting_[url];
  if (job.url.isEmpty()) {
    job.url = url;
    job.path = path;
    job.host = QUrl(url).host();
    // Below every composition's files (their rounds start at 1), in the
    // order asked.
    job.order = ~++sequence_ & 0xFFFFFFFFu;
  }
  job.views[viewId] = 0;
  dispatch();
  noteBusy();
  return true;
}

void TileDownloads::dropView(int viewId) {
  for (auto it = waiting_.begin(); it != waiting_.end();) {
    it->second.views.erase(viewId);
    if (it->second.views.empty())
      it = waiting_.erase(it);
    else
      ++it;
  }
  noteBusy();
}

void TileDownloads::dispatch() {
  while (!waiting_.empty()) {
    // The most urgent waiting file whose host has a connection to spare.
    auto best = waiting_.end();
    for (auto it = waiting_.begin(); it != waiting_.end(); ++it) {
      if (perHost_[it->second.host] >= kPerHost + lookAhead_) continue;
      if (best == waiting_.end() || it->second.order > best->second.order) best = it;
    }
    if (best == waiting_.end()) return;
    Job job = std::move(best->second);
    waiting_.erase(best);

    TransferRequest request;
    request.url = QUrl(job.url);
    request.kind = BodyKind::Image;
    job.held = checking();
    request.targetPath = job.held ? heldPath(job.path) : job.path;
    request.image = dataImageRule(QFileInfo(job.path).fileName());
    auto* transfer = new Transfer(manager_, request, this);
    ++perHost_[job.host];
    running_.emplace(transfer, std::move(job));
    connect(transfer, &Transfer::answered, this, [this, transfer] { answered(transfer); });
    connect(transfer, &Transfer::finished, this, [this, transfer] { finished(transfer); });
    transfer->start();
  }
}

void TileDownloads::answered(Transfer* transfer) {
  // The answer is in: its connection takes the next file while the body
  // is checked.
  auto it = running_.find(transfer);
  if (it == running_.end() || it->second.answered) return;
  it->second.answered = true;
  --perHost_[it->second.host];
  dispatch();
}

void TileDownloads::finished(Transfer* transfer) {
  auto it = running_.find(transfer);
  if (it == running_.end()) return;
  const Job job = std::move(it->second);
  running_.erase(it);
  if (!job.answered) --perHost_[job.host];
  transfer->deleteLater();
  const TransferResult& result = transfer->result();
  if (job.held && checkFailed_) {
    // Asked for with a server check that failed: what it brought is not
    // kept, and it is no failure of its own.
    if (result.ok()) QFile::remove(heldPath(job.path));
  } else if (result.ok()) {
    ++counts_.fetched;
    if (job.held && checking()) {
      held_.push_back(job.path);
    } else if (!job.held || place(job.path)) {
      arrived(job);
    }
  } else if (job.held && checking()) {
    // Told once the check has answered: a server that does not answer its
    // check fails the tiles too, and that is the check's failure.
    if (!job.background) heldFailures_.emplace_back(job.url, result.describe(QUrl(job.url)));
  } else {
    ++counts_.failed;
    // The transfer has logged the address and the reason. A file only the
    // prefetch wanted is nobody's failure yet (a neighbouring era the server
    // lacks): the step to its era asks again and tells.
    if (!job.background) emit fetchFailed(job.url, result.describe(QUrl(job.url)));
  }
  dispatch();
  noteBusy();
}

void TileDownloads::startServerCheck(const QString& url) {
  if (check_) return;
  checkFailed_ = false;
  TransferRequest request;
  request.url = QUrl(url);
  request.kind = BodyKind::Probe;
  checkHost_ = request.url.host();
  // The check takes the first connection; the tiles share the others.
  ++perHost_[checkHost_];
  check_ = new Transfer(manager_, request, this);
  connect(check_, &Transfer::finished, this, &TileDownloads::checkFinished);
  check_->start();
  noteBusy();
}

void TileDownloads::arrived(const Job& job) {
  TileCache::shared().noteOwnWrite(job.path);
  // A prefetch's file is shown by no view yet: the views are not told.
  if (!job.background) arrivedTimer_->start();
  emit fileFetched(job.path, job.background);
}

bool TileDownloads::place(const QString& path) {
  const QString from = heldPath(path);
  // A file that reached its place meanwhile (another run) is kept.
  if (QFileInfo::exists(path) || !QFile::rename(from, path)) {
    QFile::remove(from);
    return false;
  }
  return true;
}

void TileDownloads::checkFinished() {
  Transfer* check = check_;
  check_ = nullptr;
  if (perHost_[checkHost_] > 0) --perHost_[checkHost_];
  check->deleteLater();
  const bool answered = check->result().ok();
  std::vector<QString> held = std::move(held_);
  held_.clear();
  std::vector<std::pair<QString, QString>> failures = std::move(heldFailures_);
  heldFailures_.clear();
  if (answered) {
    bool placed = false;
    for (const QString& path : held)
      if (place(path)) {
        TileCache::shared().noteOwnWrite(path);
        emit fileFetched(path, false);
        placed = true;
      }
    if (placed) arrivedTimer_->start();
    dispatch();
  } else {
    // What the tiles brought is not trusted without the check: removed, and
    // nothing more is asked for. Those under way end by themselves (an
    // abort would only race their own failure) and are dropped as they end.
    checkFailed_ = true;
    for (const QString& path : held) QFile::remove(heldPath(path));
    waiting_.clear();
  }
  emit serverChecked(answered);
  if (answered && !failures.empty()) {
    counts_.failed += static_cast<int>(failures.size());
    emit fetchFailed(failures.front().first, failures.front().second);
  }
  noteBusy();
}

void TileDownloads::reset() {
  waiting_.clear();
  // An aborted transfer removes its part file and tells its end at once;
  // the handler then finds nothing of it.
  std::map<Transfer*, Job> running = std::move(running_);
  running_.clear();
  perHost_.clear();
  if (check_) perHost_[checkHost_] = 1;
  for (auto& [transfer, job] : running) {
    transfer->disconnect(this);
    transfer->abort();
    transfer->deleteLater();
  }
  noteBusy();
}

bool TileDownloads::busy() const {
  if (checking()) return true;
  for (const auto& [url, job] : waiting_)
    if (!job.background) return true;
  for (const auto& [transfer, job] : running_)
    if (!job.background) return true;
  return false;
}

void TileDownloads::noteBusy() {
  const bool now = busy();
  if (now == wasBusy_) return;
  wasBusy_ = now;
  emit busyChanged(now);
}

}  // namespace kavalo
