// SPDX-License-Identifier: MIT
// 図歴.csv of a sound data folder with two scanned-sheet eras: the table
// decides which sheet each era shows and what the readout says of it.
#include "FuzzDataset.h"
#include "FuzzSupport.h"
#include "app/DatasetLoader.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(sheet_history) {
  fuzz::clearScratch();
  const QString folder = fuzz::writeBaseDataset(QStringLiteral("d"));
  fuzz::writeScratch(QStringLiteral("d/図歴.csv"),
                     QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  DatasetConfig config;
  QString error;
  const FileNameTable names = FileNameTable::standard(QString::fromLatin1(kDefaultWebBaseUrl));
  const LoadStatus status = readDatasetConfig(folder, names, MapInfo(), config, &error);
  if (status != LoadStatus::Loaded) {
    FUZZ_CHECK(status == LoadStatus::Failed && error.contains(QStringLiteral("図歴.csv")));
    return 0;
  }
  fuzz::exerciseConfig(config);
  return 0;
}
