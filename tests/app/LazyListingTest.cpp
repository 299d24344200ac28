// SPDX-License-Identifier: MIT
// An era folder may hold a million tiles: loading a data folder never lists
// one, and drawing an era whose tiles are all there lists none either. Every
// folder the process opens for listing is recorded here, by standing in for
// the C library's opendir (the program and Qt list folders through it).
#include <gtest/gtest.h>

#include <dirent.h>
#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdlib>
#include <mutex>

#include "render/RenderFixture.h"
#include "support/Fixtures.h"

namespace {

std::mutex listedMutex;
QStringList listed;

}  // namespace

extern "C" DIR* opendir(const char* name) {
  using Real = DIR* (*)(const char*);
  static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "opendir"));
  {
    std::lock_guard lock(listedMutex);
    listed << QDir::cleanPath(QString::fromLocal8Bit(name));
  }
  return real(name);
}

using namespace kavalo;

namespace {

QStringList listedSoFar() {
  std::lock_guard lock(listedMutex);
  return listed;
}

void forgetListed() {
  std::lock_guard lock(listedMutex);
  listed.clear();
}

}  // namespace

TEST(LazyListing, NoEraFolderIsListedToLoadOrToDrawAWholeEra) {
  test::RenderFixture f;
  f.data.write();
  test::writeSjis(f.data.folder + QStringLiteral("/map_densikokudo_ortho_info.txt"),
                  QStringLiteral("1\nDKO00,2012,2012,2012/03/04\n"));
  // Every era has every tile of the 4 x 4 mosaic.
  const QString eras[] = {QStringLiteral("E1900"), QStringLiteral("E1930"), QStringLiteral("DKO00")};
  for (const QString& era : eras) {
    QDir().mkpath(f.data.folder + u'/' + era);
    f.solidTiles(
        era, [](int, int) { return qRgb(0, 128, 0); }, era == u"DKO00" ? QStringLiteral("jpg") : QStringLiteral("png"));
  }
  forgetListed();
  ASSERT_TRUE(f.load());
  ASSERT_EQ(f.state.eras.size(), 3u);
  EXPECT_EQ(f.state.eras.back().name, QStringLiteral("DKO00"));

  for (int era = 0; era < 3; ++era) {
    SCOPED_TRACE(era);
    f.state.view.eraIndex = era;
    const QImage& picture = f.compose();
    // The tile is drawn (JPEG only near the colour it was written in).
    const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() / 2);
    EXPECT_LT(std::abs(centre.green() - 128) + centre.red() + centre.blue(), 12) << centre.name().toStdString();
  }
  const QStringList opened = listedSoFar();
  for (const QString& era : eras)
    EXPECT_FALSE(opened.contains(QDir::cleanPath(f.data.folder + u'/' + era))) << era.toStdString();
  // The lookups still find a file whose name differs in letter case.
  QFile::rename(f.eraFile(QStringLiteral("E1900"), QStringLiteral("001_001.png")),
                f.eraFile(QStringLiteral("E1900"), QStringLiteral("001_001.PNG")));
  f.state.view.eraIndex = 0;
  const QImage& picture = f.compose();
  EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() / 2), qRgb(0, 128, 0));
  // That took a listing of the era shown, and this test saw it.
  EXPECT_TRUE(listedSoFar().contains(QDir::cleanPath(f.data.folder + QStringLiteral("/E1900"))));
}
