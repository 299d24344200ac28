// SPDX-License-Identifier: MIT
#include "net/Transfer.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStorageInfo>
#include <algorithm>
#include <mutex>

#include "net/PartFile.h"
#include "net/Unzip.h"
#include "platform/Logging.h"

namespace kavalo {

namespace {

std::mutex g_mutex;
NetworkTimeouts g_timeouts;
BodyLimits g_limits;

// An image's header comes within this many bytes or the body is no image.
constexpr qsizetype kImageHeadBytes = 256 * 1024;
constexpr int kMaxRedirects = 10;
// The HTTP layer's read-ahead. It bounds what a fast server can pile up in
// memory before it is read and judged; it is not smaller because the layer
// misses a connection closed while more than its read-ahead waits unread
// (the request then ends by the stall limit instead of at once).
constexpr qint64 kReadAhead = 1024 * 1024;

// The body's announced length, or -1. A length announced twice must agree
// with itself (the HTTP layer joins repeated headers with commas).
qint64 announcedLength(const QNetworkReply* reply) {
  if (reply->hasRawHeader("Content-Encoding") || !reply->hasRawHeader("Content-Length")) return -1;
  qint64 length = -1;
  for (const QByteArray& value : reply->rawHeader("Content-Length").split(',')) {
    bool ok = false;
    const qint64 n = value.trimmed().toLongLong(&ok);
    if (!ok || n < 0 || (length >= 0 && n != length)) return -1;
    length = n;
  }
  return length;
}

// A reply no longer wanted. One the HTTP layer has judged already (an error
// status), or a probe's small answer all but done, is ended by the layer
// itself (ended here too it would be ended twice): it goes when it is done,
// its body unread and held at the read-ahead.
void release(QNetworkReply* reply, bool letItEnd) {
  if (reply->isFinished()) {
    reply->deleteLater();
  } else if (reply->error() != QNetworkReply::NoError || letItEnd) {
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
  } else {
    reply->abort();
    reply->deleteLater();
  }
}

bool isWebScheme(const QUrl& url) { return url.scheme() == u"http" || url.scheme() == u"https"; }

QString userAgent() {
  const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  return name.isEmpty() ? QStringLiteral("kavalo") : name;
}

QString sizeText(qint64 bytes) {
  if (bytes >= (qint64(1) << 20)) return QStringLiteral("%1 MiB").arg(bytes >> 20);
  if (bytes >= 1024) return QStringLiteral("%1 KiB").arg(bytes >> 10);
  const int count = static_cast<int>(bytes);  // below 1024 here
  return QCoreApplication::translate("kavalo::Transfer", "%nバイト", nullptr, count);
}

// The network layer's reason in the interface's language: its own text
// comes in whatever language its translations give (or none), and a message
// that mixes two is read by no one.
QString networkErrorText(QNetworkReply::NetworkError e) {
  switch (e) {
    case QNetworkReply::ConnectionRefusedError:
      return QCoreApplication::translate("kavalo::Transfer", "接続を拒否されました");
    case QNetworkReply::RemoteHostClosedError:
      return QCoreApplication::translate("kavalo::Transfer", "接続が閉じられました");
    case QNetworkReply::HostNotFoundError:
      return QCoreApplication::translate("kavalo::Transfer", "サーバーが見つかりません");
    case QNetworkReply::TimeoutError:
      return QCoreApplication::translate("kavalo::Transfer", "応答がありません");
    case QNetworkReply::SslHandshakeFailedError:
      return QCoreApplication::translate("kavalo::Transfer", "暗号化通信を始められません");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
      return QCoreApplication::translate("kavalo::Transfer", "ネットワークが使えません");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
      return QCoreApplication::translate("kavalo::Transfer", "プロキシに接続できません");
    case QNetworkReply::TooManyRedirectsError:
      return QCoreApplication::translate("kavalo::Transfer", "転送が多すぎます");
    case QNetworkReply::InsecureRedirectError:
      return QCoreApplication::translate("kavalo::Transfer", "暗号化されていないアドレスへ転送されました");
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
      return QCoreApplication::translate("kavalo::Transfer", "ウェブのアドレスではありません");
    case QNetworkReply::ProtocolFailure:
      return QCoreApplication::translate("kavalo::Transfer", "通信が乱れました");
    default:
      return QCoreApplication::translate("kavalo::Transfer", "通信の誤り（%1）").arg(static_cast<int>(e));
  }
}

TransferOutcome outcomeOfError(QNetworkReply::NetworkError e) {
  switch (e) {
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:  // the transfer timeout of the request
      return TransferOutcome::TimedOut;
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::InsecureRedirectError:
      return TransferOutcome::NotWeb;
    case QNetworkReply::TooManyRedirectsError:
      return TransferOutcome::HttpError;
    default:
      return TransferOutcome::Unreachable;
  }
}

}  // namespace

void setNetworkTimeouts(const NetworkTimeouts& timeouts) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_timeouts = timeouts;
}

