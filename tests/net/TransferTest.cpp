// SPDX-License-Identifier: MIT
// One request against servers that misbehave, on purpose or not: every body
// is bounded by its kind, every wait by a limit, and only a whole body
// counts; nothing is left behind by a request that failed.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "net/CancelToken.h"
#include "net/Network.h"
#include "net/Transfer.h"
#include "net/ZipFixture.h"
#include "render/ImageLibrary.h"
#include "support/Fixtures.h"
#include "support/LoopbackServer.h"

using namespace kavalo;
using kavalo::test::LoopbackServer;
using kavalo::test::RawServer;

namespace {

constexpr qint64 kTextCap = 64 * 1024, kImageCap = 256 * 1024, kPackageCap = 512 * 1024;

// Limits a test can wait for: stall 0.4 s, a window of 0.6 s that needs
// 2 KiB, 3 s for a text or an image, caps of a few hundred KiB.
struct ShortLimits {
  NetworkTimeouts savedTimes = networkTimeouts();
  BodyLimits savedLimits = bodyLimits();
  ShortLimits() {
    setNetworkTimeouts({400, 5000, 3000, 600, 2048});
    setBodyLimits({kTextCap, kImageCap, kPackageCap, 0});
  }
  ~ShortLimits() {
    setNetworkTimeouts(savedTimes);
    setBodyLimits(savedLimits);
  }
};

QByteArray tilePng() {
  QImage image(256, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) image.setPixel(x, y, qRgb(x, y, (x * y) & 255));
  return encodePng(image);
}

QByteArray tileJpeg() {
  QImage image(256, 256, QImage::Format_RGB32);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) image.setPixel(x, y, qRgb(x, 255 - y, (x ^ y) & 255));
  return encodeJpeg(image, 80);
}

QByteArray packageZip() {
  QTemporaryDir dir;
  return test::readBytes(test::makeZip(dir.path() + QStringLiteral("/p.zip"), {{"000_000.png", tilePng()}}));
}

QStringList filesIn(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

}  // namespace

