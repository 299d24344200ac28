// SPDX-License-Identifier: MIT
#include "cli/GeorefCommand.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "cli/ImportCommand.h"
#include "cli/Json.h"
#include "geo/GeorefSession.h"
#include "net/ScanImport.h"
#include "platform/AtomicFile.h"
#include "platform/GeoDataLoader.h"

namespace kavalo {

CommandSpec georefCommandSpec() {
  CommandSpec cmd;
  cmd.name = QStringLiteral("georef");
  cmd.synopsis = QStringLiteral(
      "georef --root DIR [--dataset N] --file SCAN --points FILE\n"
      "       [--transform helmert|poly1|poly2|poly3|projective|tps] [--mask FILE]\n"
      "       (--year Y --credit TEXT [--label TEXT] [--kind map|photo] | --dry-run)\n"
      "       [--geotiff OUT.tif] [--report FILE.json]");
  cmd.summary = QCoreApplication::translate("kavalo::GeorefCommand",
                                            "Places a plain scan by control points and imports it as a new era.");
  cmd.description = QCoreApplication::translate(
      "kavalo::GeorefCommand",
      "Reads the control points of --points (a points file with its #CRS line, a CSV of x,y,lon,lat, or a "
      "georeference annotation, told apart by their content), fits the transform (--transform; the one the file "
      "names, else poly1) in a projected plane (the points' own system when it is projected, else the plane "
      "rectangular zone or UTM zone of the scan's centre), and imports the scan as an era as the import command "
      "does. --mask takes the scan's frame (an SVG polygon or a GeoJSON polygon in scan pixels); what lies "
      "outside it is left out. --report writes each point's residual and leave-one-out error in pixels and "
      "metres and both root mean squares as JSON; --dry-run computes and reports without importing. --geotiff "
      "also writes the scan as a GeoTIFF carrying the control points. The figures go to standard output, "
      "progress to standard error. Points that do not fit the scan (outside the image, too few for the transform, "
      "a transform that folds the scan over itself) are an error: status 1, nothing imported.");
  cmd.valueOptions = {QStringLiteral("--root"),   QStringLiteral("--dataset"),   QStringLiteral("--file"),
                      QStringLiteral("--points"), QStringLiteral("--transform"), QStringLiteral("--mask"),
                      QStringLiteral("--year"),   QStringLiteral("--credit"),    QStringLiteral("--label"),
                      QStringLiteral("--kind"),   QStringLiteral("--geotiff"),   QStringLiteral("--report")};
  cmd.switches = {QStringLiteral("--dry-run")};
  return cmd;
}

QString georefReport(const GeorefSession& session) {
  const GeorefAnalysis& a = session.analysis();
  JsonWriter json;
  json.beginObject();
  json.key(QStringLiteral("scan")).beginObject();
  json.field(QStringLiteral("file"), session.scanName());
  json.field(QStringLiteral("width"), session.scanWidth());
  json.field(QStringLiteral("height"), session.scanHeight());
  json.endObject();
  json.field(QStringLiteral("transform"), methodKey(session.method()));
  json.field(QStringLiteral("plane"), session.planeCrs());
  json.field(QStringLiteral("planeName"), session.planeName());
  json.field(QStringLiteral("fits"), a.ok);
  if (!a.ok) json.field(QStringLiteral("why"), a.why);
  json.key(QStringLiteral("points")).beginArray();
  const std::vector<ControlPoint>& points = session.points();
  for (size_t i = 0; i < points.size(); ++i) {
    const ControlPoint& p = points[i];
    json.beginObject();
    json.field(QStringLiteral("id"), p.id);
    json.field(QStringLiteral("enabled"), p.enabled);
    json.field(QStringLiteral("scanX"), p.scanX);
    json.field(QStringLiteral("scanY"), p.scanY);
    json.field(QStringLiteral("lon"), p.lon);
    json.field(QStringLiteral("lat"), p.lat);
    if (a.ok && i < a.points.size()) {
      const GeorefPointResult& r = a.points[i];
      json.field(QStringLiteral("dX"), r.dX);
      json.field(QStringLiteral("dY"), r.dY);
      json.field(QStringLiteral("residualPixels"), r.residualPixels);
      json.field(QStringLiteral("residualMetres"), r.residualMetres);
      json.key(QStringLiteral("leaveOneOutPixels"));
      r.looValid ? json.value(r.looPixels) : json.null();
      json.key(QStringLiteral("leaveOneOutMetres"));
      r.looValid ? json.value(r.looMetres) : json.null();
    }
    json.endObject();
  }
  json.endArray();
  if (a.ok) {
    json.key(QStringLiteral("rmse")).beginObject();
    json.field(QStringLiteral("pixels"), a.rmsePixels);
    json.field(QStringLiteral("metres"), a.rmseMetres);
    json.endObject();
    json.key(QStringLiteral("leaveOneOutRmse"));
    if (a.looAvailable) {
      json.beginObject();
      json.field(QStringLiteral("pixels"), a.looRmsePixels);
      json.field(QStringLiteral("metres"), a.looRmseMetres);
      json.endObject();
    } else {
      json.null();
    }
    json.key(QStringLiteral("worst"));
    a.worst >= 0 ? json.value(points[a.worst].id) : json.null();
    json.key(QStringLiteral("warnings")).beginArray();
    for (const QString& w : a.warnings) json.value(w);
    json.endArray();
  }
  json.endObject();
  return json.text() + u'\n';
}

namespace {

QString figures(const GeorefSession& session) {
  const GeorefAnalysis& a = session.analysis();
  QString text = QStringLiteral("%1 points (%2 enabled), %3 in %4\n")
                     .arg(session.points().size())
                     .arg(a.enabled)
                     .arg(methodKey(session.method()), session.planeName());
  text += QStringLiteral("RMSE %1 px (%2 m)").arg(a.rmsePixels, 0, 'f', 3).arg(a.rmseMetres, 0, 'f', 3);
  if (a.looAvailable)
    text += QStringLiteral(", leave-one-out RMSE %1 px (%2 m)")
                .arg(a.looRmsePixels, 0, 'f', 3)
                .arg(a.looRmseMetres, 0, 'f', 3);
  if (a.worst >= 0) text += QStringLiteral(", worst point %1").arg(session.points()[a.worst].id);
  return text;
}

}  // namespace

int runGeorefCommand(const QStringList& args) {
  CliOptions options;
  QString error;
  const CommandSpec cmd = georefCommandSpec();
  const ParseOutcome outcome = parseCommand(cmd, args, options, &error);
  if (outcome != ParseOutcome::Ok) return finishParse(cmd, outcome, error);
  for (const char* required : {"--file", "--points"})
    if (!options.has(QString::fromLatin1(required)))
      return usageError(cmd, QStringLiteral("%1 is required").arg(QString::fromLatin1(required)));
  const bool dryRun = options.has(QStringLiteral("--dry-run"));
  if (dryRun) {
    for (const char* importOnly : {"--year", "--credit", "--label", "--kind"})
      if (options.has(QString::fromLatin1(importOnly)))
        return usageError(
            cmd, QStringLiteral("--dry-run imports nothing: %1 does not apply").arg(QString::fromLatin1(importOnly)));
  } else {
    for (const char* required : {"--year", "--credit"})
      if (!options.has(QString::fromLatin1(required)))
        return usageError(cmd, QStringLiteral("%1 is required (or --dry-run)").arg(QString::fromLatin1(required)));
  }
  ScanImportRequest request;
  request.scanPath = options.get(QStringLiteral("--file"));
  if (!dryRun) {
    bool ok = false;
    request.year = options.get(QStringLiteral("--year")).toInt(&ok);
    if (!ok || request.year < 1 || request.year > 9999)
      return usageError(cmd, QStringLiteral("--year must be a year from 1 to 9999"));
    const QString kind = options.get(QStringLiteral("--kind"), QStringLiteral("map"));
    if (kind != u"map" && kind != u"photo") return usageError(cmd, QStringLiteral("--kind must be map or photo"));
    request.map = kind == u"map";
    request.credit = options.get(QStringLiteral("--credit"));
    request.label = options.get(QStringLiteral("--label"));
  }
  GeorefMethod method = GeorefMethod::Poly1;
  const bool methodGiven = options.has(QStringLiteral("--transform"));
  if (methodGiven && !methodFromKey(options.get(QStringLiteral("--transform")), method))
    return usageError(cmd, QStringLiteral("--transform must be helmert, poly1, poly2, poly3, projective or tps"));

  ProgramState state;
  CliPrompts prompts;
  if (const CliStatus loaded = loadForCli(options, state, prompts, ElevationLoad::OnDemand, !dryRun); !loaded)
    return loaded.status();

  GeorefSession session;
  if (!session.openScan(request.scanPath, &error, false)) {
    printError(error);
    return kExitFailed;
  }
  if (!session.loadPoints(options.get(QStringLiteral("--points")), &error)) {
    printError(error);
    return kExitFailed;
  }
  if (methodGiven) session.setMethod(method);
  if (options.has(QStringLiteral("--mask")) && !session.loadMask(options.get(QStringLiteral("--mask")), &error)) {
    printError(error);
    return kExitFailed;
  }
  if (options.has(QStringLiteral("--report"))) {
    const QString path = options.get(QStringLiteral("--report"));
    if (!writeFileAtomically(path, georefReport(session).toUtf8(), &error)) {
      printError(error);
      return kExitFailed;
    }
  }
  GeorefWarp plan;
  if (!session.warpPlan(plan, &error)) {
    printError(QCoreApplication::translate("kavalo::GeorefCommand", "「%1」の点は画像に合いません。%2")
                   .arg(session.scanName(), error));
    return kExitFailed;
  }
  printOut(figures(session));
  for (const QString& warning : session.analysis().warnings) printError(warning);

  if (options.has(QStringLiteral("--geotiff"))) {
    GeoData* geo = geoData(&error);
    QString detail;
    if (!geo ||
        !geo->writeGeoTiff(request.scanPath, plan, false, options.get(QStringLiteral("--geotiff")), {}, &detail)) {
      printError(QCoreApplication::translate("kavalo::GeorefCommand", "GeoTIFF「%1」を書き出せません。%2")
                     .arg(QFileInfo(options.get(QStringLiteral("--geotiff"))).fileName(), detail));
      return kExitFailed;
    }
  }
  if (dryRun) return kExitOk;

  request.georef = plan;
  return runImportWithProgress(state, request);
}

}  // namespace kavalo
