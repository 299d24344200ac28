// SPDX-License-Identifier: MIT
// The outside image services of the sample region: the agency's 30" pieces
// and its portal, the research institute's map service and its site, and a
// web-mercator tile service. Every answer is cut from the region's own eras
// of the same kind (drawn on the world-datum frame), so that a fetched era
// lines up with the eras the region already has.
#include <httplib.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <cmath>
#include <map>
#include <memory>
#include <mutex>

#include "SampleServer.h"
#include "model/MapInfo.h"
#include "net/XyzTiles.h"
#include "render/ImageLibrary.h"
#include "render/Tiles.h"

namespace {

using kavalo::MapInfo;

constexpr double kPi = 3.14159265358979323846;

// One era of the region as a single picture of its whole grid.
class EraPicture {
 public:
  EraPicture(const QString& folder, const MapInfo& info, const QString& ext, bool masked)
      : folder_(folder), info_(info), ext_(ext), masked_(masked) {}

  const QImage& image() {
    std::call_once(once_, [this] { load(); });
    return image_;
  }

 private:
  void load() {
    const int w = info_.tileWidth, h = info_.tileHeight;
    image_ = QImage(w * info_.totalCols, h * info_.totalRows, QImage::Format_RGB32);
    image_.fill(qRgb(255, 255, 255));
    for (int row = 0; row < info_.totalRows; ++row)
      for (int col = 0; col < info_.totalCols; ++col) {
        QImage tile = kavalo::toOpaqueRgb32(QImage(folder_ + u'/' + kavalo::TileName(col, row, ext_)));
        if (tile.isNull()) continue;
        if (masked_) {
          // The paper the mask punched out is white again.
          const QImage mask =
              QImage(folder_ + u'/' + kavalo::MaskName(col, row, ext_)).convertToFormat(QImage::Format_Grayscale8);
          for (int y = 0; y < tile.height() && !mask.isNull() && y < mask.height(); ++y) {
            QRgb* t = reinterpret_cast<QRgb*>(tile.scanLine(y));
            const uchar* m = mask.constScanLine(y);
            for (int x = 0; x < tile.width() && x < mask.width(); ++x)
              if (m[x] > 127) t[x] = qRgb(255, 255, 255);
          }
        }
        for (int y = 0; y < h && y < tile.height(); ++y)
          std::memcpy(reinterpret_cast<QRgb*>(image_.scanLine(row * h + y)) + col * w, tile.constScanLine(y),
                      static_cast<size_t>(std::min(w, tile.width())) * 4);
      }
  }

  QString folder_;
  MapInfo info_;
  QString ext_;
  bool masked_;
  std::once_flag once_;
  QImage image_;
};

struct Region {
  MapInfo info;
  std::map<QString, std::unique_ptr<EraPicture>> eras;

