// SPDX-License-Identifier: MIT
#include "model/EraSources.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

#include "model/EraInfoFiles.h"
#include "model/ImportedEras.h"
#include "model/MapInfo.h"
#include "model/XyzEras.h"

namespace kavalo {

namespace {

using L = EraLabelRule;
using C = EraCreditStyle;
using R = EraReadoutStyle;
using S = EraSheets;
using A = EraAcquisition;

// The kinds by number; the written kinds keep the numbers, files and texts
// they always had.
const std::vector<EraSource> kSources = {
    {kScannedSheets, "sheets", "\\map_tikeizu_info.txt", -1, -1, nullptr, L::Period, nullptr, C::DatasetApproval,
     R::SheetHistory, S::History, false, false, false, A::Packages, "fetch-packages"},
    {kAgencyBasicMap, "agency-map", "\\map_watizu_info.txt", kMaskedMap, kWorldFrame, "png", L::AgencyMap, nullptr,
     C::AgencyMap, R::AgencyMap, S::None, true, false, false, A::Agency, "fetch-agency"},
    {kAerialPhoto, "air-photo", "\\map_ortho_info.txt", kPhoto, kWorldFrame, "jpg", L::AirPhoto, nullptr, C::AirPhoto,
     R::AirPhoto, S::None, true, false, true, A::Agency, "fetch-agency"},
    {kRapidSurvey, "rapid-survey", "\\map_Jinnsoku_info.txt", kPhoto, kWorldFrame, "jpg", L::PeriodAndSuffix,
     QT_TRANSLATE_NOOP("kavalo::EraLabels", "（迅速測図）"), C::RapidSurvey, R::RapidSurvey, S::None, false, false,
     false, A::RapidSurvey, "fetch-rapid-survey"},
    {kTwentyThousand, "twenty-thousand", "\\map_2man_info.txt", kOpaqueMap, kOldFrame, "png", L::PeriodAndSuffix,
     QT_TRANSLATE_NOOP("kavalo::EraLabels", "（1/2万）"), C::DatasetApproval, R::SheetIndex, S::Index, false, false,
     false, A::Packages, "fetch-packages"},
    {kAgencyOrtho, "agency-ortho", "\\map_densikokudo_ortho_info.txt", kPhoto, kWorldFrame, "jpg", L::PeriodAndSuffix,
     QT_TRANSLATE_NOOP("kavalo::EraLabels", "（空中写真）"), C::AgencyOrtho, R::AgencyOrtho, S::None, true, false,
     false, A::Agency, "fetch-agency"},
    {kXyzMap, "xyz-map", kXyzInfoFile, kMaskedMap, kWorldFrame, "png", L::UsersLabel, nullptr, C::UsersCreditOnMap,
     R::TileService, S::None, false, true, false, A::TileService, "fetch-xyz"},
    {kXyzPhoto, "xyz-photo", kXyzInfoFile, kPhoto, kWorldFrame, "jpg", L::UsersLabel, nullptr, C::UsersCreditOnPhoto,
     R::TileService, S::None, false, true, false, A::TileService, "fetch-xyz"},
    {kImportedMap, "import-map", kImportedInfoFile, kMaskedMap, kWorldFrame, "png", L::UsersLabel, nullptr,
     C::UsersCreditOnMap, R::Scan, S::None, false, true, false, A::ScanImport, "import"},
    {kImportedPhoto, "import-photo", kImportedInfoFile, kPhoto, kWorldFrame, "jpg", L::UsersLabel, nullptr,
     C::UsersCreditOnPhoto, R::Scan, S::None, false, true, false, A::ScanImport, "import"},
};

// What an unknown kind reads as: no suffix, the dataset's credits, no
// sheets to name, nothing the user may change.
const EraSource kUnknown = {-1,      "unknown", "",    -1,    -1,    nullptr, L::Period, nullptr, C::DatasetApproval,
                            R::None, S::None,   false, false, false, A::None, ""};

QString folderOfInfoFile(const QString& path) { return QFileInfo(path).absolutePath(); }

// The agency's files also hold the tile-service eras of the last version,
// which are read as what they are.
bool readAgencyFile(const QString& path, const QString& file, int32_t kind, std::vector<Era>& eras, QString* error) {
  const size_t first = eras.size();
  const EraSource& s = eraSource(kind);
  if (!readAgencyInfo(path, file, kind, s.tileStyle, QString::fromLatin1(s.ext), eras, error)) return false;
  const QString folder = folderOfInfoFile(path);
  for (size_t i = first; i < eras.size(); ++i) adoptLegacyXyzEra(folder, eras[i]);
  return true;
}

bool readWatizu(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  return readAgencyFile(path, file, kAgencyBasicMap, eras, error);
}

bool readDensikokudo(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  return readAgencyFile(path, file, kAgencyOrtho, eras, error);
}

bool readTwentyThousand(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  Era e;
  if (!readTwentyThousandInfo(path, file, e, error)) return false;
  eras.push_back(std::move(e));
  return true;
}

bool fetchedByTiles(const Era& e) {
  const EraAcquisition a = eraSource(e.kind).acquisition;
  return a == EraAcquisition::Agency || a == EraAcquisition::TileService;
}

// An era in both lists is one whose move out of the agency's file was cut
// short: the entry of its own file stands.
void dropEarlierEntries(std::vector<Era>& eras, size_t first) {
  QSet<QString> folders;
  for (size_t i = first; i < eras.size(); ++i) folders.insert(eras[i].name);
  std::vector<Era> kept;
  kept.reserve(eras.size());
  for (size_t i = 0; i < eras.size(); ++i)
    if (i >= first || !folders.contains(eras[i].name) || !fetchedByTiles(eras[i])) kept.push_back(std::move(eras[i]));
  eras = std::move(kept);
}

bool readXyz(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  std::vector<XyzEra> listed;
  if (!readXyzErasFile(path, listed, error)) return false;
  const size_t first = eras.size();
  for (const XyzEra& x : listed) {
    Era e = eraOfXyz(x);
    if (!checkEra(e, file, path, error)) return false;
    eras.push_back(std::move(e));
  }
  dropEarlierEntries(eras, first);
  return true;
}

bool readImported(const QString& path, const QString& file, std::vector<Era>& eras, QString* error) {
  std::vector<ImportedEra> listed;
  if (!readImportedErasFile(path, listed, error)) return false;
  for (const ImportedEra& i : listed) {
    Era e = eraOfImported(i);
    if (!checkEra(e, file, path, error)) return false;
    eras.push_back(std::move(e));
  }
  return true;
}

const std::vector<EraInfoFile> kInfoFiles = {
    {"\\map_tikeizu_info.txt", InfoFileWhen::Required, readTikeizuInfo},
    {"\\map_watizu_info.txt", InfoFileWhen::Optional, readWatizu},
    {"\\map_densikokudo_ortho_info.txt", InfoFileWhen::Optional, readDensikokudo},
    {"\\map_ortho_info.txt", InfoFileWhen::Optional, readOrthoInfo},
    {"\\map_Jinnsoku_info.txt", InfoFileWhen::RapidSurveyOffered, readRapidSurveyInfo},
    {"\\map_2man_info.txt", InfoFileWhen::TwentyThousandOffered, readTwentyThousand},
    {kXyzInfoFile, InfoFileWhen::Optional, readXyz},
    {kImportedInfoFile, InfoFileWhen::Optional, readImported},
};

}  // namespace

const std::vector<EraSource>& eraSources() { return kSources; }

const EraSource& eraSource(int32_t kind) {
  if (kind >= 0 && kind < static_cast<int32_t>(kSources.size())) return kSources[static_cast<size_t>(kind)];
  return kUnknown;
}

const EraSource* eraSourceById(QStringView id) {
  for (const EraSource& s : kSources)
    if (id == QLatin1String(s.id)) return &s;
  return nullptr;
}

const std::vector<EraInfoFile>& eraInfoFiles() { return kInfoFiles; }

}  // namespace kavalo
