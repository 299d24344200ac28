// SPDX-License-Identifier: MIT
// The dataset's web folder and its download servers, played from the
// region: under /kavalo/ the server check, the server list and every tile
// (for fetching on demand); under /mirror1/ and /mirror2/ (two "servers"
// of the list, both on this one) each era's zipfilenum.txt and its numbered
// zip packages, built at start from the era's check list. The list also
// names a server that does not answer, which the program must pass over.
#include <httplib.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <memory>

#include "SampleServer.h"
#include "platform/Codec.h"
#include "platform/ValueReader.h"

namespace sampleserver {

namespace {

constexpr int kFilesPerPackage = 25;
// Port 1 on this machine: nothing listens there, so it refuses at once.
constexpr const char* kDeadServer = "http://127.0.0.1:1/kavalo-dead/";
const char* const kMirrors[] = {"mirror1", "mirror2"};

// One "dataset/era" and its packages.
struct EraPackages {
  QString folder;  // work folder holding 00.zip, 01.zip, …
  int count = 0;
};

struct WebFolder {
  QString regionRoot;
  QHash<QString, EraPackages> eras;  // "dataset/era"
};

bool readFile(const QString& path, std::string& out) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  out = f.readAll().toStdString();
  return true;
}

const char* contentType(const QString& name) {
  const QString ext = QFileInfo(name).suffix().toLower();
  if (ext == u"png") return "image/png";
  if (ext == u"jpg" || ext == u"jpeg") return "image/jpeg";
  if (ext == u"zip") return "application/zip";
  return "text/plain";
}

// A path part taken from a request never leaves its folder.
bool plainPart(const QString& part) {
  return !part.isEmpty() && part != u"." && part != u".." && !part.contains(u'/') && !part.contains(u'\\');
}

void serveFileOr404(const QString& path, httplib::Response& res) {
  std::string body;
  if (!QFileInfo(path).isFile() || !readFile(path, body)) {
    res.status = 404;
    res.set_content("not found", "text/plain");
    return;
  }
  res.set_content(body, contentType(path));
}

QStringList checkListNames(const QString& path) {
  QStringList names;
  kavalo::ValueReader reader{QString()};
  if (!kavalo::ValueReader::fromFile(path, reader, nullptr)) return names;
  QString name;
  while (!reader.atEnd() && reader.readText(name))
    if (!name.isEmpty()) names << name;
  return names;
}

// Names are stored as Shift-JIS bytes without the UTF-8 flag, as packages
// made on Windows are.
bool writePackage(const QString& zipPath, const QString& eraFolder, const QStringList& names, QString* error) {
  int code = 0;
  zip_t* zip = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!zip) {
    *error = QStringLiteral("cannot create %1").arg(zipPath);
    return false;
  }
  for (const QString& name : names) {
    const QByteArray source = QFile::encodeName(eraFolder + u'/' + name);
    zip_source_t* src = zip_source_file(zip, source.constData(), 0, -1);
    const QByteArray stored = kavalo::toSjis(name);
    const zip_int64_t index = src ? zip_file_add(zip, stored.constData(), src, ZIP_FL_ENC_CP437) : -1;
    if (index < 0) {
      if (src) zip_source_free(src);
      zip_discard(zip);
      *error = QStringLiteral("cannot add %1 to %2").arg(name, zipPath);
      return false;
    }
    // Tiles are compressed images already.
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(zip) != 0) {
    zip_discard(zip);
    *error = QStringLiteral("cannot write %1").arg(zipPath);
    return false;
  }
  return true;
}

