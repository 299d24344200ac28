// The program's fetcher of web-mercator tiles: two requests in flight at a
// time (a tile server is shared by many), the program's user agent, nothing
// from a cache of the network layer, and each body written whole or not at
// all.
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <deque>

#include "net/Network.h"
#include "net/XyzTiles.h"

namespace kavalo {

namespace {

constexpr int kInFlight = 2;

// A cache file is written beside its name and renamed when whole, so a run
// that dies leaves no half tile. It is not forced to the disk: a tile lost
// to a power cut is only asked for again.
bool writeWhole(const QString& path, const QByteArray& bytes) {
  const QString part = path + QStringLiteral(".part");
  QFile file(part);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
    file.remove();
    return false;
  }
  file.close();
  QFile::remove(path);
  if (QFile::rename(part, path)) return true;
  QFile::remove(part);
  return false;
}

}  // namespace

XyzFetcher networkXyzFetcher() {
  return [](const std::vector<std::pair<QString, QString>>& jobs, const std::function<void(int, bool)>& done,
            const std::function<bool()>& stop) {
    QNetworkAccessManager manager;
    manager.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    QEventLoop loop;
    size_t next = 0;
    int running = 0;
    std::function<void()> startMore = [&] {
      while (running < kInFlight && next < jobs.size() && !(stop && stop())) {
        const int index = static_cast<int>(next++);
        const QUrl url(jobs[static_cast<size_t>(index)].first);
        if (url.scheme() != u"http" && url.scheme() != u"https") {
          done(index, false);
          continue;
        }
        QNetworkRequest request(url);
        request.setHeader(QNetworkRequest::UserAgentHeader, networkUserAgent());
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        request.setTransferTimeout(networkTimeouts().stallMs);
        QNetworkReply* reply = manager.get(request);
        ++running;
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&, reply, index] {
          const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
          bool ok = reply->error() == QNetworkReply::NoError && status >= 200 && status < 300;
          if (ok) ok = writeWhole(jobs[static_cast<size_t>(index)].second, reply->readAll());
          // "No such tile" is an answer too: kept as an empty file, so that
          // the next run does not ask again. A failed request is not kept.
          if (status == 404 || status == 410) writeWhole(jobs[static_cast<size_t>(index)].second, QByteArray());
          reply->deleteLater();
          --running;
          done(index, ok);
          startMore();
          if (running == 0) loop.quit();
        });
      }
    };
    startMore();
    if (running > 0) loop.exec(QEventLoop::ExcludeUserInputEvents);
  };
}

}  // namespace kavalo
