#include "support/InstalledCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>

namespace kavalo::test {

namespace {

// KAVALO_SOURCE when CTest runs the tests, else the tree this file lies in.
QString sourceRoot() {
  const QString env = qEnvironmentVariable("KAVALO_SOURCE");
  if (!env.isEmpty()) return env;
  return QFileInfo(QStringLiteral(__FILE__)).absoluteDir().absoluteFilePath(QStringLiteral("../.."));
}

}  // namespace

InstalledCatalogue::InstalledCatalogue(const QString& tsFile) {
  const QString ts = QDir(sourceRoot()).absoluteFilePath(tsFile);
  const QString qm = dir_.filePath(QFileInfo(ts).completeBaseName() + QStringLiteral(".qm"));
  const QString lrelease = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease");
  QProcess run;
  run.start(lrelease, {QStringLiteral("-silent"), ts, QStringLiteral("-qm"), qm});
  if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
    error_ = QStringLiteral("%1 could not compile %2: %3")
                 .arg(lrelease, ts, QString::fromLocal8Bit(run.readAllStandardError()) + run.errorString());
    return;
  }
  if (!translator_.load(qm)) {
    error_ = QStringLiteral("cannot load %1").arg(qm);
    return;
  }
  installed_ = QCoreApplication::installTranslator(&translator_);
  if (!installed_) error_ = QStringLiteral("the translator of %1 was not installed").arg(qm);
}

InstalledCatalogue::~InstalledCatalogue() {
  if (installed_) QCoreApplication::removeTranslator(&translator_);
}

}  // namespace kavalo::test
