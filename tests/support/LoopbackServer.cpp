#include "support/LoopbackServer.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

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

}  // namespace kavalo::test
