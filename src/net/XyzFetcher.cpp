// The program's fetcher of web-mercator tiles: two requests in flight at a
// time (a tile server is shared by many), the program's user agent, nothing
// from a cache of the network layer, and each body written whole or not at
// all.
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>
#include <deque>

#include "net/Network.h"
#include "net/XyzTiles.h"
#include "platform/AtomicFile.h"

namespace kavalo {

namespace {
constexpr int kInFlight = 2;
}

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
          if (ok) ok = writeFileAtomically(jobs[static_cast<size_t>(index)].second, reply->readAll());
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