TEST(Transfer, HostileAnswersHitTheirBoundAndLeaveNothing) {
  ShortLimits limits;
  LoopbackServer server;
  const QByteArray png = tilePng(), jpeg = tileJpeg(), zip = packageZip();
  server.serve(QStringLiteral("/ok.png"), png);
  server.serve(QStringLiteral("/ok.zip"), zip);
  server.serveEndless(QStringLiteral("/endless.txt"), QByteArray(4096, 'x'));
  server.serveEndless(QStringLiteral("/endless.png"), png);
  server.serveEndless(QStringLiteral("/endless.zip"), zip);
  server.serveEndless(QStringLiteral("/huge-length.zip"), zip, qint64(64) << 30);
  server.serveTrickle(QStringLiteral("/trickle.txt"), QByteArray(10000, 't'), 30);
  server.serveStall(QStringLiteral("/stall.txt"), "12", 1);
  server.serveDropped(QStringLiteral("/cut.txt"), QByteArray(4000, 'c'), 1000);
  server.serve(QStringLiteral("/bomb.png"), test::hugePng(5790, 5790));
  server.serve(QStringLiteral("/third.jpg"), jpeg.left(jpeg.size() / 3));
  server.serve(QStringLiteral("/third.png"), png.left(png.size() / 3));
  server.serve(QStringLiteral("/page.png"), "<html><body>busy</body></html>");
  server.serve(QStringLiteral("/gone.png"), "", 404);
  server.serve(QStringLiteral("/removed.png"), "", 410);
  server.serve(QStringLiteral("/busy.png"), "", 503);
  server.http().Get("/moved.png", [](const httplib::Request&, httplib::Response& res) {
    res.status = 301;
    res.set_header("Location", "/ok.png");
  });
  // A redirect's own answer announces a length of its own; the answer it
  // leads to may announce none (chunked) or another.
  server.http().Get("/moved-page.png", [](const httplib::Request&, httplib::Response& res) {
    res.status = 301;
    res.set_header("Location", "/chunked.png");
    res.set_content("<html><body>moved</body></html>", "text/html");
  });
  server.http().Get("/chunked.png", [png](const httplib::Request&, httplib::Response& res) {
    res.set_chunked_content_provider("image/png", [png](size_t offset, httplib::DataSink& sink) {
      if (offset >= static_cast<size_t>(png.size())) {
        sink.done();
        return true;
      }
      const size_t n = std::min<size_t>(4096, static_cast<size_t>(png.size()) - offset);
      return sink.write(png.constData() + offset, n);
    });
  });
  server.http().Get("/moved-twice.png", [](const httplib::Request&, httplib::Response& res) {
    res.status = 302;
    res.set_header("Location", "/moved.png");
    res.set_content("elsewhere", "text/plain");
  });
  server.http().Get("/loop", [](const httplib::Request&, httplib::Response& res) {
    res.status = 307;
    res.set_header("Location", "/loop");
  });
  server.http().Get("/nowhere", [](const httplib::Request&, httplib::Response& res) { res.status = 302; });
  server.http().Get("/to-file", [](const httplib::Request&, httplib::Response& res) {
    res.status = 302;
    res.set_header("Location", "file:///etc/hostname");
  });
  server.start();
  // A chunk that announces 4096 bytes, brings 100 and closes, after the
  // start of a real image or package.
  const QByteArray chunked(
      "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nTransfer-Encoding: chunked\r\n\r\n1000\r\n");
  RawServer cutPng(chunked + png.left(100));
  RawServer cutZip(chunked + zip.left(100));

  struct Case {
    const char* what;
    QString url;
    BodyKind kind;
    bool toFile;
    TransferOutcome outcome;
    qint64 maxBytes;  // the bytes read stay at or below this
  };
  const QString refused = QStringLiteral("http://127.0.0.1:%1/x.png").arg(test::deadPort());
  const std::vector<Case> cases = {
      {"whole image", server.url("/ok.png"), BodyKind::Image, true, TransferOutcome::Ok, png.size()},
      {"whole package", server.url("/ok.zip"), BodyKind::Package, true, TransferOutcome::Ok, zip.size()},
      {"image moved on the same server", server.url("/moved.png"), BodyKind::Image, true, TransferOutcome::Ok,
       png.size()},
      {"moved from a page to a chunked image", server.url("/moved-page.png"), BodyKind::Image, true,
       TransferOutcome::Ok, png.size()},
      {"moved twice", server.url("/moved-twice.png"), BodyKind::Image, true, TransferOutcome::Ok, png.size()},
      {"endless text", server.url("/endless.txt"), BodyKind::Text, false, TransferOutcome::TooLarge, kTextCap + 4096},
      {"endless image", server.url("/endless.png"), BodyKind::Image, true, TransferOutcome::TooLarge,
       kImageCap + png.size()},
      {"endless package", server.url("/endless.zip"), BodyKind::Package, true, TransferOutcome::TooLarge,
       kPackageCap + zip.size()},
      {"64 GiB declared", server.url("/huge-length.zip"), BodyKind::Package, true, TransferOutcome::TooLarge, 0},
      {"trickled text", server.url("/trickle.txt"), BodyKind::Text, false, TransferOutcome::TooSlow, 1000},
      {"stalled text", server.url("/stall.txt"), BodyKind::Text, false, TransferOutcome::TimedOut, 1},
      {"length cut", server.url("/cut.txt"), BodyKind::Text, false, TransferOutcome::CutShort, 1000},
      {"chunk cut image", cutPng.url("/t.png"), BodyKind::Image, false, TransferOutcome::CutShort, 100},
      {"chunk cut image to file", cutPng.url("/t.png"), BodyKind::Image, true, TransferOutcome::CutShort, 100},
      {"chunk cut package", cutZip.url("/00.zip"), BodyKind::Package, true, TransferOutcome::CutShort, 100},
      {"5790 x 5790 PNG", server.url("/bomb.png"), BodyKind::Image, false, TransferOutcome::TooLarge, 64 * 1024},
      {"truncated JPEG", server.url("/third.jpg"), BodyKind::Image, true, TransferOutcome::BadBody, jpeg.size()},
      {"truncated PNG", server.url("/third.png"), BodyKind::Image, false, TransferOutcome::BadBody, png.size()},
      {"page for an image", server.url("/page.png"), BodyKind::Image, true, TransferOutcome::BadBody, 100},
      {"404", server.url("/gone.png"), BodyKind::Image, true, TransferOutcome::Absent, 0},
      {"410", server.url("/removed.png"), BodyKind::Image, false, TransferOutcome::Absent, 0},
      {"503", server.url("/busy.png"), BodyKind::Image, true, TransferOutcome::HttpError, 0},
      {"refused", refused, BodyKind::Image, true, TransferOutcome::Unreachable, 0},
      {"file address", QStringLiteral("file:///etc/hostname"), BodyKind::Text, false, TransferOutcome::NotWeb, 0},
      {"redirect loop", server.url("/loop"), BodyKind::Text, false, TransferOutcome::HttpError, 0},
      {"redirect to no address", server.url("/nowhere"), BodyKind::Text, false, TransferOutcome::HttpError, 0},
      {"redirect to a file", server.url("/to-file"), BodyKind::Text, false, TransferOutcome::NotWeb, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    TransferRequest request;
    request.url = QUrl(c.url);
    request.kind = c.kind;
    if (c.toFile) request.targetPath = dir.path() + QStringLiteral("/target");
    QElapsedTimer clock;
    clock.start();
    const TransferResult r = runTransfer(request);
    EXPECT_EQ(outcomeName(r.outcome).toStdString(), outcomeName(c.outcome).toStdString())
        << r.describe(request.url).toStdString();
    EXPECT_LE(r.bytes, c.maxBytes);
    // Every limit here is a few seconds at most.
    EXPECT_LT(clock.elapsed(), 4000);
    if (r.ok()) {
      EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("target")});
      EXPECT_EQ(test::readBytes(request.targetPath), c.kind == BodyKind::Image ? png : zip);
    } else {
      EXPECT_TRUE(filesIn(dir.path()).isEmpty()) << filesIn(dir.path()).join(u' ').toStdString();
      EXPECT_TRUE(r.body.isEmpty());
    }
  }
  // The server could not push on past the client's stop: what it wrote is
  // bounded by the caps and the sockets' buffers, not by its will.
  EXPECT_LT(server.bytesSent(), qint64(64) << 20);
}

