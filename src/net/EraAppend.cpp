// SPDX-License-Identifier: MIT
#include "net/EraAppend.h"

#include <QCoreApplication>
#include <QStringList>
#include "model/EraSources.h"
#include "model/ProgramState.h"
#include "net/AgencyTiles.h"

#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/ValueWriter.h"

namespace kavalo {

QString acquisitionDateText(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

int countErasOfKind(const std::vector<Era>& eras, int kind) {
  int n = 0;
  for (const Era& e : eras) n += e.kind == kind;
  return n;
}

Era agencyEra(int source, int periodCode, int count, const QDate& today) {
  Era e;
  e.frameType = 2;
  e.historyColumn = -1;
  e.tileStyle = kPhoto;
  e.ext = QStringLiteral("jpg");
  const QString date = acquisitionDateText(today);
  const int year = date.left(4).toInt();
  switch (source) {
    case kAgencyMapSource:
      e.name = QStringLiteral("W") + eraNumberText(count);
      e.kind = kAgencyBasicMap;
      e.tileStyle = kMaskedMap;
      e.ext = QStringLiteral("png");
      e.yearFrom = e.yearTo = year;
      e.acquiredText = date;
      break;
    case kAgencyAirPhotoSource: {
      e.name = QStringLiteral("ORTHO") + QString::number(periodCode);
      e.kind = kAerialPhoto;
      e.periodCode = periodCode;
      const YearRange years = OrthoPeriodYears(periodCode);
      e.yearFrom = years.from;
      e.yearTo = years.to;
      break;
    }
    default:
      e.name = QStringLiteral("DKO") + eraNumberText(count);
      e.kind = kAgencyOrtho;
      e.yearFrom = e.yearTo = year;
      e.acquiredText = date;
      break;
  }
  return e;
}

QString agencyInfoFileName(int kind) {
  const EraSource& source = eraSource(kind);
  return source.acquisition == EraAcquisition::Agency ? QString::fromLatin1(source.infoFile) : QString();
}

// The eras a file lists: those of its kind, and those read from it as
// another kind (tile-service eras of the last version in the agency's files).
static bool listedIn(const Era& e, int kind) {
  return e.infoFile.isEmpty() ? e.kind == kind : e.infoFile == agencyInfoFileName(kind);
}

QByteArray agencyInfoFileBytes(const std::vector<Era>& eras, int kind) {
  ValueWriter w;
  int count = 0;
  for (const Era& e : eras) count += listedIn(e, kind);
  w.numberLine(count);
  for (const Era& e : eras) {
    if (!listedIn(e, kind)) continue;
    if (kind == kAerialPhoto)
      w.text(e.name).comma().number(e.periodCode).endLine();
    else
      w.text(e.name).comma().number(e.yearFrom).comma().number(e.yearTo).comma().textLine(e.acquiredText);
  }
  return w.bytes();
}

bool AppendAgencyEra(ProgramState& state, const Era& era, QString* error) {
  state.eras.push_back(era);
  const QString path = joinPath(state.datasetFolder, agencyInfoFileName(era.kind));
  if (!writeFileAtomically(path, agencyInfoFileBytes(state.eras, era.kind), error)) {
    state.eras.pop_back();
    return false;
  }
  return true;
}

bool WriteRapidSurveyInfo(const QString& datasetFolder, QString* error) {
  ValueWriter w;
  w.numberLine(1);
  return writeFileAtomically(joinPath(datasetFolder, QStringLiteral("\\map_Jinnsoku_info.txt")), w.bytes(), error);
}

QString fetchedDatesText(const std::vector<Era>& eras, int kind) {
  QString text;
  int n = 0;
  for (const Era& e : eras) {
    if (e.kind != kind) continue;
    text +=
        QCoreApplication::translate("kavalo::EraAppend", "%1取得", "the date a period was fetched").arg(e.acquiredText);
    // The base-map dates stand two to a line, the orthophoto dates one.
    text += (kind == kAgencyBasicMap && n % 2 == 0) ? QStringLiteral(" ") : QStringLiteral("\n");
    ++n;
  }
  return n == 0 ? QCoreApplication::translate("kavalo::EraAppend", "まだ取得していません") : text;
}

QString fetchedPeriodsText(const std::vector<Era>& eras) {
  QStringList lines;
  for (const Era& e : eras)
    if (e.kind == kAerialPhoto) lines << orthoPeriodListName(e.periodCode);
  return lines.isEmpty() ? QCoreApplication::translate("kavalo::EraAppend", "まだ取得していません") : lines.join(u'\n');
}

std::vector<int> availablePeriods(const std::vector<Era>& eras, const QString& orthoFlags) {
  std::vector<int> codes;
  for (int code = 0; code < kOrthoPeriods; ++code) {
    bool fetched = false;
    for (const Era& e : eras) fetched |= e.kind == kAerialPhoto && e.periodCode == code;
    if (!fetched && orthoFlags.mid(code, 1) == u"1") codes.push_back(code);
  }
  return codes;
}

}  // namespace kavalo
