#include "net/TileDownloads.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <algorithm>

#include "model/ProgramState.h"
#include "net/Network.h"
#include "net/OnlineMode.h"
#include "net/PartFile.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "render/Tiles.h"

namespace kavalo {

namespace {

// No tile of any era comes near this; a body beyond it is not a tile.
constexpr int64_t kMaxTileBytes = int64_t{16} * 1024 * 1024;

}  // namespace

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
  for (auto& [reply, run] : running_)
    if (run.job.url == url) return false;  // on its way already
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

    Running run;
    run.file = std::make_unique<PartFile>(job.path);
    const QUrl url(job.url);
    if (!run.file->open()) {
      ++counts_.failed;
      qCWarning(lcNet) << "cannot write a tile beside" << job.path;
      emit fetchFailed(job.url, QStringLiteral("cannot write beside %1").arg(job.path));
      continue;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, networkUserAgent());
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(networkTimeouts().stallMs);
    QNetworkReply* reply = manager_->get(request);
    ++perHost_[job.host];
    run.job = std::move(job);
    running_.emplace(reply, std::move(run));
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] {
      auto it = running_.find(reply);
      if (it == running_.end() || it->second.refused) return;
      const QByteArray piece = reply->readAll();
      it->second.received += piece.size();
      if (it->second.received > kMaxTileBytes || !it->second.file->write(piece.constData(), piece.size())) {
        it->second.refused = true;
        reply->abort();
      }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
  }
}

void TileDownloads::finished(QNetworkReply* reply) {
  auto it = running_.find(reply);
  if (it == running_.end()) return;
  Running run = std::move(it->second);
  running_.erase(it);
  --perHost_[run.job.host];
  reply->deleteLater();

  if (!run.refused && reply->error() == QNetworkReply::NoError) {
    const QByteArray rest = reply->readAll();
    run.received += rest.size();
    if (!rest.isEmpty() && !run.file->write(rest.constData(), rest.size())) run.refused = true;
  }
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  bool ok = !run.refused && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  if (ok && length.isValid() && !reply->hasRawHeader("Content-Encoding") && run.received < length.toLongLong())
    ok = false;
  if (ok) ok = run.file->commit();
  if (ok) {
    ++counts_.fetched;
    arrivedTimer_->start();
  } else {
    run.file->cancel();
    ++counts_.failed;
    const QString reason = run.refused ? QStringLiteral("the body is too large or the disk refused it")
                                       : QStringLiteral("status %1: %2").arg(status).arg(reply->errorString());
    qCWarning(lcNet) << "tile" << run.job.url << "failed:" << reason;
    emit fetchFailed(run.job.url, reason);
  }
  dispatch();
  noteBusy();
}

void TileDownloads::reset() {
  waiting_.clear();
  // Aborting finishes each reply at once; its handler then finds nothing.
  std::map<QNetworkReply*, Running> running = std::move(running_);
  running_.clear();
  perHost_.clear();
  for (auto& [reply, run] : running) {
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    run.file->cancel();
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
