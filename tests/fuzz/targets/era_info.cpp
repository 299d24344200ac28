// SPDX-License-Identifier: MIT
// The era lists of every source: the first byte chooses the info file, the
// rest is its content, in a sound data folder otherwise.
#include "FuzzDataset.h"
#include "FuzzSupport.h"
#include "app/DatasetLoader.h"
#include "model/EraSources.h"
#include "platform/Paths.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(era_info) {
  if (size < 1) return 0;
  fuzz::clearScratch();
  const QString folder = fuzz::writeBaseDataset(QStringLiteral("d"));
  const FileNameTable names = FileNameTable::standard(QString::fromLatin1(kDefaultWebBaseUrl));
  // Every info file of every source, the user's lists too.
  const std::vector<EraInfoFile>& files = eraInfoFiles();
  const EraInfoFile& file = files[data[0] % files.size()];
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  fuzz::writeScratch(QStringLiteral("d/") + nativeRelative(QString::fromLatin1(file.name)), bytes);

  DatasetConfig config;
  QString error;
  const LoadStatus status = readDatasetConfig(folder, names, MapInfo(), config, &error);
  if (status != LoadStatus::Loaded) {
    FUZZ_CHECK(status == LoadStatus::Failed && !error.isEmpty());
    return 0;
  }
  for (const Era& e : config.eras) FUZZ_CHECK(isSingleName(e.name));
  fuzz::exerciseConfig(config);
  return 0;
}