TEST(Transfer, TrickleIsJudgedByTheWindowNotTheStall) {
  ShortLimits limits;
  LoopbackServer server;
  // A byte every 50 ms resets any stall timer; 20 bytes in a 0.6 s window
  // are far below 2 KiB.
  server.serveTrickle(QStringLiteral("/slow.png"), tilePng(), 50);
  // Fast enough for the window but endless in time: the deadline ends it.
  NetworkTimeouts t = networkTimeouts();
  server.serveTrickle(QStringLiteral("/steady.txt"), QByteArray(60000, 's'), 1);
  server.start();
  QElapsedTimer clock;
  clock.start();
  TransferRequest slow{QUrl(server.url("/slow.png")), BodyKind::Image, QString(), 0, {}};
  EXPECT_EQ(runTransfer(slow).outcome, TransferOutcome::TooSlow);
  EXPECT_GE(clock.elapsed(), t.rateWindowMs);
  EXPECT_LT(clock.elapsed(), t.shortDeadlineMs);

  // The server sleeps in steps of 5 ms: some 100 bytes a window, far above 20.
  t.minBytesPerWindow = 20;
  t.shortDeadlineMs = 1200;
  setNetworkTimeouts(t);
  clock.restart();
  TransferRequest steady{QUrl(server.url("/steady.txt")), BodyKind::Text, QString(), 0, {}};
  const TransferResult r = runTransfer(steady);
  EXPECT_EQ(r.outcome, TransferOutcome::TimedOut) << r.describe(steady.url).toStdString();
  EXPECT_GE(clock.elapsed(), 1200);
  EXPECT_LT(clock.elapsed(), 2500);
}

TEST(Transfer, PackageNeverTakesTheLastOfItsVolume) {
  ShortLimits limits;
  LoopbackServer server;
  server.serve(QStringLiteral("/00.zip"), packageZip());
  server.start();
  BodyLimits l = bodyLimits();
  l.freeSpaceMargin = qint64(1) << 60;  // more than any disk has free
  setBodyLimits(l);
  QTemporaryDir dir;
  TransferRequest request{
      QUrl(server.url("/00.zip")), BodyKind::Package, dir.path() + QStringLiteral("/00.zip"), 0, {}};
  const TransferResult r = runTransfer(request);
  EXPECT_EQ(r.outcome, TransferOutcome::WriteFailed);
  EXPECT_TRUE(server.requests().isEmpty());  // refused before asking
  EXPECT_TRUE(filesIn(dir.path()).isEmpty());
  // A folder that does not exist takes no part file either.
  l.freeSpaceMargin = 0;
  setBodyLimits(l);
  request.targetPath = dir.path() + QStringLiteral("/no/00.zip");
  EXPECT_EQ(runTransfer(request).outcome, TransferOutcome::WriteFailed);
  EXPECT_FALSE(QDir(dir.path() + QStringLiteral("/no")).exists());
}

