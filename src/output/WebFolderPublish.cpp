// SPDX-License-Identifier: MIT
#include "output/WebFolderPublish.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <algorithm>
#include <vector>

#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "net/PackageDownload.h"
#include "output/PackageWriter.h"
#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "platform/ValueReader.h"

namespace kavalo {

namespace {

const QString kServerCheck = QStringLiteral("servercheck.txt");
const QString kServerList = QStringLiteral("download_serverlist210.txt");
const QString kPackageCount = QStringLiteral("zipfilenum.txt");

bool fail(QString* error, const QString& text) {
  if (error) *error = text;
  return false;
}

// A path with its links resolved as far as it exists, so that two spellings
// of one folder compare equal.
QString resolvedPath(const QString& path) {
  QString existing = QDir::cleanPath(QDir(path).absolutePath());
  QString rest;
  while (!QFileInfo::exists(existing)) {
    const QFileInfo info(existing);
    rest = u'/' + info.fileName() + rest;
    const QString parent = info.absolutePath();
    if (parent == existing) break;
    existing = parent;
  }
  const QString canonical = QFileInfo(existing).canonicalFilePath();
  return QDir::cleanPath((canonical.isEmpty() ? existing : canonical) + rest);
}

bool sameOrInside(const QString& path, const QString& folder) {
  return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

// A folder or file name that stays inside its folder on the disk and in an
// address.
bool plainName(const QString& name) {
  return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\');
}

// A file a package download would put in the era's web folder itself.
bool namedLikeAPackage(const QString& name) {
  static const QRegularExpression package(QStringLiteral("^\\d\\d\\.zip$"), QRegularExpression::CaseInsensitiveOption);
  return name.compare(kPackageCount, Qt::CaseInsensitive) == 0 || package.match(name).hasMatch();
}

QString datasetFolderName(const ProgramState& state) {
  const int d = state.dataFolderIndex;
  if (d < 0 || d >= static_cast<int>(state.dataFolders.size())) return QString();
  return state.dataFolders[static_cast<size_t>(d)].folder;
}

// The files the era's check list names that are in its folder, sorted and
// each once; what it names but lacks goes into the notes.
QStringList packagedNames(const ProgramState& state, const QString& eraName, const QString& eraFolder,
                          PublishReport& report) {
  QStringList names;
  ValueReader reader{QString()};
  if (!ValueReader::fromFile(joinPath(eraFolder, state.names[kCheckListFile]), reader, nullptr)) {
    report.notes << QStringLiteral("%1: no readable check list, so no packages").arg(eraName);
    return names;
  }
  int missing = 0, unsafe = 0;
  QString name;
  while (!reader.atEnd() && reader.readText(name)) {
    if (name.isEmpty()) continue;
    if (!plainName(name))
      ++unsafe;
    else if (!QFileInfo(eraFolder + u'/' + name).isFile())
      ++missing;
    else
      names << name;
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  if (missing > 0)
    report.notes << QStringLiteral("%1: %2 files of the check list are missing and are not in its packages")
                        .arg(eraName)
                        .arg(missing);
  if (unsafe > 0)
    report.notes << QStringLiteral("%1: %2 names of the check list point outside its folder and are left out")
                        .arg(eraName)
                        .arg(unsafe);
  return names;
}

bool publishEra(const ProgramState& state, const Era& era, const QString& eraFolder, const QString& target,
                PublishReport& report, QString* error) {
  if (!QDir().mkpath(target)) return fail(error, QStringLiteral("cannot create %1").arg(target));
  const QStringList files = QDir(eraFolder).entryList(QDir::Files, QDir::Name);
  for (const QString& file : files) {
    // What a broken download left behind is no tile, and its name belongs to
    // the packages.
    if (namedLikeAPackage(file)) {
      report.notes << QStringLiteral("%1: %2 is named like a package and is left out").arg(era.name, file);
      continue;
    }
    const QString to = target + u'/' + file;
    if (!QFile::copy(eraFolder + u'/' + file, to))
      return fail(error, QStringLiteral("cannot copy %1 to %2").arg(eraFolder + u'/' + file, to));
    ++report.files;
  }
  ++report.eras;
  // Only the dataset's own sheets come in packages.
  if (eraSource(era).acquisition != EraAcquisition::Packages) return true;

  const QStringList names = packagedNames(state, era.name, eraFolder, report);
  const qsizetype count = (names.size() + kFilesPerPackage - 1) / kFilesPerPackage;
  if (count > kMaxPackages)
    return fail(error, QStringLiteral("%1: %2 files need more than %3 packages of %4")
                           .arg(era.name)
                           .arg(names.size())
                           .arg(kMaxPackages)
                           .arg(kFilesPerPackage));
  for (qsizetype k = 0; k < count; ++k) {
    std::vector<PackageEntry> entries;
    for (const QString& name : names.mid(k * kFilesPerPackage, kFilesPerPackage))
      entries.push_back({name, eraFolder + u'/' + name});
    if (!writePackage(target + u'/' + PackageName(static_cast<int>(k)), entries, error)) return false;
    ++report.packages;
  }
  return writeFileAtomically(target + u'/' + kPackageCount, QByteArray::number(count) + "\r\n", error);
}

}  // namespace

QString mirrorProblem(const QString& url) {
  if (url.contains(u'|') || url.contains(u',') || url.contains(u' '))
    return QStringLiteral("--mirror cannot hold '|', ',' or a blank (they separate the server list's fields): %1")
        .arg(url);
  const QUrl address(url, QUrl::StrictMode);
  const QString scheme = address.scheme().toLower();
  if (!address.isValid() || (scheme != u"http" && scheme != u"https") || address.host().isEmpty())
    return QStringLiteral("--mirror must be an http or https address: %1").arg(url);
  return QString();
}

QString mergeServerList(const QString& existing, const QStringList& mirrors, const QString& dataset) {
  std::vector<DownloadServer> servers = ParseServerList(existing);
  for (DownloadServer& s : servers)
    if (!mirrors.contains(s.baseUrl)) s.datasets.removeAll(dataset);
  for (const QString& mirror : mirrors) {
    auto it =
        std::find_if(servers.begin(), servers.end(), [&](const DownloadServer& s) { return s.baseUrl == mirror; });
    if (it == servers.end()) {
      servers.push_back({mirror, {}});
      it = servers.end() - 1;
    }
    if (!it->datasets.contains(dataset)) it->datasets << dataset;
  }
  QString text;
  for (const DownloadServer& s : servers) {
    // A server that holds nothing would only be asked in vain.
    if (s.datasets.isEmpty()) continue;
    text += s.baseUrl + u'|' + s.datasets.join(u'|') + QStringLiteral("\r\n");
  }
  return text;
}

QString webFolderProblem(const ProgramState& state, const QString& webFolder) {
  const QString dataset = datasetFolderName(state);
  if (!plainName(dataset))
    return QStringLiteral("the data folder's name %1 cannot be a folder of the web folder").arg(dataset);
  const QString web = resolvedPath(webFolder);
  const QString target = web + u'/' + dataset;
  const QString data = resolvedPath(state.datasetFolder);
  if (sameOrInside(target, data) || sameOrInside(data, target))
    return QStringLiteral("-o %1 would write over the data folder %2").arg(webFolder, state.datasetFolder);
  const QFileInfo info(web);
  if (info.exists() && !info.isDir()) return QStringLiteral("-o %1 is not a folder").arg(webFolder);
  if (info.isDir() && !QDir(web).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System) &&
      !QFileInfo::exists(web + u'/' + kServerCheck))
    return QStringLiteral("-o %1 is neither empty nor a web folder (it has no %2)").arg(webFolder, kServerCheck);
  return QString();
}

QString webMapsOnlyProblem(const ProgramState& state, const QString& webFolder, const QString& mapsFolder) {
  const QStringList entries =
      QDir(webFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
  if (entries == QStringList{mapsFolder} && QFileInfo(webFolder + u'/' + mapsFolder).isDir()) {
    // Only the overlap with the data folder is left to check.
    const QString dataset = datasetFolderName(state);
    const QString target = resolvedPath(webFolder) + u'/' + mapsFolder + u'/' + dataset;
    const QString data = resolvedPath(state.datasetFolder);
    if (sameOrInside(target, data) || sameOrInside(data, target))
      return QStringLiteral("-o %1 would write over the data folder %2").arg(webFolder, state.datasetFolder);
    return QString();
  }
  return webFolderProblem(state, webFolder);
}

bool publishWebFolder(const ProgramState& state, const QStringList& mirrors, const QString& webFolder,
                      PublishReport& report, QString* error) {
  const QString problem = webFolderProblem(state, webFolder);
  if (!problem.isEmpty()) return fail(error, problem);
  const QString dataset = datasetFolderName(state);
  const QString web = QDir::cleanPath(QDir(webFolder).absolutePath());
  if (!QDir().mkpath(web)) return fail(error, QStringLiteral("cannot create %1").arg(web));

  // The new part is built beside the old one and takes its place only when
  // complete: a server never serves half of it.
  QTemporaryDir staging(web + QStringLiteral("/.kavalo-publish-XXXXXX"));
  if (!staging.isValid()) return fail(error, QStringLiteral("cannot create a folder in %1").arg(web));
  QStringList done;
  for (const Era& era : state.eras) {
    if (done.contains(era.name)) continue;
    done << era.name;
    const QString eraFolder = joinPath(state.datasetFolder, u'\\' + era.name);
    if (!plainName(era.name) || !QFileInfo(eraFolder).isDir()) {
      report.notes << QStringLiteral("%1: no era folder, nothing published").arg(era.name);
      continue;
    }
    if (!publishEra(state, era, eraFolder, staging.path() + u'/' + era.name, report, error)) return false;
  }

  const QString target = web + u'/' + dataset;
  QString old;
  if (QFileInfo::exists(target)) {
    QTemporaryDir aside(web + QStringLiteral("/.kavalo-old-XXXXXX"));
    if (!aside.isValid()) return fail(error, QStringLiteral("cannot create a folder in %1").arg(web));
    aside.setAutoRemove(false);
    old = aside.path();
    QDir().rmdir(old);
    if (!QDir().rename(target, old)) {
      return fail(error, QStringLiteral("cannot move the published %1 aside").arg(target));
    }
  }
  if (!QDir().rename(staging.path(), target)) {
    if (!old.isEmpty()) QDir().rename(old, target);
    return fail(error, QStringLiteral("cannot move the new folder to %1").arg(target));
  }
  staging.setAutoRemove(false);
  // A temporary folder is private to its owner; the web server must read it
  // as it reads the web folder.
  QFile::setPermissions(target, QFileInfo(web).permissions());
  if (!old.isEmpty()) QDir(old).removeRecursively();

  QString existing;
  const QString listPath = web + u'/' + kServerList;
  if (QFileInfo::exists(listPath)) {
    QByteArray bytes;
    if (!readFileBytes(listPath, bytes, error)) return false;
    existing = fromSjis(bytes);
  }
  bool encoded = false;
  const QByteArray list = toSjis(mergeServerList(existing, mirrors, dataset), &encoded);
  if (!encoded) return fail(error, QStringLiteral("the server list has no Shift-JIS spelling"));
  return writeFileAtomically(web + u'/' + kServerCheck, "OK\r\n", error) && writeFileAtomically(listPath, list, error);
}

}  // namespace kavalo
