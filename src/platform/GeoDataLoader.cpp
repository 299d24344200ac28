// SPDX-License-Identifier: MIT
#include "platform/GeoDataLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <mutex>

#ifndef KAVALO_INSTALL_LIBDIR
#define KAVALO_INSTALL_LIBDIR "/usr/local/lib"
#endif

namespace kavalo {

namespace {

const QString kModuleFile = QStringLiteral("libkavalo-geodata.so");

struct Loaded {
  std::once_flag once;
  GeoData* services = nullptr;
  QString error;
};

Loaded& loaded() {
  static Loaded l;
  return l;
}

void load(Loaded& l) {
  QStringList tried;
  for (const QString& path : geoDataCandidates()) {
    if (!QFileInfo::exists(path)) continue;
    // The module stays loaded for the life of the program: its object is
    // used until exit.
    auto* library = new QLibrary(path);
    auto factory = reinterpret_cast<GeoDataFactory>(library->resolve(kGeoDataFactoryName));
    GeoData* services = factory ? factory(kGeoDataInterfaceVersion) : nullptr;
    if (services) {
      l.services = services;
      return;
    }
    tried << path + QStringLiteral(": ") +
                 (factory ? QStringLiteral("another version of the module") : library->errorString());
    library->unload();
    delete library;
  }
  l.error =
      QCoreApplication::translate("kavalo::GeoDataLoader", "地理データ部品（%1）を読み込めません。").arg(kModuleFile);
  if (!tried.isEmpty()) l.error += u'\n' + tried.join(u'\n');
}

}  // namespace

QStringList geoDataCandidates() {
  QStringList list;
  const QString env = qEnvironmentVariable("KAVALO_GEODATA_PLUGIN");
  if (!env.isEmpty()) list << (QFileInfo(env).isDir() ? QDir(env).filePath(kModuleFile) : env);
  const QString exe = QCoreApplication::applicationDirPath();
  if (!exe.isEmpty()) {
    list << QDir(exe).filePath(kModuleFile);
    list << QDir::cleanPath(exe + QStringLiteral("/../lib/kavalo/") + kModuleFile);
  }
  list << QDir::cleanPath(QStringLiteral(KAVALO_INSTALL_LIBDIR "/kavalo/") + kModuleFile);
  list.removeDuplicates();
  return list;
}

GeoData* geoData(QString* error) {
  Loaded& l = loaded();
  std::call_once(l.once, [&] { load(l); });
  if (!l.services && error) *error = l.error;
  return l.services;
}

}  // namespace kavalo