NetworkTimeouts networkTimeouts() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_timeouts;
}

void setBodyLimits(const BodyLimits& limits) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_limits = limits;
}

BodyLimits bodyLimits() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return g_limits;
}

QString outcomeName(TransferOutcome outcome) {
  switch (outcome) {
    case TransferOutcome::Ok:
      return QCoreApplication::translate("kavalo::Transfer", "取得しました");
    case TransferOutcome::Absent:
      return QCoreApplication::translate("kavalo::Transfer", "サーバーにありません");
    case TransferOutcome::HttpError:
      return QCoreApplication::translate("kavalo::Transfer", "サーバーが断りました");
    case TransferOutcome::Unreachable:
      return QCoreApplication::translate("kavalo::Transfer", "接続できません");
    case TransferOutcome::TimedOut:
      return QCoreApplication::translate("kavalo::Transfer", "時間切れです");
    case TransferOutcome::TooSlow:
      return QCoreApplication::translate("kavalo::Transfer", "遅すぎます");
    case TransferOutcome::TooLarge:
      return QCoreApplication::translate("kavalo::Transfer", "大きすぎます");
    case TransferOutcome::CutShort:
      return QCoreApplication::translate("kavalo::Transfer", "途中で切れました");
    case TransferOutcome::NotWeb:
      return QCoreApplication::translate("kavalo::Transfer", "ウェブのアドレスではありません");
    case TransferOutcome::WriteFailed:
      return QCoreApplication::translate("kavalo::Transfer", "書き込めません");
    case TransferOutcome::BadBody:
      return QCoreApplication::translate("kavalo::Transfer", "求めたものではありません");
    case TransferOutcome::Aborted:
      return QCoreApplication::translate("kavalo::Transfer", "中止しました");
  }
  return QString();
}

QString TransferResult::describe(const QUrl& url) const {
  QString text = url.toString(QUrl::RemoveUserInfo) + QStringLiteral(": ") + outcomeName(outcome);
  if (httpStatus > 0) text += QCoreApplication::translate("kavalo::Transfer", "（HTTP %1）").arg(httpStatus);
  if (!errorText.isEmpty())
    text += QCoreApplication::translate("kavalo::Transfer", "、%1", "the reason after the outcome").arg(errorText);
  return text;
}

Transfer::Transfer(QNetworkAccessManager* manager, TransferRequest request, QObject* parent)
    : QObject(parent), manager_(manager), request_(std::move(request)) {
  deadline_.setSingleShot(true);
  deadline_.setTimerType(Qt::PreciseTimer);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    fail(TransferOutcome::TimedOut, QCoreApplication::translate("kavalo::Transfer", "%1秒以内に全体が届きません")
                                        .arg(deadline_.interval() / 1000.0));
  });
  connect(&rateTimer_, &QTimer::timeout, this, &Transfer::checkRate);
}

Transfer::~Transfer() {
  if (!running_) return;
  running_ = false;
  dropReply();
  if (part_) part_->cancel();
}

