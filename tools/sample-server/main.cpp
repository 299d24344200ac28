// SPDX-License-Identifier: MIT
// sample-server [--port PORT] [--region DIR] [--web-folder WEBDIR]
//
// Serves the outside services of the program on 127.0.0.1 from the sample
// region. Without --region it generates the complete region (the sample plus
// the files the sample leaves out on purpose) into a temporary folder with
// the generator beside it. PORT 0 (the default 8080 when none is given) picks
// a free port; the address in use is printed on the first line. Stops on
// SIGINT or SIGTERM and removes what it built. --web-folder serves a folder
// written by kavalo-cli publish as the dataset's web folder.
#include <httplib.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "SampleServer.h"
#include "platform/RuntimeFolder.h"

namespace {

int usage() {
  std::fputs("usage: sample-server [--port PORT] [--region DIR] [--web-folder WEBDIR]\n", stderr);
  return 2;
}

int failure(const QString& message) {
  std::fprintf(stderr, "sample-server: %s\n", message.toLocal8Bit().constData());
  return 1;
}

bool generateRegion(const QString& target, QString* error) {
  const QString generator = QCoreApplication::applicationDirPath() + QStringLiteral("/make-sample-dataset");
  if (!QFileInfo(generator).isExecutable()) {
    *error = QStringLiteral("%1 is missing; build it or give --region").arg(generator);
    return false;
  }
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(generator, {target, QStringLiteral("--complete")});
  if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    *error = QStringLiteral("the generator failed");
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  kavalo::ensureRuntimeFolder();
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  int port = 8080;
  QString region, published;
  while (!args.isEmpty()) {
    const QString a = args.takeFirst();
    if (a == u"--port" && !args.isEmpty()) {
      bool ok = false;
      port = args.takeFirst().toInt(&ok);
      if (!ok || port < 0 || port > 65535) return usage();
    } else if (a == u"--region" && !args.isEmpty()) {
      region = QDir(args.takeFirst()).absolutePath();
    } else if (a == u"--web-folder" && !args.isEmpty()) {
      published = QDir(args.takeFirst()).absolutePath();
    } else {
      return usage();
    }
  }

  // Signals are taken by one thread that stops the server, so the temporary
  // folder is removed on the way out.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  // (held from here on, so that a stop during the generation is kept until
  // the server can honour it).
  QTemporaryDir work(QDir::tempPath() + QStringLiteral("/kavalo-sample-server-XXXXXX"));
  if (!work.isValid()) return failure(QStringLiteral("cannot create a temporary folder"));
  sampleserver::ServerContext context;
  context.workFolder = work.path() + QStringLiteral("/work");
  QDir().mkpath(context.workFolder);
  QString error;
  if (region.isEmpty()) {
    region = work.path() + QStringLiteral("/region");
    if (!generateRegion(region, &error)) return failure(error);
  }
  context.regionRoot = region;
  context.publishedFolder = published;

  httplib::Server http;
  // Answers on kept-alive connections go out at once, not after the client's
  // delayed acknowledgement (40 ms on every image otherwise).
  http.set_tcp_nodelay(true);
  const int bound = port == 0 ? http.bind_to_any_port("127.0.0.1") : (http.bind_to_port("127.0.0.1", port) ? port : -1);
  if (bound <= 0) return failure(QStringLiteral("cannot listen on 127.0.0.1:%1").arg(port));
  context.port = bound;
  for (const auto& [name, install] : sampleserver::registeredEndpoints()) {
    if (!install(http, context, &error)) return failure(QStringLiteral("%1: %2").arg(name, error));
  }

  std::printf("sample-server: listening on %s/\n", context.origin().toUtf8().constData());
  for (const QString& line : context.environment) std::printf("  %s\n", line.toUtf8().constData());
  std::fflush(stdout);

  std::thread waiter([&] {
    int received = 0;
    sigwait(&stopSignals, &received);
    for (int i = 0; i < 200 && !http.is_running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    http.stop();
  });
  http.listen_after_bind();
  if (waiter.joinable()) {
    // listen ended by itself (not by a signal): wake the waiter.
    pthread_kill(waiter.native_handle(), SIGTERM);
    waiter.join();
  }
  return 0;
}
