// SPDX-License-Identifier: MIT
#pragma once
// One GET, asynchronous and bounded: the single way the program asks a
// server for anything. A Transfer runs on the QNetworkAccessManager it is
// given (so on that manager's thread), reports through signals and never
// runs an event loop of its own.
//
// Every body is bounded by what it is before it is read: a Content-Length
// beyond the kind's cap is refused before the first byte, and the bytes are
// counted as they arrive. Every request has a stall limit, an overall
// deadline fitted to its kind and a minimum rate, so neither an endless nor
// a trickled body can hold a run. Success is a 2xx status, no error and a
// whole body; an image must also decode whole within what its source can
// deliver, and a package must end with its archive's end record (a body cut
// mid-chunk may be reported whole by the HTTP layer; what it holds is not).
// A body bound for a file is written to a part file beside the target and
// renamed over it only then.
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <deque>
#include <memory>
#include <utility>

#include "render/ImageCheck.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace kavalo {

class PartFile;

// What a body is decides how much of it may come and how long it may take.
enum class BodyKind {
  Text,     // a server check, a server list, a package count
  Image,    // a tile, an agency piece, a map-service cell
  Package,  // a zip package
  Probe,    // only whether the server answers: the status line, no body
};

// The time limits of every request (tests shorten them).
struct NetworkTimeouts {
  int stallMs = 20000;                   // no byte for this long: the request fails
  int totalMs = 30 * 60 * 1000;          // nothing runs longer (a package may take this long)
  int shortDeadlineMs = 60 * 1000;       // a text file, an image or a probe
  int rateWindowMs = 60 * 1000;          // the minimum rate is judged over this window...
  qint64 minBytesPerWindow = 60 * 1024;  // ...1 KiB/s: fewer bytes in the last window fail
};
void setNetworkTimeouts(const NetworkTimeouts& timeouts);
NetworkTimeouts networkTimeouts();

// The size limits of every body (tests lower them).
struct BodyLimits {
  qint64 textBytes = qint64(1) << 20;         // 1 MiB
  qint64 imageBytes = qint64(16) << 20;       // 16 MiB
  qint64 packageBytes = qint64(1) << 30;      // 1 GiB
  qint64 freeSpaceMargin = qint64(64) << 20;  // a package leaves this much of its volume free
  qint64 unpackedBytes = qint64(1) << 30;     // what one package's entries may declare together
};
void setBodyLimits(const BodyLimits& limits);
BodyLimits bodyLimits();

// How a request ended; the runs tell "no data here" from a failure.
enum class TransferOutcome {
  Ok,           // 2xx and the whole body
  Absent,       // 404 or 410: the server has nothing here
  HttpError,    // any other status (5xx, 403, a redirect not followed)
  Unreachable,  // refused, no such host, no route, the TLS handshake failed
  TimedOut,     // no byte for the stall time, or past the deadline
  TooSlow,      // fewer bytes in the last window than the minimum rate
  TooLarge,     // more than the kind allows (declared, as it arrived, or an image's sides)
  CutShort,     // the connection ended before the body did
  NotWeb,       // not an http(s) address, or a redirect to one that is not
  WriteFailed,  // the part file could not be written or renamed (a full disk)
  BadBody,      // a whole body that is not what it claims (a page instead of an image)
  Aborted,      // abort() was called
};

// "ok", "absent", ...: for messages and logs.
QString outcomeName(TransferOutcome outcome);

struct TransferRequest {
  QUrl url;
  BodyKind kind = BodyKind::Text;
  // Empty: the body stays in memory (TransferResult::body). Otherwise the
  // file the body replaces when it is whole; its folder must exist.
  QString targetPath;
  // 0: the kind's cap; otherwise the smaller of the two.
  qint64 maxBytes = 0;
  // For images: the format and sides the source may send.
  ImageRule image;
};

struct TransferResult {
  TransferOutcome outcome = TransferOutcome::Aborted;
  int httpStatus = 0;  // 0 when no status line came
  QString errorText;   // Qt's error text or the bound that was hit; empty on success
  qint64 bytes = 0;    // body bytes received
  QByteArray body;     // a memory body (empty for a file body and on failure)

  bool ok() const { return outcome == TransferOutcome::Ok; }
  // "http://…: 503 …": the address, the status and the reason, for a log line
  // or a message.
  QString describe(const QUrl& url) const;
};

class Transfer : public QObject {
  Q_OBJECT

 public:
  // manager must outlive the transfer and live on the transfer's thread.
  Transfer(QNetworkAccessManager* manager, TransferRequest request, QObject* parent = nullptr);
  // A transfer still running is abandoned without finished().
  ~Transfer() override;

  // Sends the request. A request that cannot start (not a web address, no
  // room for a package, a part file that cannot be made) finishes from the
  // event loop, so finished() always comes after start() has returned.
  void start();
  // Ends the transfer at once: the request is dropped, a part file removed,
  // the outcome is Aborted and finished() is emitted before abort() returns.
  // Nothing happens when the transfer is not running.
  void abort();

  bool isRunning() const { return running_; }
  const TransferRequest& request() const { return request_; }
  const TransferResult& result() const { return result_; }
  // The result with the body moved out.
  TransferResult takeResult() { return std::move(result_); }

 signals:
  // Body bytes so far and the declared length (-1 when none).
  void progress(qint64 received, qint64 total);
  // The whole answer has come in: the connection is free for another
  // request. Its body is checked and put in place next, and finished()
  // follows (also when the body is refused). Not told for an answer that
  // fails before its body is whole.
  void answered();
  // Exactly once per start().
  void finished();

 private:
  void onHeaders();
  void onData();
  void onReplyFinished();
  void checkBody();
  bool followRedirect();
  void send(const QUrl& url);
  void checkRate();
  bool take(const QByteArray& piece);
  void fail(TransferOutcome outcome, const QString& text);
  void failForStatus();
  void finish(TransferOutcome outcome, const QString& text);
  void dropReply();

  QNetworkAccessManager* manager_;
  TransferRequest request_;
  TransferResult result_;
  QPointer<QNetworkReply> reply_;
  std::unique_ptr<PartFile> part_;
  QByteArray head_;  // the first bytes of an image bound for a file
  bool headerChecked_ = false;
  bool running_ = false;
  qint64 cap_ = 0;
  qint64 declared_ = -1;
  int redirects_ = 0;  // redirects followed so far
  qint64 errorPageBytes_ = 0;
  QTimer deadline_;
  QTimer rateTimer_;
  QElapsedTimer clock_;
  std::deque<std::pair<qint64, qint64>> samples_;  // (ms since start, bytes) each check
};

}  // namespace kavalo