void Transfer::start() {
  if (running_) return;
  running_ = true;
  result_ = TransferResult();
  head_.clear();
  headerChecked_ = false;
  declared_ = -1;
  redirects_ = 0;
  errorPageBytes_ = 0;
  samples_.clear();
  const NetworkTimeouts t = networkTimeouts();
  const BodyLimits limits = bodyLimits();
  auto later = [this](TransferOutcome outcome, const QString& text) {
    QMetaObject::invokeMethod(
        this, [this, outcome, text] { fail(outcome, text); }, Qt::QueuedConnection);
  };

  const QUrl& url = request_.url;
  if (!url.isValid() || !isWebScheme(url) || url.host().isEmpty()) {
    later(TransferOutcome::NotWeb,
          QCoreApplication::translate("kavalo::Transfer", "http と https のアドレスだけを使います"));
    return;
  }
  switch (request_.kind) {
    case BodyKind::Text:
      cap_ = limits.textBytes;
      break;
    case BodyKind::Image:
      cap_ = limits.imageBytes;
      break;
    case BodyKind::Package:
      cap_ = limits.packageBytes;
      break;
    case BodyKind::Probe:
      cap_ = 0;
      break;
  }
  if (request_.maxBytes > 0) cap_ = std::min(cap_, request_.maxBytes);
  if (!request_.targetPath.isEmpty()) {
    const QString folder = QFileInfo(request_.targetPath).absolutePath();
    if (request_.kind == BodyKind::Package) {
      // A package never takes the last of its volume: the unpacked files
      // need room too, and so does everything else on the machine.
      const QStorageInfo volume(folder);
      if (volume.isValid() && volume.isReady()) {
        const qint64 room = volume.bytesAvailable() - limits.freeSpaceMargin;
        if (room <= 0) {
          later(TransferOutcome::WriteFailed,
                QCoreApplication::translate("kavalo::Transfer", "%1 のディスクに空きがありません").arg(folder));
          return;
        }
        cap_ = std::min(cap_, room);
      }
    }
    part_ = std::make_unique<PartFile>(request_.targetPath);
    if (!part_->open()) {
      later(TransferOutcome::WriteFailed,
            QCoreApplication::translate("kavalo::Transfer", "%1 に書き込めません").arg(folder));
      return;
    }
  }

  clock_.start();
  send(url);
  const int deadline = request_.kind == BodyKind::Package ? t.totalMs : std::min(t.shortDeadlineMs, t.totalMs);
  deadline_.start(deadline);
  if (request_.kind != BodyKind::Probe && t.rateWindowMs > 0 && t.minBytesPerWindow > 0) {
    samples_.emplace_back(0, 0);
    rateTimer_.start(std::clamp(t.rateWindowMs / 10, 10, 1000));
  }
}

void Transfer::send(const QUrl& url) {
  QNetworkRequest r(url);
  r.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
  // Nothing comes from a cache: each request goes to the server.
  r.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  r.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  r.setRawHeader("Cache-Control", "no-cache");
  r.setRawHeader("Pragma", "no-cache");
  r.setTransferTimeout(networkTimeouts().stallMs);
  // Redirects are followed here, each with a request of its own: the HTTP
  // layer's own following keeps the first answer's headers under the next
  // one's and loses bodies of redirect answers now and then.
  r.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);

  reply_ = manager_->get(r);
  // The HTTP layer holds no more than this ahead of what is read here: a
  // body read as it arrives never piles up in memory, however fast it comes.
  reply_->setReadBufferSize(kReadAhead);
  connect(reply_, &QNetworkReply::metaDataChanged, this, &Transfer::onHeaders);
  connect(reply_, &QNetworkReply::readyRead, this, &Transfer::onData);
  connect(reply_, &QNetworkReply::finished, this, &Transfer::onReplyFinished);
}

void Transfer::abort() {
  if (running_) finish(TransferOutcome::Aborted, QString());
}

// Follows the redirect the current answer announces; false when it names
// no address (the answer then ends as the server's refusal).
bool Transfer::followRedirect() {
  const QByteArray location = reply_->rawHeader("Location").trimmed();
  if (location.isEmpty()) return false;
  const QUrl from = reply_->url();
  const QUrl to = from.resolved(QUrl::fromEncoded(location));
  const bool downgrade = from.scheme() == u"https" && to.scheme() == u"http";
  if (!to.isValid() || !isWebScheme(to) || to.host().isEmpty() || downgrade) {
    fail(TransferOutcome::NotWeb,
         QCoreApplication::translate("kavalo::Transfer", "%1 へ転送されました").arg(to.toString(QUrl::RemoveUserInfo)));
    return true;
  }
  if (++redirects_ > kMaxRedirects) {
    fail(TransferOutcome::HttpError, networkErrorText(QNetworkReply::TooManyRedirectsError));
    return true;
  }
  QNetworkReply* old = reply_;
  disconnect(old, nullptr, this, nullptr);
  release(old, false);
  send(to);
  return true;
}

void Transfer::onHeaders() {
  if (!reply_) return;
  const QVariant status = reply_->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (!status.isValid()) return;
  const int code = status.toInt();
  if (request_.kind == BodyKind::Probe) {
    // Any answer of the server is what was asked; no byte of the body is read.
    result_.httpStatus = code;
    finish(TransferOutcome::Ok, QString());
    return;
  }
  // An interim answer (1xx) is no answer yet: the final one follows.
  if (code < 200) return;
  if (code >= 300 && code < 400 && followRedirect()) return;
  if (result_.httpStatus != 0) return;    // announced again
  result_.httpStatus = code;
  // The page of an error status is read past (the HTTP layer ends such a
  // reply by itself; ended here it would be ended twice) but never kept,
  // and never read beyond a text file's cap.
  if (code < 200 || code >= 300) return;
  declared_ = announcedLength(reply_);
  if (declared_ > cap_)
    fail(TransferOutcome::TooLarge, QCoreApplication::translate("kavalo::Transfer", "%1と告げられました（上限%2）")
                                        .arg(sizeText(declared_), sizeText(cap_)));
  else if (declared_ > 0 && !part_)
    result_.body.reserve(static_cast<qsizetype>(declared_));
}

