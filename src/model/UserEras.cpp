// SPDX-License-Identifier: MIT
#include "model/UserEras.h"

#include <QCoreApplication>
#include <algorithm>

#include "model/EraInfoFiles.h"
#include "model/EraSources.h"
#include "model/ImportedEras.h"
#include "model/XyzEras.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace kavalo {

namespace {

QString notListed(const Era& era, const QString& file) {
  return QCoreApplication::translate("kavalo::UserEras", "「%1」に時期「%2」が見つかりません。")
      .arg(file.mid(1), era.name);
}

bool isXyzFile(const Era& era) { return era.infoFile == QString::fromLatin1(kXyzInfoFile); }
bool isImportFile(const Era& era) { return era.infoFile == QString::fromLatin1(kImportedInfoFile); }

// A tile-service era of the last version: listed in the agency's file of
// its kind of image.
int32_t legacyFileKind(const Era& era) { return era.kind == kXyzPhoto ? kAgencyOrtho : kAgencyBasicMap; }
bool isLegacy(const Era& era) {
  return eraSource(era).acquisition == EraAcquisition::TileService &&
         era.infoFile == QString::fromLatin1(eraSource(legacyFileKind(era)).infoFile);
}

// The agency's file without the era's line.
bool dropFromAgencyFile(const QString& datasetFolder, const Era& era, QString* error) {
  const EraSource& source = eraSource(legacyFileKind(era));
  const QString name = QString::fromLatin1(source.infoFile);
  const QString path = joinPath(datasetFolder, name);
  std::vector<Era> listed;
  if (!readAgencyInfo(path, name.mid(1), source.kind, source.tileStyle, QString::fromLatin1(source.ext), listed, error))
    return false;
  const auto it = std::find_if(listed.begin(), listed.end(), [&](const Era& e) { return e.name == era.name; });
  if (it == listed.end()) {
    if (error) *error = notListed(era, name);
    return false;
  }
  listed.erase(it);
  return writeFileAtomically(path, agencyInfoBytes(listed), error);
}

}  // namespace

QString userLabelProblem(const QString& label) {
  if (label.trimmed().isEmpty()) return QCoreApplication::translate("kavalo::UserEras", "名前を入力してください。");
  return importedTextProblem(label);
}

std::vector<QString> userEraInfoPaths(const QString& datasetFolder, const Era& era) {
  std::vector<QString> paths{joinPath(datasetFolder, era.infoFile)};
  if (isLegacy(era)) paths.push_back(joinPath(datasetFolder, QString::fromLatin1(kXyzInfoFile)));
  return paths;
}

bool relabelUserEraInFiles(const QString& datasetFolder, const Era& era, const QString& label, QString* error) {
  if (const QString why = userLabelProblem(label); !why.isEmpty()) {
    if (error) *error = why;
    return false;
  }
  if (isImportFile(era)) {
    std::vector<ImportedEra> listed;
    if (!readImportedEras(datasetFolder, listed, error)) return false;
    const auto it =
        std::find_if(listed.begin(), listed.end(), [&](const ImportedEra& r) { return r.folder == era.name; });
    if (it == listed.end()) {
      if (error) *error = notListed(era, era.infoFile);
      return false;
    }
    it->label = label;
    return writeImportedEras(datasetFolder, listed, error);
  }
  std::vector<XyzEra> listed;
  if (!readXyzEras(datasetFolder, listed, error)) return false;
  if (isXyzFile(era)) {
    const auto it = std::find_if(listed.begin(), listed.end(), [&](const XyzEra& r) { return r.folder == era.name; });
    if (it == listed.end()) {
      if (error) *error = notListed(era, era.infoFile);
      return false;
    }
    it->label = label;
    return writeXyzEras(datasetFolder, listed, error);
  }
  if (!isLegacy(era)) {
    if (error) *error = QCoreApplication::translate("kavalo::UserEras", "この時期の名前は変更できません。");
    return false;
  }
  // Into the list that holds labels first, then out of the agency's file: a
  // stop between the two leaves the era in both, and the list of its own
  // kind is the one that counts.
  const FileSnapshot before = snapshotFile(joinPath(datasetFolder, QString::fromLatin1(kXyzInfoFile)));
  XyzEra moved = xyzOfEra(era);
  moved.label = label;
  listed.erase(std::remove_if(listed.begin(), listed.end(), [&](const XyzEra& r) { return r.folder == era.name; }),
               listed.end());
  listed.push_back(moved);
  if (!writeXyzEras(datasetFolder, listed, error)) return false;
  if (!dropFromAgencyFile(datasetFolder, era, error)) {
    restoreSnapshot(before, nullptr);
    return false;
  }
  return true;
}

bool removeUserEraFromFiles(const QString& datasetFolder, const Era& era, QString* error) {
  if (isImportFile(era)) {
    std::vector<ImportedEra> listed;
    if (!readImportedEras(datasetFolder, listed, error)) return false;
    const auto it =
        std::find_if(listed.begin(), listed.end(), [&](const ImportedEra& r) { return r.folder == era.name; });
    if (it == listed.end()) {
      if (error) *error = notListed(era, era.infoFile);
      return false;
    }
    listed.erase(it);
    return writeImportedEras(datasetFolder, listed, error);
  }
  if (isXyzFile(era)) {
    std::vector<XyzEra> listed;
    if (!readXyzEras(datasetFolder, listed, error)) return false;
    const auto it = std::find_if(listed.begin(), listed.end(), [&](const XyzEra& r) { return r.folder == era.name; });
    if (it == listed.end()) {
      if (error) *error = notListed(era, era.infoFile);
      return false;
    }
    listed.erase(it);
    return writeXyzEras(datasetFolder, listed, error);
  }
  if (isLegacy(era)) return dropFromAgencyFile(datasetFolder, era, error);
  if (error) *error = QCoreApplication::translate("kavalo::UserEras", "この時期は削除できません。");
  return false;
}

}  // namespace kavalo
