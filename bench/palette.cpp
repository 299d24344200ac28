// SPDX-License-Identifier: MIT
// The colour error of 8-bit map tiles against the picture they were reduced
// from: a fixed colour cube with error diffusion (what the tiles were before)
// and a palette of each tile's own colours. The pictures are the sample
// region's sheets as a warp gives them (turned and scaled with smooth
// resampling, so that their edges blend into many shades); the figure is
// the mean CIEDE2000 difference per pixel.
//
//   bench_palette [SAMPLE_FOLDER]      (default: build/sample/sample)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <cstdio>
#include <vector>

#include "render/ColourDifference.h"
#include "render/PaletteQuantizer.h"

using namespace kavalo;

namespace {

// A block of 3 x 3 tiles of an era folder, turned 2.5 degrees and scaled by
// 1.13 as a scan warped onto the tile grid is.
QImage warpedBlock(const QString& folder, int col0, int row0) {
  QImage block(3 * 256, 3 * 256, QImage::Format_RGB32);
  block.fill(Qt::white);
  QPainter p(&block);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const QString base =
          QStringLiteral("%1/%2_%3").arg(folder).arg(col0 + c, 3, 10, QChar(u'0')).arg(row0 + r, 3, 10, QChar(u'0'));
      QImage tile(base + QStringLiteral(".png"));
      if (tile.isNull()) tile = QImage(base + QStringLiteral(".jpg"));
      if (!tile.isNull()) p.drawImage(QRect(c * 256, r * 256, 256, 256), tile);
    }
  p.end();
  const QImage turned = block.transformed(QTransform().rotate(2.5).scale(1.13, 1.13), Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_RGB32);
  return turned.copy((turned.width() - 512) / 2, (turned.height() - 512) / 2, 512, 512);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("build/sample/sample");
  double cube = 0.0, own = 0.0;
  int tiles = 0;
  for (const QString& era : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    const QString folder = root + u'/' + era;
    // Photos are kept as JPEG; only map eras are written with a palette.
    if (era == u"legend" || QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files).isEmpty()) continue;
    double eraCube = 0.0, eraOwn = 0.0;
    int eraTiles = 0;
    for (int start = 0; start < 2; ++start) {
      const QImage picture = warpedBlock(folder, start, start);
      for (int ty = 0; ty < 2; ++ty)
        for (int tx = 0; tx < 2; ++tx) {
          const QImage tile = picture.copy(tx * 256, ty * 256, 256, 256);
          const double before = meanColourDifference(tile.convertToFormat(QImage::Format_Indexed8), tile);
          const double after = meanColourDifference(quantizeToPalette(tile), tile);
          eraCube += before;
          eraOwn += after;
          ++eraTiles;
        }
    }
    if (eraTiles == 0) continue;
    std::printf("%-10s %2d tiles  cube+dither %.2f  own palette %.2f\n", qPrintable(era), eraTiles, eraCube / eraTiles,
                eraOwn / eraTiles);
    cube += eraCube;
    own += eraOwn;
    tiles += eraTiles;
  }
  if (tiles == 0) {
    std::fprintf(stderr, "bench_palette: no tiles under %s\n", qPrintable(root));
    return 1;
  }
  std::printf("all        %2d tiles  cube+dither %.2f  own palette %.2f  (mean CIEDE2000)\n", tiles, cube / tiles,
              own / tiles);
  return 0;
}
