#include "net/Network.h"

#include <sys/stat.h>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <functional>

#include "model/Settings.h"
#include "net/PartFile.h"
#include "platform/Codec.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

NetworkTimeouts g_timeouts;

// One manager for the window's thread: it keeps connections to a server open
// between the packages of a run.
QNetworkAccessManager& manager() {
  static QPointer<QNetworkAccessManager> m;
  if (!m) m = new QNetworkAccessManager(QCoreApplication::instance());
  return *m;
}

bool isWebAddress(const QUrl& url) {
  return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

bool namesThisMachine(const QUrl& url) {
  const QString host = url.host();
  if (host.compare(u"localhost", Qt::CaseInsensitive) == 0) return true;
  const QHostAddress address(host);
  return !address.isNull() && address.isLoopback();
}

QNetworkRequest makeRequest(const QUrl& url) {
  QNetworkRequest r(url);
  r.setHeader(QNetworkRequest::UserAgentHeader, networkUserAgent());
  r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  r.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  r.setRawHeader("Cache-Control", "no-cache");
  r.setRawHeader("Pragma", "no-cache");
  r.setTransferTimeout(g_timeouts.stallMs);
  return r;
}

struct Transfer {
  bool answered = false;  // the server sent a status line
  bool complete = false;  // the whole body arrived with a success status
};

// One GET. Each piece of the body goes to sink (which may refuse it, ending
// the request); with headersOnly the request ends as soon as the server
// answers. The loop lets the windows repaint but holds back their input.
Transfer runGet(const QUrl& url, const std::function<bool(const QByteArray&)>& sink, bool headersOnly) {
  Transfer t;
  if (!isWebAddress(url)) return t;
  QNetworkReply* reply = manager().get(makeRequest(url));
  bool refused = false;
  qint64 received = 0;
  auto take = [&] {
    const QByteArray piece = reply->readAll();
    received += piece.size();
    if (!refused && !piece.isEmpty() && sink && !sink(piece)) refused = true;
  };
  // The reply is never aborted from inside its own signals; the loop ends
  // and the request is dropped afterwards.
  QEventLoop loop;
  QTimer overall;
  overall.setSingleShot(true);
  QObject::connect(&overall, &QTimer::timeout, reply, &QNetworkReply::abort);
  QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [&] {
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) {
      t.answered = true;
      if (headersOnly) loop.quit();
    }
  });
  if (!headersOnly)
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
      take();
      if (refused) loop.quit();
    });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  overall.start(g_timeouts.totalMs);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  overall.stop();
  if (!reply->isFinished()) {
    QObject::disconnect(reply, nullptr, nullptr, nullptr);
    reply->abort();
  }

  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (status.isValid()) t.answered = true;
  if (!headersOnly && !refused && reply->error() == QNetworkReply::NoError) take();
  const int code = status.toInt();
  bool ok = !headersOnly && !refused && reply->error() == QNetworkReply::NoError && code >= 200 && code < 300;
  // A body cut short must never pass for a whole one, whatever the transport
  // made of the closed connection. (A compressed body is counted unpacked, so
  // its length says nothing here.)
  const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  if (ok && length.isValid() && !reply->hasRawHeader("Content-Encoding") && received < length.toLongLong()) ok = false;
  t.complete = ok;
  delete reply;
  return t;
}

}  // namespace

void setNetworkTimeouts(const NetworkTimeouts& timeouts) { g_timeouts = timeouts; }
NetworkTimeouts networkTimeouts() { return g_timeouts; }

QString networkUserAgent() {
  const QString path = QCoreApplication::applicationFilePath();
  const QString name = QFileInfo(path).completeBaseName();
  return (name.isEmpty() ? QStringLiteral("kavalo") : name) + u'/' + programVersion();
}

bool DownloadUrlToFile(const QString& url, const QString& localPath) {
  const QUrl address(url);
  if (!isWebAddress(address)) return false;
  // Beside the target, so that the final rename never crosses file systems;
  // the target itself is never written directly.
  PartFile file(localPath);
  if (!file.open()) return false;
  const Transfer t = runGet(
      address, [&](const QByteArray& piece) { return file.write(piece.constData(), piece.size()); }, false);
  if (!t.complete) {
    file.cancel();
    return false;
  }
  return file.commit();
}

bool FetchUrlBytes(const QString& url, QByteArray& bytes) {
  QByteArray body;
  const Transfer t = runGet(
      QUrl(url),
      [&](const QByteArray& piece) {
        body += piece;
        return true;
      },
      false);
  if (!t.complete) return false;
  bytes = std::move(body);
  return true;
}

bool FetchUrlText(const QString& url, QString& text) {
  QByteArray bytes;
  if (!FetchUrlBytes(url, bytes)) return false;
  text = fromSjis(bytes);
  return true;
}

bool IsInternetConnected() {
  static bool loaded = QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
  if (!loaded || !QNetworkInformation::instance()) return true;
  return QNetworkInformation::instance()->reachability() != QNetworkInformation::Reachability::Disconnected;
}

bool UrlReachable(const QString& url, Prompts* prompts) {
  const QUrl address(url);
  if (!isWebAddress(address)) return false;
  // A server on this machine (the sample server) answers without any network.
  if (!namesThisMachine(address) && !IsInternetConnected()) return false;
  if (prompts) prompts->setWaitCursor(true);
  const bool answered = runGet(address, nullptr, true).answered;
  if (prompts) prompts->setWaitCursor(false);
  return answered;
}

bool EnsureFolder(const QString& path, Prompts& prompts) {
  if (FolderExists(path)) return true;
  const QByteArray native = QFile::encodeName(QDir::toNativeSeparators(path));
  if (::mkdir(native.constData(), 0777) == 0) return true;
  const int err = errno;
  prompts.message(QString::fromLocal8Bit(std::strerror(err)), MessageIcon::Warning);
  prompts.message(QStringLiteral("フォルダ") + path + QStringLiteral("を作成できませんでした。"), MessageIcon::Warning);
  return false;
}

int ListFolder(const QString& path, QStringList& names, bool dirsToo) {
  QString folder = path;
  while (folder.size() > 1 && (folder.endsWith(u'\\') || folder.endsWith(u'/'))) folder.chop(1);
  QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
  if (dirsToo) filters |= QDir::Dirs;
  names = QDir(folder).entryList(filters, QDir::Name);
  return static_cast<int>(names.size());
}

}  // namespace kavalo