bool Transfer::take(const QByteArray& piece) {
  if (piece.isEmpty()) return true;
  result_.bytes += piece.size();
  if (result_.bytes > cap_) {
    fail(TransferOutcome::TooLarge,
         QCoreApplication::translate("kavalo::Transfer", "%1を超えました").arg(sizeText(cap_)));
    return false;
  }
  if (request_.kind == BodyKind::Image && !headerChecked_) {
    // The sides are read from the header before anything is decoded: a
    // small file can hold an image of thousands of pixels a side.
    if (part_) head_ += piece.left(kImageHeadBytes - head_.size());
    const QByteArray& prefix = part_ ? head_ : result_.body;
    const ImageHeader header = parseImageHeader(part_ ? prefix : prefix + piece);
    if (header.state != ImageHeader::State::NeedMore) {
      headerChecked_ = true;
      const QString why = headerRefusal(header, request_.image);
      if (!why.isEmpty()) {
        // An image of the right kind refused for its sides is too large; any
        // other refusal is a body that is not the image asked for.
        const bool rightKind = header.state == ImageHeader::State::Known &&
                               (request_.image.format.isEmpty() || header.format == request_.image.format);
        fail(rightKind ? TransferOutcome::TooLarge : TransferOutcome::BadBody, why);
        return false;
      }
    }
  }
  if (part_) {
    if (!part_->write(piece.constData(), piece.size())) {
      fail(TransferOutcome::WriteFailed,
           QCoreApplication::translate("kavalo::Transfer", "%1 に書き込めません").arg(request_.targetPath));
      return false;
    }
  } else {
    result_.body += piece;
  }
  emit progress(result_.bytes, declared_);
  return true;
}

void Transfer::onData() {
  if (!reply_ || !running_) return;
  // The data may come before the headers were announced (on a connection
  // kept from an earlier request): the status is taken from the reply.
  if (result_.httpStatus == 0) onHeaders();
  if (!running_) return;
  if (result_.httpStatus < 200 || result_.httpStatus >= 300) {
    if (result_.httpStatus == 0) return;
    errorPageBytes_ += reply_->skip(reply_->bytesAvailable());
    if (errorPageBytes_ > bodyLimits().textBytes) failForStatus();
    return;
  }
  // Read in pieces no larger than what the cap still allows, so that a
  // burst past the cap is never held.
  while (running_ && reply_ && reply_->bytesAvailable() > 0) {
    const qint64 room = cap_ - result_.bytes + 1;
    if (!take(reply_->read(std::min<qint64>({reply_->bytesAvailable(), qint64(64) * 1024, room})))) return;
  }
}

void Transfer::checkRate() {
  if (!running_ || result_.httpStatus == 0) return;
  const NetworkTimeouts t = networkTimeouts();
  const qint64 now = clock_.elapsed();
  samples_.emplace_back(now, result_.bytes);
  while (samples_.size() > 2 && samples_[1].first <= now - t.rateWindowMs) samples_.pop_front();
  const auto& [then, bytesThen] = samples_.front();
  // Judged once a whole window has passed since the request went out.
  if (now - then >= t.rateWindowMs && result_.bytes - bytesThen < t.minBytesPerWindow)
    fail(TransferOutcome::TooSlow, QCoreApplication::translate("kavalo::Transfer", "直近%2秒で%1")
                                       .arg(sizeText(result_.bytes - bytesThen))
                                       .arg(t.rateWindowMs / 1000.0));
}

