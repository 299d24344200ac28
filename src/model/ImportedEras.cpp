// SPDX-License-Identifier: MIT
#include "model/ImportedEras.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include "model/EraInfoFiles.h"
#include "model/EraLabels.h"
#include "model/EraSources.h"
#include "model/MapInfo.h"
#include "platform/AtomicFile.h"
#include "platform/Codec.h"
#include "platform/Paths.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"

namespace kavalo {

namespace {

QString quoted(const QString& text) { return u'"' + text + u'"'; }

QString fileLabel() { return QString::fromLatin1(kImportedInfoFile).mid(1); }

}  // namespace

QString importedTextProblem(const QString& text) {
  if (text.contains(u'"')) return QCoreApplication::translate("kavalo::ImportedEras", "「\"」は使えません。");
  if (text.contains(u'\n') || text.contains(u'\r'))
    return QCoreApplication::translate("kavalo::ImportedEras", "改行は使えません。");
  bool ok = true;
  toSjis(text, &ok);
  if (!ok) return QCoreApplication::translate("kavalo::ImportedEras", "Shift-JISで保存できない文字があります。");
  return QString();
}

bool readImportedEras(const QString& datasetFolder, std::vector<ImportedEra>& out, QString* error) {
  return readImportedErasFile(joinPath(datasetFolder, QString::fromLatin1(kImportedInfoFile)), out, error);
}

bool readImportedErasFile(const QString& path, std::vector<ImportedEra>& out, QString* error) {
  out.clear();
  return readEraLines(
      path, fileLabel(),
      [&out](ValueReader& r) {
        ImportedEra e;
        QString kind;
        if (!r.readText(e.folder) || !r.readInt(e.year) || !r.readText(e.label) || !r.readText(e.credit) ||
            !r.readText(kind) || !r.readText(e.sourceFile) || (kind != u"map" && kind != u"photo") ||
            !isSingleName(e.folder))
          return false;
        e.map = kind == u"map";
        out.push_back(e);
        return true;
      },
      error);
}

QByteArray importedErasBytes(const std::vector<ImportedEra>& eras, bool* ok) {
  ValueWriter w;
  for (const ImportedEra& e : eras)
    w.text(e.folder)
        .comma()
        .number(e.year)
        .comma()
        .text(quoted(e.label))
        .comma()
        .text(quoted(e.credit))
        .comma()
        .text(e.map ? QStringLiteral("map") : QStringLiteral("photo"))
        .comma()
        .textLine(quoted(e.sourceFile));
  return w.bytes(ok);
}

bool writeImportedEras(const QString& datasetFolder, const std::vector<ImportedEra>& eras, QString* error) {
  const QString path = joinPath(datasetFolder, QString::fromLatin1(kImportedInfoFile));
  if (eras.empty()) {
    if (!QFile::exists(path) || QFile::remove(path)) return true;
    if (error) *error = QCoreApplication::translate("kavalo::ImportedEras", "「%1」を削除できません。").arg(path);
    return false;
  }
  for (const ImportedEra& e : eras)
    for (const QString& text : {e.label, e.credit, e.sourceFile})
      if (const QString why = importedTextProblem(text); !why.isEmpty()) {
        if (error) *error = QCoreApplication::translate("kavalo::ImportedEras", "%1：%2").arg(text, why);
        return false;
      }
  bool ok = true;
  const QByteArray bytes = importedErasBytes(eras, &ok);
  if (!ok) {
    if (error) *error = QCoreApplication::translate("kavalo::ImportedEras", "Shift-JISで保存できない文字があります。");
    return false;
  }
  return writeFileAtomically(path, bytes, error);
}

Era eraOfImported(const ImportedEra& imported) {
  Era e;
  e.name = imported.folder;
  e.yearFrom = e.yearTo = imported.year;
  e.kind = imported.map ? kImportedMap : kImportedPhoto;
  const EraSource& source = eraSource(e.kind);
  e.frameType = source.frameType;
  e.tileStyle = source.tileStyle;
  e.ext = QString::fromLatin1(source.ext);
  e.historyColumn = -1;
  e.attribution = imported.credit;
  // A label emptied by hand still shows the era by its year.
  e.label = imported.label.trimmed().isEmpty() ? EraPeriodText(e, 0) : imported.label;
  e.origin = imported.sourceFile;
  e.infoFile = QString::fromLatin1(kImportedInfoFile);
  return e;
}

ImportedEra importedOfEra(const Era& era) {
  ImportedEra i;
  i.folder = era.name;
  i.year = era.yearFrom;
  i.label = era.label;
  i.credit = era.attribution;
  i.map = era.kind != kImportedPhoto;
  i.sourceFile = era.origin;
  return i;
}

}  // namespace kavalo
