#pragma once
// An HTTP server on 127.0.0.1 (a free port) inside the test process, with
// the faults a real server shows: error statuses, a connection dropped in
// the middle of a body, an answer that never comes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

namespace httplib {
class Server;
}

namespace kavalo::test {

class LoopbackServer {
 public:
  LoopbackServer();
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  // Register answers (before or after start()).
  void serve(const QString& path, const QByteArray& body, int status = 200);
  // Sends the headers of a body of declaredLength bytes, then only the first
  // sentBytes of it, then closes the connection.
  void serveDropped(const QString& path, const QByteArray& body, qint64 sentBytes);
  // Sends the first sentBytes of the body, then nothing until the server stops.
  void serveStall(const QString& path, const QByteArray& body, qint64 sentBytes);

  httplib::Server& http() { return *server_; }
  void start();
  void stop();
  int port() const { return port_; }
  // "http://127.0.0.1:PORT" + path
  QString url(const QString& path = QString()) const;
  // The paths asked for, in order.
  QStringList requests() const;

 private:
  std::unique_ptr<httplib::Server> server_;
  std::thread thread_;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  QStringList requests_;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
int deadPort();

}  // namespace kavalo::test