bool buildPackages(WebFolder& web, const QString& workFolder, QString* error) {
  const QDir root(web.regionRoot);
  for (const QString& dataset : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    const QDir datasetDir(root.filePath(dataset));
    for (const QString& era : datasetDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
      const QString eraFolder = datasetDir.filePath(era);
      const QString checkList = eraFolder + QStringLiteral("/gazo_check_list.txt");
      if (!QFileInfo::exists(checkList)) continue;
      QStringList names;
      for (const QString& n : checkListNames(checkList))
        if (QFileInfo::exists(eraFolder + u'/' + n)) names << n;
      EraPackages packages;
      packages.folder = workFolder + u'/' + dataset + u'/' + era;
      if (!QDir().mkpath(packages.folder)) {
        *error = QStringLiteral("cannot create %1").arg(packages.folder);
        return false;
      }
      for (qsizetype first = 0; first < names.size(); first += kFilesPerPackage) {
        const QString zipName = QStringLiteral("%1.zip").arg(packages.count % 100, 2, 10, QChar(u'0'));
        if (!writePackage(packages.folder + u'/' + zipName, eraFolder, names.mid(first, kFilesPerPackage), error))
          return false;
        ++packages.count;
      }
      web.eras.insert(dataset + u'/' + era, packages);
    }
  }
  return true;
}

bool installWebFolder(httplib::Server& http, ServerContext& context, QString* error) {
  if (!context.publishedFolder.isEmpty()) return true;  // the published folder is the web folder
  auto web = std::make_shared<WebFolder>();
  web->regionRoot = context.regionRoot;
  if (!buildPackages(*web, context.workFolder + QStringLiteral("/packages"), error)) return false;

  const QString origin = context.origin();
  QString list;
  list += origin + u'/' + QLatin1String(kMirrors[0]) + QStringLiteral("/|sample||empty\r\n");
  list += QLatin1String(kDeadServer) + QStringLiteral("|sample\r\n");
  list += origin + u'/' + QLatin1String(kMirrors[1]) + QStringLiteral("/|sample|\r\n");
  const std::string listBytes = kavalo::toSjis(list).toStdString();

  http.Get("/kavalo/servercheck.txt",
           [](const httplib::Request&, httplib::Response& res) { res.set_content("OK\r\n", "text/plain"); });
  http.Get("/kavalo/download_serverlist210.txt",
           [listBytes](const httplib::Request&, httplib::Response& res) { res.set_content(listBytes, "text/plain"); });
  // Tiles fetched on demand: /kavalo/<dataset>/<era>/<file>.
  http.Get(R"(/kavalo/([^/]+)/([^/]+)/([^/]+))", [web](const httplib::Request& req, httplib::Response& res) {
    const QString dataset = QString::fromStdString(req.matches[1]);
    const QString era = QString::fromStdString(req.matches[2]);
    const QString file = QString::fromStdString(req.matches[3]);
    if (!plainPart(dataset) || !plainPart(era) || !plainPart(file)) {
      res.status = 404;
      return;
    }
    serveFileOr404(web->regionRoot + u'/' + dataset + u'/' + era + u'/' + file, res);
  });
  // Packages: /mirrorN/<dataset>/<era>/zipfilenum.txt and NN.zip.
  for (const char* mirror : kMirrors) {
    const std::string pattern = std::string("/") + mirror + R"(/([^/]+)/([^/]+)/([^/]+))";
    http.Get(pattern, [web](const httplib::Request& req, httplib::Response& res) {
      const QString key = QString::fromStdString(req.matches[1]) + u'/' + QString::fromStdString(req.matches[2]);
      const QString file = QString::fromStdString(req.matches[3]);
      const auto it = web->eras.constFind(key);
      if (it == web->eras.constEnd() || !plainPart(file)) {
        res.status = 404;
        return;
      }
      if (file == u"zipfilenum.txt") {
        res.set_content(std::to_string(it->count) + "\r\n", "text/plain");
        return;
      }
      serveFileOr404(it->folder + u'/' + file, res);
    });
  }
  context.environment.push_back(QStringLiteral("KAVALO_WEB_BASE=%1/kavalo/").arg(origin));
  return true;
}

const EndpointRegistration kWebFolder("web-folder", &installWebFolder);

}  // namespace

}  // namespace sampleserver
