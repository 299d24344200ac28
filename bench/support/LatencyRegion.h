// SPDX-License-Identifier: MIT
#pragma once
// For the benchmarks that drive the window online: a copy of a region whose
// era folders are empty, pointed at a server on 127.0.0.1 that serves the
// region's own files, each answer LATENCY ms after its request came (as a
// server that far away would). The addresses asked for are recorded.
#include <httplib.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <mutex>
#include <thread>

namespace kavalo::bench {

// The region with every file but the tiles: its era folders are there, empty.
inline bool copyWithoutTiles(const QString& from, const QString& to, int depth = 0) {
  QDir().mkpath(to);
  for (const QFileInfo& e : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
    const QString target = to + u'/' + e.fileName();
    if (e.isDir()) {
      const bool era = depth == 1 && e.fileName() != u"legend";
      if (era ? !QDir().mkpath(target) : !copyWithoutTiles(e.filePath(), target, depth + 1)) return false;
    } else if (!QFile::copy(e.filePath(), target)) {
      return false;
    }
  }
  return true;
}

class LatencyRegion {
 public:
  LatencyRegion(const QString& region, int latencyMs) : region_(region), latencyMs_(latencyMs) {
    root_ = work_.filePath(QStringLiteral("region"));
    if (!copyWithoutTiles(region, root_)) return;
    // Connections kept for as long as a web server keeps them (the
    // library's default closes one after five requests), and a thread for
    // each: the window's six and curl's six at once.
    http_.set_keep_alive_max_count(1000);
    http_.set_keep_alive_timeout(60);
    http_.new_task_queue = [] { return new httplib::ThreadPool(32); };
    // Answers go out as written, as web servers send them (no wait for the
    // client's acknowledgement between the headers and the body).
    http_.set_tcp_nodelay(true);
    http_.Get(R"(/kavalo/(.+))", [this](const httplib::Request& req, httplib::Response& res) { answer(req, res); });
    port_ = http_.bind_to_any_port("127.0.0.1");
    serving_ = std::thread([this] { http_.listen_after_bind(); });
    QFile servers(root_ + QStringLiteral("/servers.txt"));
    ok_ = servers.open(QIODevice::WriteOnly) && servers.write(("web_base = " + base() + "\n").toUtf8()) > 0;
  }
  ~LatencyRegion() {
    http_.stop();
    if (serving_.joinable()) serving_.join();
  }

  bool ok() const { return ok_; }
  // The copy's root folder, for the window.
  const QString& root() const { return root_; }
  int port() const { return port_; }
  QString base() const { return QStringLiteral("http://127.0.0.1:%1/kavalo/").arg(port_); }
  // The tile addresses asked for since the last call; with a folder, only
  // those of that era's folder (not what the idle prefetch fetched).
  QStringList takeUrls(const QString& eraFolder = QString()) {
    std::lock_guard lock(mutex_);
    QStringList urls;
    for (const QString& p : paths_)
      if (eraFolder.isEmpty() || p.contains(u'/' + eraFolder + u'/'))
        urls << QStringLiteral("http://127.0.0.1:%1").arg(port_) + p;
    paths_.clear();
    return urls;
  }

 private:
  void answer(const httplib::Request& req, httplib::Response& res) {
    const auto arrived = std::chrono::steady_clock::now();
    const QString rel = QString::fromStdString(req.matches[1]);
    QByteArray body;
    if (rel == u"servercheck.txt") {
      body = "OK";
    } else {
      QFile f(region_ + u'/' + rel);
      if (rel.contains(QStringLiteral("..")) || !f.open(QIODevice::ReadOnly)) {
        res.status = 404;
        return;
      }
      body = f.readAll();
      std::lock_guard lock(mutex_);
      paths_ << QString::fromStdString(req.path);
    }
    std::this_thread::sleep_until(arrived + std::chrono::milliseconds(latencyMs_));
    res.set_content(body.constData(), static_cast<size_t>(body.size()), "application/octet-stream");
  }

  QString region_;
  int latencyMs_;
  QTemporaryDir work_;
  QString root_;
  httplib::Server http_;
  std::thread serving_;
  int port_ = 0;
  bool ok_ = false;
  std::mutex mutex_;
  QStringList paths_;
};

}  // namespace kavalo::bench
