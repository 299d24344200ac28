// SPDX-License-Identifier: MIT
#pragma once
// A server on 127.0.0.1 whose answers leave at once (no delay for the
// client's acknowledgement between the headers and the body), for runs of
// hundreds of requests; and shorter network waits for unreachable servers.
#include <httplib.h>

#include <QString>
#include <chrono>
#include <thread>

#include "net/Network.h"

namespace kavalo::test {

class FastServer {
 public:
  FastServer() {
    http_.set_tcp_nodelay(true);
    // Idle kept-alive connections would hold stop() up for their whole timeout.
    http_.set_keep_alive_timeout(1);
    port_ = http_.bind_to_any_port("127.0.0.1");
  }
  ~FastServer() { stop(); }
  httplib::Server& http() { return http_; }
  void start() {
    thread_ = std::thread([this] { http_.listen_after_bind(); });
    for (int i = 0; i < 500 && !http_.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  void stop() {
    if (!thread_.joinable()) return;
    http_.stop();
    thread_.join();
  }
  QString url(const QString& path = QString()) const { return QStringLiteral("http://127.0.0.1:%1").arg(port_) + path; }

 private:
  httplib::Server http_;
  std::thread thread_;
  int port_ = 0;
};

struct ShortWaits {
  NetworkTimeouts saved = networkTimeouts();
  ShortWaits() { setNetworkTimeouts({400, 5000}); }
  ~ShortWaits() { setNetworkTimeouts(saved); }
};

}  // namespace kavalo::test
