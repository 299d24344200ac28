// SPDX-License-Identifier: MIT
#pragma once
// Running the project's own programs from tests: kavalo-cli and the sample
// generator lie in the build's bin folder (KAVALO_BIN when CTest runs the
// tests, else the folder of the test program itself).
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kavalo::test {

QString programPath(const QString& name);

struct ProgramRun {
  int exitCode = -1;  // -1: did not start or did not end in time
  QByteArray out;
  QString err;
};

ProgramRun runProgram(const QString& name, const QStringList& args, int timeoutMs = 60000);

inline ProgramRun runCli(const QStringList& args) { return runProgram(QStringLiteral("kavalo-cli"), args); }

}  // namespace kavalo::test
