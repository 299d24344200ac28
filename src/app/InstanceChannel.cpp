// SPDX-License-Identifier: MIT
#include "app/InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

namespace kavalo {

namespace {

constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 5000;
// A link is a line; nothing longer is read from a stranger on the channel.
constexpr qint64 kMaxLine = 64 * 1024;
const QByteArray kTaken = "taken\n";

QString userName() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  return user;
}

}  // namespace

InstanceChannel::InstanceChannel(const QString& rootFolder, QObject* parent)
    : QObject(parent), name_(channelName(rootFolder)) {}

InstanceChannel::~InstanceChannel() = default;

QString InstanceChannel::channelName(const QString& rootFolder) {
  const QString canonical = QFileInfo(rootFolder).canonicalFilePath();
  const QString root = QDir::cleanPath(canonical.isEmpty() ? QFileInfo(rootFolder).absoluteFilePath() : canonical);
  const QByteArray hash =
      QCryptographicHash::hash((userName() + u'\n' + root).toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
  return QStringLiteral("kavalo-") + QString::fromLatin1(hash);
}

bool InstanceChannel::handOver(const QString& link) const {
  QLocalSocket socket;
  socket.connectToServer(name_);
  if (!socket.waitForConnected(kConnectMs)) return false;
  QByteArray line = link.toUtf8();
  line.replace('\n', ' ');
  socket.write(line + '\n');
  if (!socket.waitForBytesWritten(kAnswerMs)) return false;
  // Taken only when the window says so: a program that hangs does not make
  // this start end without a window.
  QByteArray answer;
  while (!answer.endsWith('\n') && socket.waitForReadyRead(kAnswerMs)) answer += socket.readAll();
  return answer == kTaken;
}

bool InstanceChannel::listen(std::function<void(const QString& link)> arrived) {
  // A channel that answers is a window that is running (a listen would take
  // its name from it: the channel is made apart and moved into place); one
  // that does not is left over from a program that ended without closing it.
  {
    QLocalSocket probe;
    probe.connectToServer(name_);
    if (probe.waitForConnected(kConnectMs)) return false;
  }
  QLocalServer::removeServer(name_);
  arrived_ = std::move(arrived);
  server_ = new QLocalServer(this);
  // Only this user may hand links over.
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::take);
  // Without a channel (a folder for it that cannot be written) the window
  // is still a window.
  server_->listen(name_);
  return true;
}

void InstanceChannel::take() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QPointer<QLocalSocket> guard(socket);
    connect(socket, &QLocalSocket::readyRead, this, [this, guard] {
      if (!guard) return;
      if (!guard->canReadLine()) {
        if (guard->bytesAvailable() > kMaxLine) guard->abort();
        return;
      }
      const QString link = QString::fromUtf8(guard->readLine(kMaxLine)).trimmed();
      guard->write(kTaken);
      guard->flush();
      guard->disconnectFromServer();
      if (arrived_) arrived_(link);
    });
  }
}

}  // namespace kavalo
