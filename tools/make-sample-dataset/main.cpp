// SPDX-License-Identifier: MIT
// make-sample-dataset OUTDIR [--bench [--tiles N]]
//
// Writes a RootFolder with the fictional sample region (or, with --bench, a
// large region for benchmarks). The region is built in a temporary folder
// beside OUTDIR and moved into place only when complete, so that an
// interrupted run never leaves half a region behind. The output is the same,
// byte for byte, on every run.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <QTemporaryDir>
#include <cstdio>
#include "platform/RuntimeFolder.h"

#include "Generator.h"
#include "TileWriter.h"
#include "platform/Codec.h"

namespace {

int usage() {
  std::fputs("usage: make-sample-dataset OUTDIR [--bench [--tiles N]] [--complete]\n", stderr);
  return 2;
}

int failure(const QString& message) {
  std::fprintf(stderr, "make-sample-dataset: %s\n", message.toLocal8Bit().constData());
  return 1;
}

// OUTDIR is replaced only when it is missing, empty, or a region this tool
// wrote before: never someone's other folder.
bool mayReplace(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists()) return true;
  if (!info.isDir()) return false;
  const QDir dir(path);
  if (dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) return true;
  return dir.exists(QStringLiteral("dataset.txt")) &&
         (dir.exists(QStringLiteral("sample/mapinfo.txt")) || dir.exists(QStringLiteral("bench/mapinfo.txt")));
}

bool moveIntoPlace(QTemporaryDir& built, const QString& target, QString* error) {
  QFile::setPermissions(built.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                          QFileDevice::ExeOther);
  QString old;
  if (QFileInfo::exists(target)) {
    // The old region goes to a fresh name beside it, and is removed once the
    // new one is in place.
    {
      QTemporaryDir aside(QFileInfo(target).absolutePath() + QStringLiteral("/.make-sample-old-XXXXXX"));
      if (!aside.isValid()) {
        *error = QStringLiteral("cannot create a temporary folder beside %1").arg(target);
        return false;
      }
      old = aside.path();
    }
    if (!QDir().rename(target, old)) {
      *error = QStringLiteral("cannot move the old %1 aside").arg(target);
      return false;
    }
  }
  if (!QDir().rename(built.path(), target)) {
    if (!old.isEmpty()) QDir().rename(old, target);
    *error = QStringLiteral("cannot move the new region to %1").arg(target);
    return false;
  }
  built.setAutoRemove(false);
  if (!old.isEmpty()) QDir(old).removeRecursively();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Legends carry text; fonts need a GUI application, which needs no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  kavalo::ensureRuntimeFolder();
  QGuiApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments().mid(1);
  const bool bench = args.removeAll(QStringLiteral("--bench")) > 0;
  // --tiles N: the benchmark region with N tiles per era (a square of sheets
  // of 10 x 10 tiles): 1000000 makes a region of a million tiles per era in
  // a minute or two, every tile a hard link to one of six pictures.
  if (const qsizetype at = args.indexOf(QStringLiteral("--tiles")); at >= 0) {
    bool ok = false;
    const int tiles = at + 1 < args.size() ? args[at + 1].toInt(&ok) : 0;
    if (!bench || !ok || !sample::setBenchTiles(tiles)) return usage();
    args.remove(at, 2);
  }
  // --complete also writes the files the region leaves out on purpose: the
  // sample server hands them out as packages and on-demand tiles.
  sample::setWriteLeftOut(args.removeAll(QStringLiteral("--complete")) > 0);
  if (args.size() != 1 || args[0].startsWith(u'-')) return usage();
  if (!kavalo::sjisAvailable())
    return failure(QStringLiteral("Shift-JIS conversion is not available in this Qt build"));

  const QString target = QDir::cleanPath(QDir(args[0]).absolutePath());
  if (!mayReplace(target))
    return failure(QStringLiteral("%1 exists and is not a region written by this tool; not replacing it").arg(target));
  const QString parent = QFileInfo(target).absolutePath();
  if (!QDir().mkpath(parent)) return failure(QStringLiteral("cannot create %1").arg(parent));

  QTemporaryDir built(parent + QStringLiteral("/.make-sample-XXXXXX"));
  if (!built.isValid()) return failure(QStringLiteral("cannot create a temporary folder in %1").arg(parent));
  QString error;
  const bool ok = bench ? sample::generateBench(built.path(), &error) : sample::generateSample(built.path(), &error);
  if (!ok) return failure(error);
  if (!moveIntoPlace(built, target, &error)) return failure(error);
  return 0;
}
