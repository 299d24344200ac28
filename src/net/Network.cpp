// SPDX-License-Identifier: MIT
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
#include <QPointer>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "model/Settings.h"
#include "net/CancelToken.h"
#include "platform/Codec.h"
#include "platform/Prompts.h"

namespace kavalo {

namespace {

bool isWebAddress(const QUrl& url) {
  return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") && !url.host().isEmpty();
}

bool namesThisMachine(const QUrl& url) {
  const QString host = url.host();
  if (host.compare(u"localhost", Qt::CaseInsensitive) == 0) return true;
  const QHostAddress address(host);
  return !address.isNull() && address.isLoopback();
}

bool onWindowThread() {
  return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

}  // namespace

QNetworkAccessManager& threadNetworkManager() {
  thread_local QPointer<QNetworkAccessManager> manager;
  if (!manager) {
    manager = new QNetworkAccessManager;
    if (onWindowThread())
      manager->setParent(QCoreApplication::instance());
    else
      // Deferred deletions still run when a thread's loop has ended.
      QObject::connect(QThread::currentThread(), &QThread::finished, manager, &QObject::deleteLater,
                       Qt::DirectConnection);
  }
  return *manager;
}

TransferResult runTransfer(const TransferRequest& request) {
  CancelToken* token = CancelScope::current();
  if (token && token->isCancelled()) {
    TransferResult stopped;
    stopped.outcome = TransferOutcome::Aborted;
    return stopped;
  }
  Transfer transfer(&threadNetworkManager(), request);
  QEventLoop loop;
  QObject::connect(&transfer, &Transfer::finished, &loop, &QEventLoop::quit);
  if (token) QObject::connect(token, &CancelToken::cancelled, &transfer, &Transfer::abort, Qt::QueuedConnection);
  transfer.start();
  // A cancel between the look above and the connection is not lost.
  if (token && token->isCancelled()) transfer.abort();
  // Where this still runs on the window's thread, the windows repaint but
  // their input waits.
  if (transfer.isRunning()) loop.exec(onWindowThread() ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
  return transfer.takeResult();
}

QString networkUserAgent() {
  const QString path = QCoreApplication::applicationFilePath();
  const QString name = QFileInfo(path).completeBaseName();
  return (name.isEmpty() ? QStringLiteral("kavalo") : name) + u'/' + programVersion();
}

ImageRule dataImageRule(const QString& fileName) {
  static const QRegularExpression tile(QStringLiteral("^(M_)?\\d{3}_\\d{3}\\.[A-Za-z]+$"));
  const int side = tile.match(fileName).hasMatch() ? kMaxFetchedImageSide : 8192;
  return {QByteArray(), QSize(side, side)};
}

bool DownloadUrlToFile(const QString& url, const QString& localPath, BodyKind kind) {
  TransferRequest request;
  request.url = QUrl(url);
  request.kind = kind;
  request.image = dataImageRule(QFileInfo(localPath).fileName());
  // Beside the target, so that the final rename never crosses file systems;
  // the target itself is never written directly.
  request.targetPath = localPath;
  return runTransfer(request).ok();
}

bool FetchUrlBytes(const QString& url, QByteArray& bytes) {
  TransferRequest request;
  request.url = QUrl(url);
  request.kind = BodyKind::Text;
  TransferResult result = runTransfer(request);
  if (!result.ok()) return false;
  bytes = std::move(result.body);
  return true;
}

bool FetchUrlText(const QString& url, QString& text) {
  QByteArray bytes;
  if (!FetchUrlBytes(url, bytes)) return false;
  text = fromSjis(bytes);
  return true;
}

bool IsInternetConnected() {
  // The system's network information lives on the window's thread: asked
  // there, and the answer kept for the runs on threads of their own (which
  // ask the window's thread when they start).
  static std::atomic<bool> connected{true};
  if (!onWindowThread()) return connected.load();
  static bool loaded = QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
  connected = !loaded || !QNetworkInformation::instance() ||
              QNetworkInformation::instance()->reachability() != QNetworkInformation::Reachability::Disconnected;
  return connected.load();
}

bool UrlMayAnswer(const QString& url) {
  const QUrl address(url);
  if (!isWebAddress(address)) return false;
  // A server on this machine (the sample server) answers without any network.
  return namesThisMachine(address) || IsInternetConnected();
}

bool UrlReachable(const QString& url, Prompts* prompts) {
  const QUrl address(url);
  if (!UrlMayAnswer(url)) return false;
  if (prompts) prompts->setWaitCursor(true);
  TransferRequest request;
  request.url = address;
  request.kind = BodyKind::Probe;
  const bool answered = runTransfer(request).ok();
  if (prompts) prompts->setWaitCursor(false);
  return answered;
}

bool EnsureFolder(const QString& path, Prompts& prompts) {
  if (FolderExists(path)) return true;
  const QByteArray native = QFile::encodeName(QDir::toNativeSeparators(path));
  if (::mkdir(native.constData(), 0777) == 0) return true;
  const int err = errno;
  prompts.message(QString::fromLocal8Bit(std::strerror(err)), MessageIcon::Warning);
  prompts.message(QCoreApplication::translate("kavalo::Network", "フォルダ%1を作成できませんでした。").arg(path),
                  MessageIcon::Warning);
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
