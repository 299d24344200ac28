// SPDX-License-Identifier: MIT
#pragma once
// An HTTP server on 127.0.0.1 (a free port) inside the test process, with
// the faults a real server shows: error statuses, a connection dropped in
// the middle of a body, an answer that never comes; and the behaviours of a
// server that means harm: bodies without end, trickled bodies, lengths
// beyond reason.
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

  // Sends the headers of a body of that length (0: chunked, no length) and
  // then the bytes of body over and over, without end.
  void serveEndless(const QString& path, const QByteArray& body, qint64 declaredLength = 0);
  // Sends body (its length declared) one byte every intervalMs.
  void serveTrickle(const QString& path, const QByteArray& body, int intervalMs);

  // Bytes written by the server's answers so far (the bodies of the
  // behaviours above): shows where a client stopped reading.
  qint64 bytesSent() const { return bytesSent_; }

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
  std::atomic<qint64> bytesSent_{0};
  mutable std::mutex mutex_;
  QStringList requests_;
};

// A port on 127.0.0.1 where nothing listens (bound, then released).
int deadPort();

// A server on 127.0.0.1 that answers every connection with the same raw
// bytes (status line, headers and whatever body, as given) and then closes
// it: for answers no well-behaved server library would write, such as a
// chunk that announces 4096 bytes and brings 100.
class RawServer {
 public:
  explicit RawServer(QByteArray answer);
  ~RawServer();
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;
  QString url(const QString& path = QStringLiteral("/")) const;
  int connections() const { return connections_; }

 private:
  QByteArray answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<int> connections_{0};
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

// Hostile bodies.
// A valid PNG of w x h grey pixels that compresses to almost nothing.
QByteArray hugePng(int w, int h);
// The CRC-32 of a PNG chunk's type and data.
quint32 crc32Of(const QByteArray& bytes);
// A zip of count entries of entryBytes zero bytes each, compressed.
QByteArray zipOfZeros(int count, qint64 entryBytes);

}  // namespace kavalo::test
