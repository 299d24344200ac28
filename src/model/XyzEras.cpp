// SPDX-License-Identifier: MIT
#include "model/XyzEras.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QUrl>

#include "model/EraInfoFiles.h"
#include "model/EraLabels.h"
#include "model/EraSources.h"
#include "model/ImportedEras.h"
#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"

namespace kavalo {

namespace {

QString quoted(const QString& text) { return u'"' + text + u'"'; }

QString fileLabel() { return QString::fromLatin1(kXyzInfoFile).mid(1); }

// The record of an era of a kind: the tile style, frame and extension its
// source gives.
void applySource(Era& e) {
  const EraSource& s = eraSource(e.kind);
  e.tileStyle = s.tileStyle;
  e.frameType = s.frameType;
  e.ext = QString::fromLatin1(s.ext);
  e.historyColumn = -1;
}

}  // namespace

QString xyzServiceHost(const QString& urlTemplate) {
  // The placeholders are no part of the host, and a template without a
  // scheme still names one.
  QString text = urlTemplate.trimmed();
  if (!text.contains(QStringLiteral("://"))) text.prepend(QStringLiteral("http://"));
  return QUrl(text, QUrl::TolerantMode).host();
}

QString defaultXyzLabel(const QString& urlTemplate, int year) {
  Era e;
  e.yearFrom = e.yearTo = year;
  const QString host = xyzServiceHost(urlTemplate);
  return EraPeriodText(e, 0) + QStringLiteral("（") + (host.isEmpty() ? QStringLiteral("XYZタイル") : host) +  // stored
         QStringLiteral("）");                                                                                 // stored
}

bool readXyzEras(const QString& datasetFolder, std::vector<XyzEra>& out, QString* error) {
  return readXyzErasFile(joinPath(datasetFolder, QString::fromLatin1(kXyzInfoFile)), out, error);
}

bool readXyzErasFile(const QString& path, std::vector<XyzEra>& out, QString* error) {
  out.clear();
  return readEraLines(
      path, fileLabel(),
      [&out](ValueReader& r) {
        XyzEra e;
        QString kind;
        if (!r.readText(e.folder) || !r.readInt(e.year) || !r.readText(e.date) || !r.readText(e.label) ||
            !r.readText(e.urlTemplate) || !r.readText(e.attribution) || !r.readText(kind) ||
            (kind != u"map" && kind != u"photo") || !isSingleName(e.folder))
          return false;
        e.map = kind == u"map";
        out.push_back(e);
        return true;
      },
      error);
}

QByteArray xyzErasBytes(const std::vector<XyzEra>& eras, bool* ok) {
  ValueWriter w;
  for (const XyzEra& e : eras)
    w.text(e.folder)
        .comma()
        .number(e.year)
        .comma()
        .text(quoted(e.date))
        .comma()
        .text(quoted(e.label))
        .comma()
        .text(quoted(e.urlTemplate))
        .comma()
        .text(quoted(e.attribution))
        .comma()
        .textLine(e.map ? QStringLiteral("map") : QStringLiteral("photo"));
  return w.bytes(ok);
}

bool writeXyzEras(const QString& datasetFolder, const std::vector<XyzEra>& eras, QString* error) {
  const QString path = joinPath(datasetFolder, QString::fromLatin1(kXyzInfoFile));
  if (eras.empty()) {
    if (!QFile::exists(path) || QFile::remove(path)) return true;
    if (error) *error = QCoreApplication::translate("kavalo::XyzEras", "「%1」を削除できません。").arg(path);
    return false;
  }
  // The same texts as an imported era's can be stored here.
  for (const XyzEra& e : eras)
    for (const QString& text : {e.date, e.label, e.urlTemplate, e.attribution})
      if (const QString why = importedTextProblem(text); !why.isEmpty()) {
        if (error) *error = QCoreApplication::translate("kavalo::XyzEras", "%1：%2").arg(text, why);
        return false;
      }
  bool ok = true;
  const QByteArray bytes = xyzErasBytes(eras, &ok);
  if (!ok) {
    if (error) *error = QCoreApplication::translate("kavalo::XyzEras", "Shift-JISで保存できない文字があります。");
    return false;
  }
  return writeFileAtomically(path, bytes, error);
}

Era eraOfXyz(const XyzEra& xyz) {
  Era e;
  e.name = xyz.folder;
  e.kind = xyz.map ? kXyzMap : kXyzPhoto;
  applySource(e);
  e.yearFrom = e.yearTo = xyz.year;
  e.acquiredText = xyz.date;
  e.label = xyz.label.trimmed().isEmpty() ? defaultXyzLabel(xyz.urlTemplate, xyz.year) : xyz.label;
  e.origin = xyz.urlTemplate;
  e.attribution = xyz.attribution;
  e.infoFile = QString::fromLatin1(kXyzInfoFile);
  return e;
}

XyzEra xyzOfEra(const Era& era) {
  XyzEra x;
  x.folder = era.name;
  x.year = era.yearFrom;
  x.date = era.acquiredText;
  x.label = era.label;
  x.urlTemplate = era.origin;
  x.attribution = era.attribution;
  x.map = era.kind != kXyzPhoto;
  return x;
}

bool adoptLegacyXyzEra(const QString& datasetFolder, Era& era) {
  if (era.kind != kAgencyBasicMap && era.kind != kAgencyOrtho) return false;
  const QString path = joinPath(datasetFolder, u'\\' + era.name + QString::fromLatin1(kLegacyAttributionFile));
  // Looked for without listing the era's folder: this runs for every
  // agency era at load, before any of them is shown.
  const QByteArray raw = resolveRawPathUnlisted(path);
  QByteArray bytes;
  if (raw.isEmpty() || !readFileBytes(QFile::decodeName(raw), bytes, nullptr)) return false;
  const QString attribution = fromSjis(bytes).section(u'\n', 0, 0).trimmed();
  era.kind = era.kind == kAgencyBasicMap ? kXyzMap : kXyzPhoto;
  applySource(era);
  era.attribution = attribution;
  // The service's address was not kept: the attribution names it.
  era.origin.clear();
  era.label = EraPeriodText(era, 0) + QStringLiteral("（") +                                               // stored
              (attribution.isEmpty() ? QStringLiteral("XYZタイル") : attribution) + QStringLiteral("）");  // stored
  return true;
}

}  // namespace kavalo
