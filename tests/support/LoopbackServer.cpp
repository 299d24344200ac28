// SPDX-License-Identifier: MIT
#include "support/LoopbackServer.h"

#include <httplib.h>
#include <zip.h>
#include <zlib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <chrono>
#include <map>
#include <stdexcept>
#include <vector>

namespace kavalo::test {

LoopbackServer::LoopbackServer() : server_(std::make_unique<httplib::Server>()) {
  // Idle kept-alive connections would hold stop() up for their whole timeout.
  server_->set_keep_alive_timeout(1);
  port_ = server_->bind_to_any_port("127.0.0.1");
  if (port_ <= 0) throw std::runtime_error("cannot bind a loopback port");
  // Noted before the answer goes out, so a client that has its answer always
  // finds its request in the log.
  server_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response&) {
    std::lock_guard<std::mutex> lock(mutex_);
    requests_ << QString::fromStdString(req.path);
    return httplib::Server::HandlerResponse::Unhandled;
  });
}

LoopbackServer::~LoopbackServer() { stop(); }

void LoopbackServer::start() {
  if (thread_.joinable()) return;
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  for (int i = 0; i < 500 && !server_->is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

void LoopbackServer::stop() {
  stopping_ = true;
  server_->stop();
  if (thread_.joinable()) thread_.join();
}

QString LoopbackServer::url(const QString& path) const {
  return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

QStringList LoopbackServer::requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

void LoopbackServer::serve(const QString& path, const QByteArray& body, int status) {
  const std::string content = body.toStdString();
  server_->Get(path.toStdString(), [content, status](const httplib::Request&, httplib::Response& res) {
    res.status = status;
    res.set_content(content, "application/octet-stream");
  });
}

void LoopbackServer::serveDropped(const QString& path, const QByteArray& body, qint64 sentBytes) {
  const std::string content = body.toStdString();
  const size_t sent = static_cast<size_t>(sentBytes);
  server_->Get(path.toStdString(), [content, sent](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(content.size(), "application/octet-stream",
                             [content, sent](size_t offset, size_t, httplib::DataSink& sink) {
                               if (offset < sent) return sink.write(content.data() + offset, sent - offset);
                               return false;  // closes the connection
                             });
  });
}

void LoopbackServer::serveStall(const QString& path, const QByteArray& body, qint64 sentBytes) {
  const std::string content = body.toStdString();
  const size_t sent = static_cast<size_t>(sentBytes);
  server_->Get(path.toStdString(), [this, content, sent](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(content.size(), "application/octet-stream",
                             [this, content, sent](size_t offset, size_t, httplib::DataSink& sink) {
                               if (offset < sent) return sink.write(content.data() + offset, sent - offset);
                               for (int i = 0; i < 600 && !stopping_; ++i)
                                 std::this_thread::sleep_for(std::chrono::milliseconds(20));
                               return false;
                             });
  });
}

void LoopbackServer::serveEndless(const QString& path, const QByteArray& body, qint64 declaredLength) {
  const std::string piece = body.toStdString();
  server_->Get(path.toStdString(), [this, piece, declaredLength](const httplib::Request&, httplib::Response& res) {
    auto more = [this, piece](httplib::DataSink& sink) {
      if (stopping_ || !sink.write(piece.data(), piece.size())) return false;
      bytesSent_ += static_cast<qint64>(piece.size());
      return true;
    };
    if (declaredLength > 0)
      res.set_content_provider(static_cast<size_t>(declaredLength), "application/octet-stream",
                               [more](size_t, size_t, httplib::DataSink& sink) { return more(sink); });
    else
      res.set_chunked_content_provider("application/octet-stream",
                                       [more](size_t, httplib::DataSink& sink) { return more(sink); });
  });
}

void LoopbackServer::serveTrickle(const QString& path, const QByteArray& body, int intervalMs) {
  const std::string content = body.toStdString();
  server_->Get(path.toStdString(), [this, content, intervalMs](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(content.size(), "application/octet-stream",
                             [this, content, intervalMs](size_t offset, size_t, httplib::DataSink& sink) {
                               for (int waited = 0; waited < intervalMs && !stopping_; waited += 5)
                                 std::this_thread::sleep_for(std::chrono::milliseconds(5));
                               if (stopping_ || !sink.write(content.data() + offset, 1)) return false;
                               ++bytesSent_;
                               return true;
                             });
  });
}

int deadPort() {
  // Bound without listening, then closed: a connection there is refused.
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
    port = ntohs(address.sin_port);
  ::close(fd);
  return port;
}

RawServer::RawServer(QByteArray answer) : answer_(std::move(answer)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
      ::listen(listener_, 16) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw std::runtime_error("cannot listen on a loopback port");
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] {
    while (!stopping_) {
      pollfd p{listener_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const int fd = ::accept(listener_, nullptr, nullptr);
      if (fd < 0) continue;
      ++connections_;
      // The request is read to its blank line (or for a second at most).
      std::string request;
      char buffer[4096];
      for (int rounds = 0; rounds < 50 && request.find("\r\n\r\n") == std::string::npos; ++rounds) {
        pollfd q{fd, POLLIN, 0};
        if (::poll(&q, 1, 20) <= 0) continue;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        request.append(buffer, static_cast<size_t>(n));
      }
      const ssize_t written = ::write(fd, answer_.constData(), static_cast<size_t>(answer_.size()));
      (void)written;
      // A moment for the bytes to leave before the close.
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      ::close(fd);
    }
  });
}

RawServer::~RawServer() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ >= 0) ::close(listener_);
}

