#include "model/EraLabels.h"

#include "model/EraSources.h"

namespace kavalo {

QString JapaneseEraYear(int year32) {
  // Counted wide: a year of a damaged file must not overflow the subtraction.
  const int64_t year = year32;
  // The table ended with 平成 before 2019; every later year belongs to 令和.
  if (year <= 1911) return QStringLiteral("明治") + QString::number(year - 1867);
  if (year <= 1925) return QStringLiteral("大正") + QString::number(year - 1911);
  if (year <= 1988) return QStringLiteral("昭和") + QString::number(year - 1925);
  if (year <= 2018) return QStringLiteral("平成") + QString::number(year - 1988);
  return QStringLiteral("令和") + QString::number(year - 2018);
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
  if (a == b) return a + QStringLiteral("年");
  if (a.left(2) == b.left(2)) b = b.mid(2);
  return a + u'-' + b + QStringLiteral("年");
}

QString Get_cboAge_Text(const Era& era, int style) {
  const EraSource& source = eraSource(era);
  QString suffix;
  switch (source.label) {
    case EraLabelRule::UsersLabel:
      // The user's own words, as given; an era without them shows its
      // period.
      if (!era.label.isEmpty()) return era.label;
      break;
    case EraLabelRule::AgencyMap:
      suffix = era.yearFrom < 2011 ? QStringLiteral("（ウォッちず）") : QStringLiteral("（電子国土基本図）");
      break;
    case EraLabelRule::AirPhoto:
      if (era.periodCode == 4)
        suffix = QStringLiteral("（3～4月上旬東日本大震災後）");
      else if (era.periodCode == 5)
        suffix = QStringLiteral("（5～6月東日本大震災後）");
      else
        suffix = QStringLiteral("（空中写真）");
      break;
    case EraLabelRule::PeriodAndSuffix:
      suffix = QString::fromUtf8(source.suffix);
      break;
    case EraLabelRule::Period:
      break;
  }
  return EraPeriodText(era, style) + suffix;
}

QString OrthoPeriodLabel(int periodCode) {
  if (periodCode == 4) return QStringLiteral("2011年東日本大震災被災後");
  if (periodCode == 5) return QStringLiteral("東日本大震災被災地2011年5～6月撮影");
  const YearRange years = OrthoPeriodYears(periodCode);
  return QStringLiteral("%1-%2年（空中写真）").arg(years.from).arg(years.to);
}

}  // namespace kavalo
