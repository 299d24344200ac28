// SPDX-License-Identifier: MIT
#include "support/Programs.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

namespace kavalo::test {

QString programPath(const QString& name) {
  QString bin = qEnvironmentVariable("KAVALO_BIN");
  if (bin.isEmpty()) bin = QCoreApplication::applicationDirPath();
  return QDir(bin).absoluteFilePath(name);
}

ProgramRun runProgram(const QString& name, const QStringList& args, int timeoutMs) {
  QProcess p;
  p.start(programPath(name), args);
  ProgramRun r;
  if (!p.waitForFinished(timeoutMs) || p.exitStatus() != QProcess::NormalExit) {
    p.kill();
    p.waitForFinished();
    r.err = QStringLiteral("%1 did not run to its end: %2").arg(name, p.errorString());
    return r;
  }
  r.exitCode = p.exitCode();
  r.out = p.readAllStandardOutput();
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

}  // namespace kavalo::test