QString RawServer::url(const QString& path) const {
  return QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path);
}

namespace {

void appendChunk(QByteArray& out, const char* type, const QByteArray& data) {
  uchar length[4];
  qToBigEndian<quint32>(static_cast<quint32>(data.size()), length);
  out.append(reinterpret_cast<const char*>(length), 4);
  const QByteArray body = QByteArray(type, 4) + data;
  out += body;
  uchar crc[4];
  qToBigEndian<quint32>(
      static_cast<quint32>(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), static_cast<uInt>(body.size()))),
      crc);
  out.append(reinterpret_cast<const char*>(crc), 4);
}

}  // namespace

quint32 crc32Of(const QByteArray& bytes) {
  return static_cast<quint32>(
      crc32(0, reinterpret_cast<const Bytef*>(bytes.constData()), static_cast<uInt>(bytes.size())));
}

QByteArray hugePng(int w, int h) {
  static std::mutex mutex;
  static std::map<std::pair<int, int>, QByteArray> made;
  std::lock_guard<std::mutex> lock(mutex);
  auto it = made.find({w, h});
  if (it != made.end()) return it->second;
  QByteArray png("\x89PNG\r\n\x1a\n", 8);
  QByteArray header(13, '\0');
  qToBigEndian<quint32>(static_cast<quint32>(w), header.data());
  qToBigEndian<quint32>(static_cast<quint32>(h), header.data() + 4);
  header[8] = 8;  // 8-bit grey
  appendChunk(png, "IHDR", header);
  // Rows of one grey, compressed as they are made: a few kilobytes of file
  // for hundreds of megabytes of pixels.
  z_stream z{};
  deflateInit(&z, 9);
  std::vector<uchar> row(static_cast<size_t>(w) + 1, 200);
  row[0] = 0;
  std::vector<uchar> out(1 << 16);
  QByteArray data;
  for (int y = 0; y <= h; ++y) {
    const bool last = y == h;
    z.next_in = last ? nullptr : row.data();
    z.avail_in = last ? 0 : static_cast<uInt>(row.size());
    int r = Z_OK;
    do {
      z.next_out = out.data();
      z.avail_out = static_cast<uInt>(out.size());
      r = deflate(&z, last ? Z_FINISH : Z_NO_FLUSH);
      data.append(reinterpret_cast<const char*>(out.data()), static_cast<qsizetype>(out.size() - z.avail_out));
    } while (z.avail_out == 0 || (last && r != Z_STREAM_END));
  }
  deflateEnd(&z);
  appendChunk(png, "IDAT", data);
  appendChunk(png, "IEND", QByteArray());
  made[{w, h}] = png;
  return png;
}

QByteArray zipOfZeros(int count, qint64 entryBytes) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/bomb.zip");
  int code = 0;
  zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  // One buffer of zeros serves every entry; libzip reads it at zip_close.
  const QByteArray zeros(static_cast<qsizetype>(entryBytes), '\0');
  for (int i = 0; i < count; ++i) {
    zip_source_t* src = zip_source_buffer(z, zeros.constData(), static_cast<zip_uint64_t>(zeros.size()), 0);
    zip_file_add(z, QStringLiteral("%1_000.png").arg(i, 3, 10, QChar(u'0')).toUtf8().constData(), src,
                 ZIP_FL_ENC_UTF_8);
  }
  zip_close(z);
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

}  // namespace kavalo::test
