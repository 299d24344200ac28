// SPDX-License-Identifier: MIT
// Runs every file of the given folders through one fuzz target, so that the
// normal build keeps the seed corpus and every crasher found so far working.
// A folder that does not exist is skipped (a target without crashers).
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "FuzzSupport.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 3) {
    std::fprintf(stderr, "usage: fuzz_replay TARGET FOLDER...\ntargets: %s\n",
                 qPrintable(kavalo::fuzz::targetNames().join(u' ')));
    return 2;
  }
  const auto target = kavalo::fuzz::findTarget(args[1]);
  if (!target) {
    std::fprintf(stderr, "fuzz_replay: no target %s\n", qPrintable(args[1]));
    return 2;
  }
  int count = 0;
  for (int i = 2; i < args.size(); ++i) {
    const QDir dir(args[i]);
    if (!dir.exists()) continue;
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
      QFile file(dir.filePath(name));
      if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fuzz_replay: cannot read %s\n", qPrintable(file.fileName()));
        return 1;
      }
      const QByteArray bytes = file.readAll();
      std::fprintf(stderr, "%s\n", qPrintable(file.fileName()));
      target(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
      ++count;
    }
  }
  // An empty corpus would make the test pass without running anything.
  if (count == 0) {
    std::fprintf(stderr, "fuzz_replay: no input for %s\n", qPrintable(args[1]));
    return 1;
  }
  std::printf("%d inputs of %s ran clean\n", count, qPrintable(args[1]));
  return 0;
}
