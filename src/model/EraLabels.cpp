// SPDX-License-Identifier: MIT
#include "model/EraLabels.h"

#include <QCoreApplication>

#include "model/EraSources.h"
#include "model/XyzEras.h"

namespace kavalo {

QString JapaneseEraYear(int year32) {
  // Counted wide: a year of a damaged file must not overflow the subtraction.
  const int64_t year = year32;
  // The table ended with 平成 before 2019; every later year belongs to 令和.
  if (year <= 1911) return QStringLiteral("明治") + QString::number(year - 1867);  // stored
  if (year <= 1925) return QStringLiteral("大正") + QString::number(year - 1911);  // stored
  if (year <= 1988) return QStringLiteral("昭和") + QString::number(year - 1925);  // stored
  if (year <= 2018) return QStringLiteral("平成") + QString::number(year - 1988);  // stored
  return QStringLiteral("令和") + QString::number(year - 2018);                    // stored
}

QString EraPeriodText(const Era& era, int style) {
  QString a, b;
  if (style == 0) {
    a = QString::number(era.yearFrom);
    b = QString::number(era.yearTo);
  } else if (style == 1) {
    a = JapaneseEraYear(era.yearFrom);
    b = JapaneseEraYear(era.yearTo);
  } else {
    return QString();
  }
  if (a == b) return a + QStringLiteral("年");  // stored
  if (a.left(2) == b.left(2)) b = b.mid(2);
  return a + u'-' + b + QStringLiteral("年");  // stored
}

namespace {

QString shown(const char* text) { return QCoreApplication::translate("kavalo::EraLabels", text); }

// JapaneseEraYear in the interface's language.
QString eraYearShown(int year32) {
  const int64_t year = year32;
  const char* name = year <= 1911   ? QT_TRANSLATE_NOOP("kavalo::EraLabels", "明治%1")
                     : year <= 1925 ? QT_TRANSLATE_NOOP("kavalo::EraLabels", "大正%1")
                     : year <= 1988 ? QT_TRANSLATE_NOOP("kavalo::EraLabels", "昭和%1")
                     : year <= 2018 ? QT_TRANSLATE_NOOP("kavalo::EraLabels", "平成%1")
                                    : QT_TRANSLATE_NOOP("kavalo::EraLabels", "令和%1");
  const int64_t first = year <= 1911 ? 1867 : year <= 1925 ? 1911 : year <= 1988 ? 1925 : year <= 2018 ? 1988 : 2018;
  return shown(name).arg(year - first);
}

// The label of a user's era when it is the one the program gave it (the
// year alone; for a tile service the year and the service's host, or the
// credit for an era of the last version), in the interface's language;
// empty when the label is the user's own.
QString defaultLabelShown(const Era& era) {
  const QString period = EraPeriodText(era, 0);
  if (era.label == period) return EraPeriodShown(era, 0);
  if (era.kind != kXyzMap && era.kind != kXyzPhoto) return QString();
  QString service = xyzServiceHost(era.origin);
  if (era.origin.isEmpty()) service = era.attribution;
  const QString tiles = QStringLiteral("XYZタイル");  // stored
  if (era.label != period + u'（' + (service.isEmpty() ? tiles : service) + u'）') return QString();
  if (service.isEmpty()) service = QCoreApplication::translate("kavalo::EraLabels", "XYZタイル");
  return QCoreApplication::translate("kavalo::EraLabels", "%1（%2）", "period and tile service")
      .arg(EraPeriodShown(era, 0), service);
}

}  // namespace

QString EraPeriodShown(const Era& era, int style) {
  if (style != 0 && style != 1) return QString();
  // The stored form decides the shape (one year, a shortened second year, two
  // full years); only the words change with the language.
  const QString a = style == 0 ? QString::number(era.yearFrom) : JapaneseEraYear(era.yearFrom);
  const QString b = style == 0 ? QString::number(era.yearTo) : JapaneseEraYear(era.yearTo);
  const QString from = style == 0 ? a : eraYearShown(era.yearFrom);
  if (a == b) return QCoreApplication::translate("kavalo::EraLabels", "%1年").arg(from);
  QString to;
  if (a.left(2) == b.left(2))
    to = b.mid(2);
  else
    to = style == 0 ? b : eraYearShown(era.yearTo);
  return QCoreApplication::translate("kavalo::EraLabels", "%1-%2年").arg(from, to);
}

QString Get_cboAge_Text(const Era& era, int style) {
  const EraSource& source = eraSource(era);
  QString suffix;
  switch (source.label) {
    case EraLabelRule::UsersLabel:
      // The user's own words, as given; an era without them shows its
      // period. The labels the program wrote for the user are shown in the
      // interface's language.
      if (era.label.isEmpty()) break;
      if (const QString label = defaultLabelShown(era); !label.isEmpty()) return label;
      return era.label;
    case EraLabelRule::AgencyMap:
      suffix = era.yearFrom < 2011 ? shown(QT_TRANSLATE_NOOP("kavalo::EraLabels", "（ウォッちず）"))
                                   : shown(QT_TRANSLATE_NOOP("kavalo::EraLabels", "（電子国土基本図）"));
      break;
    case EraLabelRule::AirPhoto:
      if (era.periodCode == 4)
        suffix = shown(QT_TRANSLATE_NOOP("kavalo::EraLabels", "（3～4月上旬東日本大震災後）"));
      else if (era.periodCode == 5)
        suffix = shown(QT_TRANSLATE_NOOP("kavalo::EraLabels", "（5～6月東日本大震災後）"));
      else
        suffix = shown(QT_TRANSLATE_NOOP("kavalo::EraLabels", "（空中写真）"));
      break;
    case EraLabelRule::PeriodAndSuffix:
      suffix = shown(source.suffix);
      break;
    case EraLabelRule::Period:
      break;
  }
  return EraPeriodShown(era, style) + suffix;
}

QString OrthoPeriodLabel(int periodCode) {
  if (periodCode == 4) return shown(QT_TRANSLATE_NOOP("kavalo::EraLabels", "2011年東日本大震災被災後"));
  if (periodCode == 5) return shown(QT_TRANSLATE_NOOP("kavalo::EraLabels", "東日本大震災被災地2011年5～6月撮影"));
  const YearRange years = OrthoPeriodYears(periodCode);
  return QCoreApplication::translate("kavalo::EraLabels", "%1-%2年（空中写真）").arg(years.from).arg(years.to);
}

}  // namespace kavalo
