// SPDX-License-Identifier: MIT
#pragma once
// The georeferencing of one plain scan, as the georeferencer window and
// kavalo-cli georef hold it: the scan, its control points with undo and redo,
// the transform chosen, the plane the fit is made in, the scan's frame
// (mask), the figures of the fit, and the warp handed to the import.
//
// The plane: the coordinate system the user types map coordinates in when it
// is projected; otherwise the plane rectangular zone of the world datum
// (JGD2011) whose origin is nearest the scan's centre inside Japan, the UTM
// zone of the world datum outside it.
#include <QImage>
#include <QPointF>
#include <QString>
#include <vector>

#include "geo/ControlPointFiles.h"
#include "geo/ControlPoints.h"
#include "geo/GeorefModel.h"
#include "platform/GeoData.h"

namespace kavalo {

// The longer side of the reduced copy the windows show and the live overlay
// warps from.
inline constexpr int kGeorefPreviewSide = 4096;

class GeorefSession {
 public:
  GeorefSession() = default;

  // Reads the scan's size and a reduced copy through the geodata module (the
  // size alone without preview: the command line shows nothing).
  bool openScan(const QString& path, QString* why, bool preview = true);
  // For tests and benchmarks: a scan already in memory.
  void setScan(const QString& path, int width, int height, const QImage& reduced);
  const QString& scanPath() const { return scanPath_; }
  QString scanName() const;
  int scanWidth() const { return width_; }
  int scanHeight() const { return height_; }
  bool scanGeoreferenced() const { return georeferenced_; }
  const QImage& reducedScan() const { return reduced_; }
  // Reduced-copy pixels per scan pixel (at most 1).
  double reducedScale() const;
  // The reduced copy with what lies outside the mask made transparent.
  const QImage& maskedReducedScan() const;

  // The points. Each change is one step of undo; a change that leaves the
  // points as they were is no step.
  const std::vector<ControlPoint>& points() const { return points_; }
  int addPoint(double scanX, double scanY, double lon, double lat);  // its index
  void moveScanPlace(int index, double scanX, double scanY);
  void moveMapPlace(int index, double lon, double lat);
  void setEnabled(int index, bool enabled);
  void removePoint(int index);
  // Numbers the points 1, 2, 3 ... in their order.
  void renumber();
  void setPoints(const std::vector<ControlPoint>& points);
  bool canUndo() const { return undo_.size() > 0; }
  bool canRedo() const { return redo_.size() > 0; }
  bool undo();
  bool redo();

  void setMethod(GeorefMethod method);
  GeorefMethod method() const { return method_; }

  // The coordinate system typed coordinates are in ("" when none is chosen):
  // an EPSG code or any text the library understands. Refused with the
  // reason when the library does not know it.
  bool setTypedCrs(const QString& crs, QString* why);
  const QString& typedCrs() const { return typedCrs_; }
  // A place typed in the chosen system (easting, northing), or in longitude
  // and latitude when crs is empty, as world-datum degrees.
  bool typedToWorld(double x, double y, double& lon, double& lat, QString* why) const;
  // World-datum places in the chosen system, in place; false without one.
  bool worldToTyped(std::vector<double>& x, std::vector<double>& y) const;

  // The plane the fit is made in (EPSG code or WKT) and its name.
  QString planeCrs() const;
  QString planeName() const;

  // The fit's figures, recomputed after each change.
  const GeorefAnalysis& analysis() const;

  void setMask(const std::vector<QPointF>& polygon);
  const std::vector<QPointF>& mask() const { return mask_; }

  // Exchange files. A set made for another scan (its recorded name or size
  // differs) is refused with the reason; nothing is changed then.
  bool loadPoints(const QString& path, QString* why);
  bool savePoints(const QString& path, ControlPointFormat format, QString* why) const;
  bool loadMask(const QString& path, QString* why);
  // The points as an exchange set (map coordinates in longitude/latitude).
  ControlPointFile exchangeSet() const;
  // Takes an exchange set read from a file (its map coordinates turned into
  // the world datum); one step of undo.
  bool applyExchangeSet(const ControlPointFile& set, QString* why);

  // The warp for the import and the GeoTIFF: false with the reason when the
  // points do not fit the scan (too few for the transform, outside the
  // image, a transform that folds the scan over itself).
  bool warpPlan(GeorefWarp& plan, QString* why) const;

  // Where the current transform puts a scan place (world datum); false
  // without a transform.
  bool scanToWorld(double scanX, double scanY, double& lon, double& lat) const;
  // The same for many places at once (the live overlay's mesh).
  bool scanToWorld(std::vector<double>& x, std::vector<double>& y) const;

 private:
  struct Snapshot {
    std::vector<ControlPoint> points;
    std::vector<QPointF> mask;
  };
  void changed();
  void pushUndo();
  void chooseAutoPlane() const;

  QString scanPath_;
  int width_ = 0;
  int height_ = 0;
  bool georeferenced_ = false;
  QImage reduced_;
  mutable QImage maskedReduced_;
  std::vector<ControlPoint> points_;
  std::vector<Snapshot> undo_, redo_;
  GeorefMethod method_ = GeorefMethod::Poly1;
  QString typedCrs_;
  bool typedProjected_ = false;
  std::vector<QPointF> mask_;
  mutable QString autoPlane_;
  mutable QString planeNameOf_;
  mutable QString planeName_;
  mutable QString planeUsed_;  // the plane of the last analysis
  mutable bool dirty_ = true;
  mutable GeorefAnalysis analysis_;
  mutable std::vector<PlanePoint> plane_;
};

}  // namespace kavalo
