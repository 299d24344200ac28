// SPDX-License-Identifier: MIT
// PositionRecored.txt: whatever it holds, the view opens somewhere sound.
#include <cmath>

#include "FuzzDataset.h"
#include "FuzzSupport.h"
#include "app/DatasetLoader.h"
#include "model/ViewState.h"

using namespace kavalo;

KAVALO_FUZZ_TARGET(position) {
  fuzz::clearScratch();
  const QString folder = fuzz::writeBaseDataset(QStringLiteral("d"));
  fuzz::writeScratch(QStringLiteral("d/PositionRecored.txt"),
                     QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  DatasetConfig config;
  QString error;
  const FileNameTable names = FileNameTable::standard(QString::fromLatin1(kDefaultWebBaseUrl));
  FUZZ_CHECK(readDatasetConfig(folder, names, MapInfo(), config, &error) == LoadStatus::Loaded);
  FUZZ_CHECK(std::isfinite(config.centerX) && std::isfinite(config.centerY));
  FUZZ_CHECK(config.eraIndex >= 0 && config.eraIndex < static_cast<int>(config.eras.size()));
  FUZZ_CHECK(config.zoomPercent >= kMinZoom && config.zoomPercent <= kMaxZoom);
  FUZZ_CHECK(sanitizeMarksFileName(config.marksFileName) == config.marksFileName);
  fuzz::exerciseConfig(config);
  return 0;
}