  // Picture pixel of a world-datum longitude and latitude: the era grid
  // starts at the graticule's north-west corner read in the world datum.
  double px(double lon) const {
    return (lon - info.west) / (info.sheetsX * 0.125) * (static_cast<double>(info.totalCols) * info.tileWidth);
  }
  double py(double lat) const {
    return (info.north - lat) / (info.sheetsY * 0.08333333) * (static_cast<double>(info.totalRows) * info.tileHeight);
  }
  bool covers(double west, double south, double east, double north) const {
    return east > info.west && west < info.west + info.sheetsX * 0.125 && north > info.south && south < info.north;
  }
};

Region* region() {
  static Region r;
  return &r;
}

QRgb bilinear(const QImage& img, double x, double y) {
  x -= 0.5;
  y -= 0.5;
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  auto at = [&](int xi, int yi) -> QRgb {
    if (xi < 0 || yi < 0 || xi >= img.width() || yi >= img.height()) return qRgb(255, 255, 255);
    return reinterpret_cast<const QRgb*>(img.constScanLine(yi))[xi];
  };
  const QRgb a = at(x0, y0), b = at(x0 + 1, y0), c = at(x0, y0 + 1), d = at(x0 + 1, y0 + 1);
  auto mix = [&](int pa, int pb, int pc, int pd) {
    const double top = pa + (pb - pa) * fx, bottom = pc + (pd - pc) * fx;
    return static_cast<int>(std::lround(top + (bottom - top) * fy));
  };
  return qRgb(mix(qRed(a), qRed(b), qRed(c), qRed(d)), mix(qGreen(a), qGreen(b), qGreen(c), qGreen(d)),
              mix(qBlue(a), qBlue(b), qBlue(c), qBlue(d)));
}

// A box in world-datum degrees drawn at a size from an era.
QImage renderBox(const QImage& era, double west, double south, double east, double north, int w, int h) {
  const Region& r = *region();
  QImage out(w, h, QImage::Format_RGB32);
  const double x0 = r.px(west), x1 = r.px(east), y0 = r.py(north), y1 = r.py(south);
  for (int y = 0; y < h; ++y) {
    QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
    const double sy = y0 + (y + 0.5) / h * (y1 - y0);
    for (int x = 0; x < w; ++x) o[x] = bilinear(era, x0 + (x + 0.5) / w * (x1 - x0), sy);
  }
  return out;
}

void sendImage(httplib::Response& res, const QImage& image, bool png) {
  const QByteArray bytes = png ? kavalo::encodePng(image) : kavalo::encodeJpeg(image, 85);
  res.set_content(bytes.toStdString(), png ? "image/png" : "image/jpeg");
}

void sendPage(httplib::Response& res, const char* title) {
  res.set_content(std::string("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>") + title +
                      "</title></head><body>" + title + "</body></html>",
                  "text/html; charset=utf-8");
}

bool installAcquire(httplib::Server& http, sampleserver::ServerContext& context, QString* error) {
  Region& r = *region();
  const QString dataset = context.regionRoot + QStringLiteral("/sample");
  QString why;
  if (!kavalo::readMapInfo(dataset + QStringLiteral("/mapinfo.txt"), r.info, &why) ||
      !kavalo::deriveGrid(r.info, &why)) {
    *error = QStringLiteral("the sample region cannot be read: ") + why;
    return false;
  }
  const struct {
    const char* name;
    const char* ext;
    bool masked;
  } eras[] = {{"W00", "png", true}, {"DKO00", "jpg", false}, {"ORTHO1", "jpg", false}, {"JINNSOKU", "jpg", false}};
  for (const auto& e : eras)
    r.eras[QString::fromLatin1(e.name)] = std::make_unique<EraPicture>(dataset + u'/' + QString::fromLatin1(e.name),
                                                                       r.info, QString::fromLatin1(e.ext), e.masked);

  // The agency: pieces of 30" x 30" at 300 x 300 pixels, named by the
  // south-west corner in hundredths of an arc-second.
  http.Get(R"(/data/30(nti/new|ort|nlii/[1-4]|toh/0311|toh/0601)/(\d+)/(\d+)-(\d+)-(img|ort)\.(png|jpg))",
           [](const httplib::Request& req, httplib::Response& res) {
             const std::string kind = req.matches[1];
             const double x = std::stod(req.matches[3]), y = std::stod(req.matches[4]);
             const bool png = req.matches[6] == "png";
             const double west = x / 360000.0, south = y / 360000.0, side = 30.0 / 3600.0;
             Region& r = *region();
             if (req.matches[2] != req.matches[3] || png != (kind == "nti/new") ||
                 !r.covers(west, south, west + side, south + side)) {
               res.status = 404;
               return;
             }
             const QString era = kind == "nti/new"            ? QStringLiteral("W00")
                                 : kind.rfind("nlii", 0) == 0 ? QStringLiteral("ORTHO1")
                                                              : QStringLiteral("DKO00");
             sendImage(res, renderBox(r.eras[era]->image(), west, south, west + side, south + side, 300, 300), png);
           });
  http.Get("/agency-portal/index.html",
           [](const httplib::Request&, httplib::Response& res) { sendPage(res, "agency portal (sample)"); });

  // The research institute's map service: GetMap for any box.
  http.Get("/wms/geoserver201/gwc/service/wms", [](const httplib::Request& req, httplib::Response& res) {
    const QStringList box = QString::fromStdString(req.get_param_value("BBOX")).split(u',');
    const int w = std::atoi(req.get_param_value("WIDTH").c_str()), h = std::atoi(req.get_param_value("HEIGHT").c_str());
    if (box.size() != 4 || w < 1 || h < 1 || w > 2048 || h > 2048) {
      res.status = 400;
      return;
    }
    Region& r = *region();
    sendImage(res,
              renderBox(r.eras[QStringLiteral("JINNSOKU")]->image(), box[0].toDouble(), box[1].toDouble(),
                        box[2].toDouble(), box[3].toDouble(), w, h),
              true);
  });
  http.Get("/wms-site/index.html",
           [](const httplib::Request&, httplib::Response& res) { sendPage(res, "map service site (sample)"); });

  // Web-mercator tiles of the map and of the photos.
  http.Get(R"(/xyz/(map|photo)/(\d+)/(\d+)/(\d+)\.(png|jpg))", [](const httplib::Request& req, httplib::Response& res) {
    const int z = std::stoi(req.matches[2]), tx = std::stoi(req.matches[3]), ty = std::stoi(req.matches[4]);
    const bool map = req.matches[1] == "map";
    if (z > 22) {
      res.status = 404;
      return;
    }
    const double n = std::ldexp(1.0, z);
    auto lonOf = [&](double x) { return x / (256.0 * n) * 360.0 - 180.0; };
    auto latOf = [&](double y) { return std::atan(std::sinh(kPi * (1 - 2 * y / (256.0 * n)))) * 180.0 / kPi; };
    Region& r = *region();
    if (!r.covers(lonOf(tx * 256.0), latOf((ty + 1) * 256.0), lonOf((tx + 1) * 256.0), latOf(ty * 256.0))) {
      res.status = 404;
      return;
    }
    const QImage& era = r.eras[map ? QStringLiteral("W00") : QStringLiteral("DKO00")]->image();
    QImage out(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
      QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
      const double sy = r.py(latOf(ty * 256.0 + y + 0.5));
      for (int x = 0; x < 256; ++x) o[x] = bilinear(era, r.px(lonOf(tx * 256.0 + x + 0.5)), sy);
    }
    sendImage(res, out, req.matches[5] == "png");
  });

  const QString origin = context.origin();
  context.environment.push_back(QStringLiteral("KAVALO_AGENCY_TILES=") + origin);
  context.environment.push_back(QStringLiteral("KAVALO_AGENCY_PORTAL=") + origin + QStringLiteral("/agency-portal"));
  context.environment.push_back(QStringLiteral("KAVALO_WMS=") + origin + QStringLiteral("/wms"));
  context.environment.push_back(QStringLiteral("KAVALO_WMS_SITE=") + origin + QStringLiteral("/wms-site"));
  context.environment.push_back(QStringLiteral("KAVALO_XYZ=") + origin + QStringLiteral("/xyz/map/{z}/{x}/{y}.png"));
  return true;
}

const sampleserver::EndpointRegistration kAcquire("acquire", &installAcquire);

}  // namespace
