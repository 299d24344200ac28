// SPDX-License-Identifier: MIT
// The program's fetcher of web-mercator tiles: two requests in flight at a
// time (a tile server is shared by many), each a Transfer under the limits
// of every image, written into the cache whole or not at all.
#include <QEventLoop>
#include <QFile>
#include <QPointer>
#include <array>
#include <memory>

#include "net/CancelToken.h"
#include "net/Network.h"
#include "net/XyzTiles.h"

namespace kavalo {

namespace {

constexpr int kInFlight = 2;

// "No such tile" is an answer too: kept as an empty file, so that the next
// run does not ask again.
void keepAbsent(const QString& path) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.close();
}

}  // namespace

XyzFetcher networkXyzFetcher() {
  return [](const std::vector<std::pair<QString, QString>>& jobs,
            const std::function<void(int, const TransferResult&)>& done, const std::function<bool()>& stop) {
    CancelToken* token = CancelScope::current();
    auto stopping = [&] { return (token && token->isCancelled()) || (stop && stop()); };
    QEventLoop loop;
    std::array<QPointer<Transfer>, kInFlight> inFlight;
    size_t next = 0;
    int running = 0;
    // Those under way end from the loop, not from inside another's signal.
    auto endRunning = [&] {
      for (const QPointer<Transfer>& t : inFlight)
        if (t) QMetaObject::invokeMethod(t, &Transfer::abort, Qt::QueuedConnection);
    };
    std::function<void()> startMore = [&] {
      for (size_t s = 0; s < inFlight.size(); ++s) {
        if (inFlight[s] || next >= jobs.size() || stopping()) continue;
        const int index = static_cast<int>(next++);
        TransferRequest request;
        request.url = QUrl(jobs[static_cast<size_t>(index)].first);
        request.kind = BodyKind::Image;
        request.targetPath = jobs[static_cast<size_t>(index)].second;
        request.image = xyzTileRule();
        auto* transfer = new Transfer(&threadNetworkManager(), request);
        inFlight[s] = transfer;
        ++running;
        QObject::connect(transfer, &Transfer::finished, &loop, [&, transfer, s, index] {
          const TransferResult result = transfer->takeResult();
          inFlight[s] = nullptr;
          --running;
          transfer->deleteLater();
          if (result.outcome == TransferOutcome::Absent) keepAbsent(jobs[static_cast<size_t>(index)].second);
          done(index, result);
          if (stopping()) endRunning();
          startMore();
          if (running == 0) loop.quit();
        });
        transfer->start();
      }
    };
    if (token) QObject::connect(token, &CancelToken::cancelled, &loop, endRunning, Qt::QueuedConnection);
    startMore();
    if (running > 0) loop.exec();
  };
}

}  // namespace kavalo
