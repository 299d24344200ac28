// SPDX-License-Identifier: MIT
#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace kavalo::fuzz {

namespace {

QMap<QString, TargetFunction>& registry() {
  static QMap<QString, TargetFunction> targets;
  return targets;
}

QTemporaryDir& scratchDir() {
  // Memory-backed when the system has it: every input writes files.
  static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm/kavalo-fuzz-XXXXXX")
                                                                     : QDir::tempPath() + "/kavalo-fuzz-XXXXXX");
  return dir;
}

}  // namespace

bool registerTarget(const char* name, TargetFunction function) {
  registry().insert(QString::fromLatin1(name), function);
  return true;
}

TargetFunction findTarget(const QString& name) { return registry().value(name, nullptr); }

QStringList targetNames() { return registry().keys(); }

QString scratchFolder() { return scratchDir().path(); }

void clearScratch() {
  QDir dir(scratchFolder());
  for (const QFileInfo& entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
    if (entry.isDir() && !entry.isSymLink())
      QDir(entry.filePath()).removeRecursively();
    else
      QFile::remove(entry.filePath());
  }
}

QString writeScratch(const QString& relative, const QByteArray& bytes) {
  const QString path = scratchFolder() + u'/' + relative;
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(path));
    std::abort();
  }
  return path;
}

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

std::vector<QByteArray> splitParts(const uint8_t* data, size_t size) {
  const QByteArray all = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  std::vector<QByteArray> parts;
  qsizetype start = 0;
  for (;;) {
    qsizetype at = all.indexOf("@@@", start);
    // Only a marker that fills its own line counts.
    while (at >= 0 && at != 0 && all[at - 1] != '\n') at = all.indexOf("@@@", at + 1);
    if (at < 0) break;
    parts.emplace_back(all.constData() + start, at - start);
    start = at + 3;
    if (start < all.size() && all[start] == '\r') ++start;
    if (start < all.size() && all[start] == '\n') ++start;
  }
  parts.emplace_back(all.constData() + start, all.size() - start);
  return parts;
}

void checkFailed(const char* what, const char* file, int line) {
  std::fprintf(stderr, "fuzz: property broken at %s:%d: %s\n", file, line, what);
  std::fflush(stderr);
  std::abort();
}

}  // namespace kavalo::fuzz

#ifdef KAVALO_FUZZ_ENGINE
// Text is drawn by some targets: they need a GUI application, without a
// display.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int qtArgc = 1;
  static char* qtArgv[] = {(*argv)[0], nullptr};
  static QGuiApplication app(qtArgc, qtArgv);
  return 0;
}
#endif
