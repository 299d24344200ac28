// SPDX-License-Identifier: MIT
// The KML time spans of an export: each era from its first year to the year
// before the next era's, and never ending before it begins when two eras
// begin in the same year.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "output/ExportDocuments.h"

using namespace kavalo;

namespace {

// "begin..end" of every overlay, end empty when the span has none.
QStringList spans(const std::vector<int>& firstYears) {
  std::vector<ExportEra> eras;
  for (size_t i = 0; i < firstYears.size(); ++i)
    eras.push_back({static_cast<int>(i), QStringLiteral("e"), firstYears[i]});
  const QString kml = kmlText(QStringLiteral("t"), eras, QStringLiteral("x"), QStringLiteral("png"), GeoBox());
  static const QRegularExpression span(
      QStringLiteral("<TimeSpan>\r\n<begin>([^<]*)</begin>\r\n(?:<end>([^<]*)</end>\r\n)?</TimeSpan>"));
  QStringList out;
  for (auto it = span.globalMatch(kml); it.hasNext();) {
    const QRegularExpressionMatch m = it.next();
    out << m.captured(1) + QStringLiteral("..") + m.captured(2);
  }
  return out;
}

}  // namespace

TEST(KmlSpans, NeverRunBackwards) {
  struct Case {
    std::vector<int> years;
    QStringList want;
  };
  const Case cases[] = {
      {{1900, 1930, 1970}, {"1900-01-01..1929-12-31", "1930-01-01..1969-12-31", "1970-01-01.."}},
      {{1970}, {"1970-01-01.."}},
      // Two eras of one year: the first lasts its own first day.
      {{2025, 2026, 2026}, {"2025-01-01..2025-12-31", "2026-01-01..2026-01-01", "2026-01-01.."}},
      {{2026, 2026, 2026, 2027},
       {"2026-01-01..2026-01-01", "2026-01-01..2026-01-01", "2026-01-01..2026-12-31", "2027-01-01.."}},
      // Eras a year apart end on the last day of their own year.
      {{1999, 2000}, {"1999-01-01..1999-12-31", "2000-01-01.."}},
  };
  for (const Case& c : cases) {
    const QStringList got = spans(c.years);
    EXPECT_EQ(got, c.want);
    for (const QString& s : got) {
      const QString end = s.section(QStringLiteral(".."), 1);
      if (!end.isEmpty()) EXPECT_LE(s.section(QStringLiteral(".."), 0, 0), end) << s.toStdString();
    }
  }
}