TEST(Transfer, AbortEndsAtOnceAndSaysSoOnce) {
  ShortLimits limits;
  NetworkTimeouts t = networkTimeouts();
  t.stallMs = 20000;  // the server stalls; only the abort may end it
  setNetworkTimeouts(t);
  LoopbackServer server;
  server.serveStall(QStringLiteral("/stall.zip"), packageZip(), 10);
  server.start();
  QTemporaryDir dir;
  Transfer transfer(&threadNetworkManager(),
                    {QUrl(server.url("/stall.zip")), BodyKind::Package, dir.path() + QStringLiteral("/p.zip"), 0, {}});
  int finished = 0;
  QObject::connect(&transfer, &Transfer::finished, [&] { ++finished; });
  transfer.start();
  EXPECT_EQ(finished, 0);  // never from inside start()
  QElapsedTimer clock;
  clock.start();
  while (transfer.result().bytes == 0 && clock.elapsed() < 3000) QCoreApplication::processEvents();
  ASSERT_TRUE(transfer.isRunning());
  transfer.abort();
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(transfer.result().outcome, TransferOutcome::Aborted);
  EXPECT_TRUE(filesIn(dir.path()).isEmpty());
  transfer.abort();
  QCoreApplication::processEvents();
  EXPECT_EQ(finished, 1);
}

TEST(Transfer, CancelFromAnotherThreadEndsTheBlockingRequest) {
  ShortLimits limits;
  NetworkTimeouts t = networkTimeouts();
  t.stallMs = 20000;
  t.shortDeadlineMs = 20000;
  t.rateWindowMs = 20000;
  setNetworkTimeouts(t);
  LoopbackServer server;
  server.serveStall(QStringLiteral("/stall.txt"), QByteArray(100, 's'), 10);
  server.start();
  CancelToken token;
  TransferResult result;
  qint64 elapsedAfterCancel = -1;
  QElapsedTimer clock;
  QThread* worker = QThread::create([&] {
    CancelScope scope(&token);
    result = runTransfer({QUrl(server.url("/stall.txt")), BodyKind::Text, QString(), 0, {}});
    elapsedAfterCancel = clock.elapsed();
    // Later requests of the cancelled run do not even start.
    const TransferResult again = runTransfer({QUrl(server.url("/stall.txt")), BodyKind::Text, QString(), 0, {}});
    EXPECT_EQ(again.outcome, TransferOutcome::Aborted);
  });
  worker->start();
  QThread::msleep(300);
  clock.start();
  token.cancel();
  ASSERT_TRUE(worker->wait(5000));
  delete worker;
  EXPECT_EQ(result.outcome, TransferOutcome::Aborted);
  EXPECT_GE(elapsedAfterCancel, 0);
  EXPECT_LT(elapsedAfterCancel, 2000);  // far from the 20 s any limit would take
  EXPECT_EQ(server.requests().size(), 1);
}

namespace {
QStringList g_netLines;
QtMessageHandler g_previous = nullptr;
void keepNetLines(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (context.category && QByteArray(context.category) == "kavalo.net")
    g_netLines << QString::number(type) + u' ' + text;
  else if (g_previous)
    g_previous(type, context, text);
}
}  // namespace

TEST(Transfer, EveryFailureIsLoggedWithAddressStatusAndReason) {
  ShortLimits limits;
  LoopbackServer server;
  server.serve(QStringLiteral("/busy.png"), "", 503);
  server.serve(QStringLiteral("/gone.png"), "", 404);
  server.serve(QStringLiteral("/ok.png"), tilePng());
  server.start();
  g_netLines.clear();
  g_previous = qInstallMessageHandler(keepNetLines);
  QLoggingCategory::setFilterRules(QStringLiteral("kavalo.net=true"));
  for (const char* path : {"/busy.png", "/gone.png", "/ok.png"})
    runTransfer({QUrl(server.url(path)), BodyKind::Image, QString(), 0, {}});
  runTransfer({QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(test::deadPort())), BodyKind::Text, QString(), 0, {}});
  QLoggingCategory::setFilterRules(QString());
  qInstallMessageHandler(g_previous);
  // A warning for each failure, a debug line for "nothing here", nothing for
  // success.
  ASSERT_EQ(g_netLines.size(), 3) << g_netLines.join(u'\n').toStdString();
  EXPECT_TRUE(g_netLines[0].startsWith(QString::number(QtWarningMsg)));
  EXPECT_TRUE(g_netLines[0].contains(server.url("/busy.png")) && g_netLines[0].contains("HTTP 503"));
  EXPECT_TRUE(g_netLines[1].startsWith(QString::number(QtDebugMsg)));
  EXPECT_TRUE(g_netLines[1].contains("/gone.png") && g_netLines[1].contains("HTTP 404"));
  EXPECT_TRUE(g_netLines[2].startsWith(QString::number(QtWarningMsg)));
  EXPECT_TRUE(g_netLines[2].contains(QStringLiteral("接続できません")) &&
              g_netLines[2].contains(QStringLiteral("拒否")));
}

