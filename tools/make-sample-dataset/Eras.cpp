// SPDX-License-Identifier: MIT
#include "Eras.h"

#include "app/DatasetLoader.h"
#include "platform/Numbers.h"

namespace sample {

namespace {

using P = Presence;

// A value as the info file keeps it: a single with at most seven digits.
double asWritten(double v) { return kavalo::singleToText(static_cast<float>(v)).toDouble(); }

}  // namespace

const std::array<std::array<const char*, kSheetsX>, kSheetsY> kSheetNames = {{
    {"奥山", "東谷"},
    {"サンプル", "鼻崎"},
}};

QString SheetEra::legendFile() const {
  const QString digits = QStringLiteral("0") + QString::number(legendNumber);
  return QStringLiteral("legend/") + digits.right(2) + QStringLiteral(".png");
}

const std::vector<SheetEra>& sheetEras() {
  // The 1909 edition has no sheet of the eastern hills; the 1931 edition did
  // not revise the cape sheet and shows the 1909 one instead.
  static const std::vector<SheetEra> eras = {
      {QStringLiteral("1909"),
       0,
       1909,
       1911,
       0,
       1,
       MapStyle::Meiji,
       QStringLiteral("明治42年測図"),
       QStringLiteral("明治44年"),
       {{{P::Own, P::None}, {P::Own, P::Own}}}},
      {QStringLiteral("1931"),
       1,
       1931,
       1933,
       0,
       2,
       MapStyle::EarlyShowa,
       QStringLiteral("昭和6年修正測図"),
       QStringLiteral("昭和8年"),
       {{{P::Own, P::Own}, {P::Own, P::Borrowed}}}},
      {QStringLiteral("1970"),
       1,
       1970,
       1971,
       0,
       3,
       MapStyle::LateShowa,
       QStringLiteral("昭和45年改測"),
       QStringLiteral("昭和46年"),
       {{{P::Own, P::Own}, {P::Own, P::Own}}}},
      {QStringLiteral("2001"),
       2,
       2001,
       2002,
       1,
       4,
       MapStyle::Heisei,
       QStringLiteral("平成13年修正測量"),
       QStringLiteral("平成14年"),
       {{{P::Own, P::Own}, {P::Own, P::Own}}}},
  };
  return eras;
}

const std::vector<TileEra>& tileEras() {
  static const std::vector<TileEra> eras = {
      {QStringLiteral("W00"), 1, 2024, 2024, 2024, QStringLiteral("2024/04/01"), 0, QStringLiteral("png")},
      {QStringLiteral("DKO00"), 5, 2019, 2019, 2019, QStringLiteral("2019/11/15"), 0, QStringLiteral("jpg")},
      {QStringLiteral("ORTHO1"), 2, 1979, 1983, 1981, QString(), 1, QStringLiteral("jpg")},
      {QStringLiteral("JINNSOKU"), 3, 1880, 1885, 1882, QString(), 0, QStringLiteral("jpg")},
  };
  return eras;
}

const TwentyThousandEra& twentyThousandEra() {
  static const TwentyThousandEra era = [] {
    TwentyThousandEra e;
    e.yearFrom = 1890;
    e.yearTo = 1893;
    // Sheets of the old frame: its meridians lie 10.405" east of ours. The
    // eastern hills were never surveyed at this scale.
    const double west = kWest + 10.405 / 3600.0;
    struct Cell {
      int column, row;
      const char* name;
    };
    const Cell cells[] = {{0, 0, "大川村"}, {0, 1, "浜村"}, {1, 1, "鼻崎"}};
    int n = 1;
    for (const Cell& c : cells) {
      TwentyThousandSheet s;
      s.file = QStringLiteral("2man_%1.png").arg(n, 2, 10, QLatin1Char('0'));
      s.code = QStringLiteral("正式二万-%1").arg(n);
      s.name = QString::fromUtf8(c.name);
      s.west = asWritten(west + c.column * 0.125);
      s.east = asWritten(west + (c.column + 1) * 0.125);
      s.north = asWritten(kNorth - c.row * 5.0 / 60.0);
      s.south = asWritten(kNorth - (c.row + 1) * 5.0 / 60.0);
      e.sheets.push_back(s);
      ++n;
    }
    return e;
  }();
  return era;
}

int initialEraIndex() {
  // Sort the eras as the program does and find the 1970 sheets.
  std::vector<kavalo::Era> eras;
  auto add = [&](const QString& name, int yearFrom) {
    kavalo::Era e;
    e.name = name;
    e.yearFrom = yearFrom;
    eras.push_back(e);
  };
  for (const SheetEra& e : sheetEras()) add(e.folder, e.yearFrom);
  for (const TileEra& e : tileEras()) add(e.folder, e.yearFrom);
  add(QStringLiteral("2man"), twentyThousandEra().yearFrom);
  kavalo::SortErasByYear(eras);
  for (size_t i = 0; i < eras.size(); ++i)
    if (eras[i].name == u"1970") return static_cast<int>(i);
  return 0;
}

}  // namespace sample
