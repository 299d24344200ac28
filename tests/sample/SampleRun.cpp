// SPDX-License-Identifier: MIT
#include "SampleRun.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

#include <memory>

#include "app/DatasetLoader.h"
#include "app/Startup.h"
#include "platform/Paths.h"
#include "support/Fixtures.h"

namespace sampletest {

namespace {

QString binFolder() {
  const QString bin = qEnvironmentVariable("KAVALO_BIN");
  if (!bin.isEmpty()) return bin;
  return QCoreApplication::applicationDirPath();
}

}  // namespace

QString generatorPath() { return binFolder() + QStringLiteral("/make-sample-dataset"); }
QString cliPath() { return binFolder() + QStringLiteral("/kavalo-cli"); }

RunResult runGenerator(const QStringList& arguments) {
  QProcess p;
  p.start(generatorPath(), arguments);
  RunResult r;
  if (!p.waitForStarted(10000)) {
    r.errorOutput = QStringLiteral("cannot start %1").arg(generatorPath());
    return r;
  }
  p.waitForFinished(300000);
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.errorOutput = QString::fromLocal8Bit(p.readAllStandardError());
  return r;
}

const QString& sampleRoot() {
  static std::unique_ptr<QTemporaryDir> dir;
  static QString root;
  if (!dir) {
    dir = std::make_unique<QTemporaryDir>();
    root = dir->path() + QStringLiteral("/root");
    const RunResult r = runGenerator({root});
    if (r.exitCode != 0) ADD_FAILURE() << "the generator failed: " << r.errorOutput.toStdString();
  }
  return root;
}

QString sampleFolder() { return sampleRoot() + QStringLiteral("/sample"); }

kavalo::LoadStatus loadRegion(const QString& root, int index, kavalo::ProgramState& state,
                              kavalo::ScriptedPrompts& prompts) {
  if (!kavalo::startProgram(state, root, prompts)) return kavalo::LoadStatus::Failed;
  if (index >= static_cast<int>(state.dataFolders.size())) return kavalo::LoadStatus::Failed;
  state.dataFolderIndex = index;
  state.datasetFolder = kavalo::joinPath(root, u'\\' + state.dataFolders[static_cast<size_t>(index)].folder);
  return kavalo::LoadDataset(state, prompts);
}

const LoadedRegion& sampleRegion() {
  static LoadedRegion* region = [] {
    auto* r = new LoadedRegion;
    r->status = loadRegion(sampleRoot(), 0, r->state, r->prompts);
    return r;
  }();
  return *region;
}

QStringList filesUnder(const QString& folder) {
  QStringList out;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) out << QDir(folder).relativeFilePath(it.next());
  out.sort();
  return out;
}

QStringList checkList(const QString& path) {
  QStringList lines = kavalo::test::readSjis(path).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  return lines;
}

bool TileGrid::lookup(const QString& prefix, int x, int y, QRgb& out) {
  const int gx = x - fx_, gy = y - fy_;
  if (gx < 0 || gy < 0) return false;
  const int column = gx / w_, row = gy / h_;
  const QString name = QStringLiteral("%1%2_%3.%4")
                           .arg(prefix)
                           .arg(column, 3, 10, QLatin1Char('0'))
                           .arg(row, 3, 10, QLatin1Char('0'))
                           .arg(ext_);
  auto it = cache_.find(name);
  if (it == cache_.end()) it = cache_.insert(name, QImage(folder_ + u'/' + name).convertToFormat(QImage::Format_RGB32));
  if (it->isNull()) return false;
  out = it->pixel(gx - column * w_, gy - row * h_);
  return true;
}

bool TileGrid::pixel(int x, int y, QRgb& out) { return lookup(QString(), x, y, out); }
bool TileGrid::maskPixel(int x, int y, QRgb& out) { return lookup(QStringLiteral("M_"), x, y, out); }

}  // namespace sampletest