TEST(Transfer, EveryReasonIsInTheInterfacesLanguage) {
  ShortLimits limits;
  LoopbackServer server;
  const QByteArray png = tilePng();
  server.serve(QStringLiteral("/busy.png"), "", 503);
  server.serve(QStringLiteral("/gone.png"), "", 404);
  server.serve(QStringLiteral("/text.png"), "<html>not an image</html>");
  server.serveDropped(QStringLiteral("/cut.png"), png, png.size() / 2);
  server.serveEndless(QStringLiteral("/big.txt"), QByteArray(4096, 'x'), kTextCap * 4);
  server.serveStall(QStringLiteral("/stall.png"), png, 100);
  server.start();
  struct Case {
    QString url;
    BodyKind kind;
    TransferOutcome outcome;
  };
  const std::vector<Case> cases = {
      {QStringLiteral("http://127.0.0.1:%1/x").arg(test::deadPort()), BodyKind::Text, TransferOutcome::Unreachable},
      {server.url("/busy.png"), BodyKind::Image, TransferOutcome::HttpError},
      {server.url("/gone.png"), BodyKind::Image, TransferOutcome::Absent},
      {server.url("/text.png"), BodyKind::Image, TransferOutcome::BadBody},
      {server.url("/cut.png"), BodyKind::Image, TransferOutcome::CutShort},
      {server.url("/big.txt"), BodyKind::Text, TransferOutcome::TooLarge},
      {server.url("/stall.png"), BodyKind::Image, TransferOutcome::TimedOut},
      {QStringLiteral("ftp://127.0.0.1/x"), BodyKind::Text, TransferOutcome::NotWeb},
  };
  // Words of Latin letters other than the names of formats and units.
  static const QRegularExpression latinWord(QStringLiteral("[A-Za-z]{3,}"));
  const QStringList allowed = {QStringLiteral("HTTP"), QStringLiteral("PNG"), QStringLiteral("JPEG"),
                               QStringLiteral("KiB"), QStringLiteral("MiB"), QStringLiteral("http"),
                               QStringLiteral("https")};
  for (const Case& c : cases) {
    const TransferResult r = runTransfer({QUrl(c.url), c.kind, QString(), 0, {}});
    EXPECT_EQ(r.outcome, c.outcome) << c.url.toStdString();
    const QString reason = r.describe(QUrl(c.url)).mid(c.url.size());
    EXPECT_FALSE(reason.isEmpty());
    for (const QRegularExpressionMatch& m : latinWord.globalMatch(reason))
      EXPECT_TRUE(allowed.contains(m.captured())) << c.url.toStdString() << ": " << reason.toStdString();
  }
}
TEST(Transfer, AConnectionClosedAfterALargeCutChunkEndsTheRequestAtOnce) {
  ShortLimits limits;
  NetworkTimeouts t = networkTimeouts();
  t.stallMs = 20000;  // only the closed connection may end it
  setNetworkTimeouts(t);
  LoopbackServer server;
  server.serve(QStringLiteral("/count.txt"), "6\r\n");
  // 300 KB of a chunk, then the connection closes, on a connection kept
  // from the request before.
  const std::string big(900 * 1024, 'z');
  server.http().Get("/big.zip", [big](const httplib::Request&, httplib::Response& res) {
    res.set_header("Connection", "close");
    res.set_chunked_content_provider("application/zip", [big](size_t offset, httplib::DataSink& sink) {
      return offset == 0 && sink.write(big.data(), big.size() / 3);
    });
  });
  server.start();
  QTemporaryDir dir;
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(runTransfer({QUrl(server.url("/count.txt")), BodyKind::Text, QString(), 0, {}}).ok());
    QElapsedTimer clock;
    clock.start();
    const TransferResult r =
        runTransfer({QUrl(server.url("/big.zip")), BodyKind::Package, dir.path() + "/p.zip", 0, {}});
    EXPECT_EQ(r.outcome, TransferOutcome::CutShort) << r.describe(QUrl()).toStdString();
    EXPECT_LT(clock.elapsed(), 5000);  // not the stall limit
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
  }
}
