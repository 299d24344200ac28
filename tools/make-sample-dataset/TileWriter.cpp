// SPDX-License-Identifier: MIT
#include "TileWriter.h"

#include <QDir>
#include <functional>
#include <memory>
#include <mutex>

#include "MapPainter.h"
#include "Palette.h"
#include "Parallel.h"
#include "PhotoPainter.h"
#include "model/Coordinates.h"

namespace sample {

namespace {

using Painter = std::function<QImage(const QRectF& world, QSize size)>;

// One picture to draw: a sheet cell of an era (cut into its tiles) or a
// whole 1:20,000 sheet.
struct Job {
  Painter paint;
  QRectF world;
  QSize size;
  QString folder;  // absolute path of the era folder
  QString era;
  QString ext;
  int firstColumn = 0;
  int firstRow = 0;
  bool masked = false;
  QString sheetFile;  // set for a whole sheet image
};

class Failure {
 public:
  void set(const QString& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (message_.isEmpty()) message_ = message;
  }
  QString message() const { return message_; }

 private:
  std::mutex mutex_;
  QString message_;
};

bool save(const QImage& image, const QString& path, const QString& ext, Failure& failure) {
  // PNG at a middle compression: much quicker than the default for a few
  // per cent more bytes.
  const bool ok = ext == u"jpg" ? image.save(path, "JPEG", 80) : image.save(path, "PNG", 50);
  if (!ok) failure.set(QStringLiteral("cannot write %1").arg(path));
  return ok;
}

void runJob(const Job& job, Failure& failure) {
  const QImage drawn = job.paint(job.world, job.size);
  QImage picture = drawn, masks;
  if (job.masked)
    splitMask(drawn, picture, masks);
  else if (job.ext == u"png")
    picture = toPalette(drawn);
  if (!job.sheetFile.isEmpty()) {
    save(picture, job.folder + u'/' + job.sheetFile, job.ext, failure);
    return;
  }
  for (int r = 0; r < kTilesPerSheetY; ++r) {
    for (int c = 0; c < kTilesPerSheetX; ++c) {
      const QString name = tileName(job.firstColumn + c, job.firstRow + r, job.ext);
      const QRect rect(c * kTileWidth, r * kTileHeight, kTileWidth, kTileHeight);
      if (!isLeftOut(job.era, name)) save(picture.copy(rect), job.folder + u'/' + name, job.ext, failure);
      if (job.masked && !isLeftOut(job.era, QStringLiteral("M_") + name))
        save(masks.copy(rect), job.folder + QStringLiteral("/M_") + name, job.ext, failure);
    }
  }
}

// The world rectangle of sheet cell (column, row) of the grid of a frame.
QRectF sheetRect(int frameType, int column, int row) {
  const Offset o = kFrameOffsets[static_cast<size_t>(frameType)];
  return QRectF(o.x + column * kSheetWidth, o.y + row * kSheetHeight, kSheetWidth, kSheetHeight);
}

Painter mapPainter(const Scene& scene, MapStyle style) {
  return
      [&scene, look = lookFor(style)](const QRectF& world, QSize size) { return paintMap(scene, look, world, size); };
}

Painter photoPainter(const Scene& scene, PhotoLook look) {
  return [&scene, look](const QRectF& world, QSize size) { return paintPhoto(scene, look, world, size); };
}

Painter sepiaPainter(const Scene& scene) {
  return [&scene, look = lookFor(MapStyle::RapidSurvey)](const QRectF& world, QSize size) {
    QImage image = paintMap(scene, look, world, size);
    ageToSepia(image, world);
    return image;
  };
}

}  // namespace

QString tileName(int column, int row, const QString& ext) {
  return QStringLiteral("%1_%2.%3")
      .arg(column % 1000, 3, 10, QLatin1Char('0'))
      .arg(row % 1000, 3, 10, QLatin1Char('0'))
      .arg(ext);
}

QStringList sheetEraImages(const SheetEra& era) {
  QStringList names;
  for (int row = 0; row < kTotalRows; ++row) {
    for (int column = 0; column < kTotalCols; ++column) {
      if (era.sheets[row / kTilesPerSheetY][column / kTilesPerSheetX] != Presence::Own) continue;
      const QString name = tileName(column, row, QStringLiteral("png"));
      names << name;
      if (era.tileStyle == 1) names << QStringLiteral("M_") + name;
    }
  }
  return names;
}

QStringList twentyThousandImages() {
  QStringList names;
  for (const TwentyThousandSheet& s : twentyThousandEra().sheets) names << s.file;
  return names;
}

namespace {
bool g_writeLeftOut = false;
}  // namespace

void setWriteLeftOut(bool writeThem) { g_writeLeftOut = writeThem; }

bool isLeftOut(const QString& era, const QString& file) {
  if (g_writeLeftOut) return false;
  for (const MissingFile& m : kMissingFiles)
    if (era == QLatin1String(m.era) && file == QLatin1String(m.file)) return true;
  return false;
}

void splitMask(const QImage& map, QImage& tile, QImage& mask) {
  // The mask is cut from the colours as they will be stored, so that a
  // stored pixel near white is always a transparent one.
  QImage rgb = toPalette(map).convertToFormat(QImage::Format_RGB32);
  mask = QImage(map.size(), QImage::Format_Grayscale8);
  for (int y = 0; y < rgb.height(); ++y) {
    QRgb* t = reinterpret_cast<QRgb*>(rgb.scanLine(y));
    uchar* m = mask.scanLine(y);
    for (int x = 0; x < rgb.width(); ++x) {
      const bool paper = qRed(t[x]) + qGreen(t[x]) + qBlue(t[x]) > 749;
      m[x] = paper ? 255 : 0;
      if (paper) t[x] = qRgb(0, 0, 0);
    }
  }
  tile = toPalette(rgb);
}

bool writeAllEras(const World& world, const std::vector<ContourLine>& contours, const kavalo::MapInfo& info,
                  const QString& datasetDir, QString* error) {
  std::vector<std::unique_ptr<Scene>> scenes;
  std::vector<Job> jobs;
  auto folderOf = [&](const QString& era) {
    QDir().mkpath(datasetDir + u'/' + era);
    return datasetDir + u'/' + era;
  };

  for (const SheetEra& era : sheetEras()) {
    scenes.push_back(std::make_unique<Scene>(world, era.worldYear(), contours));
    const QString folder = folderOf(era.folder);
    for (int row = 0; row < kSheetsY; ++row)
      for (int column = 0; column < kSheetsX; ++column) {
        if (era.sheets[row][column] != Presence::Own) continue;
        jobs.push_back({mapPainter(*scenes.back(), era.style), sheetRect(era.frameType, column, row),
                        QSize(kSheetWidth, kSheetHeight), folder, era.folder, QStringLiteral("png"),
                        column * kTilesPerSheetX, row * kTilesPerSheetY, era.tileStyle == 1, QString()});
      }
  }
  for (const TileEra& era : tileEras()) {
    scenes.push_back(std::make_unique<Scene>(world, era.worldYear, contours));
    const Scene& scene = *scenes.back();
    Painter paint = era.kind == 1   ? mapPainter(scene, MapStyle::Agency)
                    : era.kind == 3 ? sepiaPainter(scene)
                                    : photoPainter(scene, era.kind == 2 ? PhotoLook::Film1980 : PhotoLook::Digital);
    const QString folder = folderOf(era.folder);
    for (int row = 0; row < kSheetsY; ++row)
      for (int column = 0; column < kSheetsX; ++column)
        jobs.push_back({paint, sheetRect(kavalo::kWorldFrame, column, row), QSize(kSheetWidth, kSheetHeight), folder,
                        era.folder, era.ext, column * kTilesPerSheetX, row * kTilesPerSheetY, era.kind == 1,
                        QString()});
  }
  const TwentyThousandEra& twenty = twentyThousandEra();
  scenes.push_back(std::make_unique<Scene>(world, (twenty.yearFrom + twenty.yearTo) / 2, contours));
  const QString twentyFolder = folderOf(QStringLiteral("2man"));
  for (const TwentyThousandSheet& s : twenty.sheets) {
    // The sheet is placed by its box, read in the Tokyo datum.
    const kavalo::ImagePoint nw =
        kavalo::LatLonToImage(info, static_cast<float>(s.north), static_cast<float>(s.west), 0);
    const kavalo::ImagePoint se =
        kavalo::LatLonToImage(info, static_cast<float>(s.south), static_cast<float>(s.east), 0);
    Job job;
    job.paint = mapPainter(*scenes.back(), MapStyle::TwentyThousand);
    job.world = QRectF(QPointF(nw.x, nw.y), QPointF(se.x, se.y));
    job.size = QSize(kSheetWidth, kSheetHeight);
    job.folder = twentyFolder;
    job.era = QStringLiteral("2man");
    job.ext = QStringLiteral("png");
    job.sheetFile = s.file;
    jobs.push_back(job);
  }

  Failure failure;
  parallelFor(static_cast<int>(jobs.size()), [&](int i) { runJob(jobs[static_cast<size_t>(i)], failure); });
  if (!failure.message().isEmpty()) {
    if (error) *error = failure.message();
    return false;
  }
  return true;
}

}  // namespace sample