void Transfer::onReplyFinished() {
  if (!reply_ || !running_) return;
  QNetworkReply* reply = reply_;
  const QNetworkReply::NetworkError error = reply->error();
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (status.isValid() && result_.httpStatus == 0) {
    onHeaders();
    if (!running_ || reply_ != reply) return;  // ended, or on to a redirect's address
  }
  if (error == QNetworkReply::NoError) {
    onData();
    if (!running_) return;
  }
  const QString qtText = error == QNetworkReply::OperationCanceledError
                             ? QCoreApplication::translate("kavalo::Transfer", "%1秒間何も届きません")
                                   .arg(networkTimeouts().stallMs / 1000.0)
                             : networkErrorText(error);
  if (!status.isValid()) {
    // No answer at all; a connection closed before the status line is a
    // server that did not answer.
    fail(outcomeOfError(error), qtText);
    return;
  }
  if (result_.httpStatus != 0 && (result_.httpStatus < 200 || result_.httpStatus >= 300)) {
    failForStatus();
    return;
  }
  if (error != QNetworkReply::NoError) {
    const bool cut = error == QNetworkReply::RemoteHostClosedError || error == QNetworkReply::ProtocolFailure;
    fail(cut ? TransferOutcome::CutShort : outcomeOfError(error), qtText);
    return;
  }
  // The HTTP layer may take a connection closed in the middle of a body
  // for its end: the length is counted here.
  if (declared_ >= 0 && result_.bytes != declared_) {
    fail(TransferOutcome::CutShort, QCoreApplication::translate("kavalo::Transfer", "%2のうち%1だけ届きました")
                                        .arg(sizeText(result_.bytes), sizeText(declared_)));
    return;
  }
  // The answer is whole as far as the network goes: its connection takes
  // the next request while the body is checked. The check waits behind the
  // other answers already in, so that their connections are given their
  // next requests first.
  dropReply();
  emit answered();
  QMetaObject::invokeMethod(this, &Transfer::checkBody, Qt::QueuedConnection);
}

void Transfer::checkBody() {
  if (!running_) return;
  if (request_.kind == BodyKind::Image) {
    QByteArray whole;
    if (part_) {
      part_->flush();
      QFile file(part_->fileName());
      if (file.open(QIODevice::ReadOnly)) whole = file.read(cap_ + 1);
    }
    const QString why = imageWholeRefusal(part_ ? whole : result_.body, request_.image);
    if (!why.isEmpty()) {
      // A body cut in the middle of a chunk ends an image early.
      fail(declared_ < 0 ? TransferOutcome::CutShort : TransferOutcome::BadBody, why);
      return;
    }
  }
  if (request_.kind == BodyKind::Package && part_) {
    part_->flush();
    if (!zipEndsWhole(part_->fileName())) {
      // A package that does not end with its archive's end record did not
      // arrive whole: the network's fault, not the unpacker's.
      fail(TransferOutcome::CutShort,
           QCoreApplication::translate("kavalo::Transfer", "パッケージが終わりの記録の前で切れています"));
      return;
    }
  }
  if (part_ && !part_->commit()) {
    fail(TransferOutcome::WriteFailed,
         QCoreApplication::translate("kavalo::Transfer", "%1 に書き込めません").arg(request_.targetPath));
    return;
  }
  finish(TransferOutcome::Ok, QString());
}

void Transfer::fail(TransferOutcome outcome, const QString& text) { finish(outcome, text); }

void Transfer::failForStatus() {
  const int code = result_.httpStatus;
  const bool absent = code == 404 || code == 410;
  if (code >= 300 && code < 400) {  // a redirect that names no address
    fail(TransferOutcome::HttpError, QCoreApplication::translate("kavalo::Transfer", "転送先へは進みません"));
    return;
  }
  // The status tells what the server meant; its reason phrase is the
  // server's own words in its own language, so it is left out.
  fail(absent ? TransferOutcome::Absent : TransferOutcome::HttpError, QString());
}

void Transfer::dropReply() {
  deadline_.stop();
  rateTimer_.stop();
  if (!reply_) return;
  QNetworkReply* reply = reply_;
  reply_ = nullptr;
  disconnect(reply, nullptr, this, nullptr);
  release(reply, request_.kind == BodyKind::Probe);
}

void Transfer::finish(TransferOutcome outcome, const QString& text) {
  if (!running_) return;
  running_ = false;
  dropReply();
  result_.outcome = outcome;
  result_.errorText = text;
  if (outcome != TransferOutcome::Ok) {
    result_.body.clear();
    if (part_) part_->cancel();
    // Every request that failed says why; a tile the server has not got and a
    // request stopped on purpose are no faults.
    const QString line = result_.describe(request_.url);
    if (outcome == TransferOutcome::Absent || outcome == TransferOutcome::Aborted)
      qCDebug(lcNet).noquote() << line;
    else
      qCWarning(lcNet).noquote() << line;
  }
  part_.reset();
  emit finished();
}

}  // namespace kavalo
