// SPDX-License-Identifier: MIT
#include "model/ColorSet.h"

#include <QCoreApplication>
#include <algorithm>

#include "platform/Codec.h"
#include "platform/Numbers.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"

namespace kavalo {

ColorSet defaultColorSet(int32_t lowest, int32_t highest, const QString& name) {
  ColorSet s;
  s.name = name;
  s.sea = rgbColour(0, 0, 100);
  s.bottom = rgbColour(100, 200, 200);
  s.top = rgbColour(200, 0, 0);
  s.breakpointCount = 1;
  s.elevations[0] = toSingle((static_cast<double>(highest) - lowest) / 2.0 / 10.0);
  s.colours[0] = rgbColour(100, 200, 0);
  s.shading = 1;
  s.strength = 200;
  s.lightDirection = 0;
  return s;
}

ColorSetList defaultColorSetList() {
  ColorSetList list;
  list.sets.push_back(defaultColorSet(0, 0));
  list.selected = 0;
  return list;
}

namespace {

bool readColour(ValueReader& r, Colour& c) {
  int32_t v = 0;
  if (!r.readInt(v)) return false;
  c = static_cast<Colour>(v);
  return true;
}

}  // namespace

bool readColorSetFile(const QString& path, ColorSetList& list, QString* error) {
  ValueReader r{QString()};
  QString readError;
  if (!ValueReader::fromFile(path, r, &readError)) {
    if (error)
      *error =
          QCoreApplication::translate("kavalo::ColorSet", "標高色の設定ファイル「colorset.txt」を読み込めません。\n%1")
              .arg(readError);
    return false;
  }
  auto malformed = [&]() {
    if (error)
      *error =
          QCoreApplication::translate(
              "kavalo::ColorSet", "標高色の設定ファイル「colorset.txt」の形式が正しくありません（%1行目付近）。\n%2")
              .arg(r.lineNumber())
              .arg(path);
    return false;
  };
  ColorSetList next;
  int32_t count = 0;
  if (!r.readInt(count) || count < 1 || count > 10000) return malformed();
  if (!r.readInt(next.selected)) return malformed();
  for (int32_t i = 0; i < count; ++i) {
    ColorSet s;
    if (!r.readText(s.name) || !readColour(r, s.sea) || !readColour(r, s.top) || !readColour(r, s.bottom))
      return malformed();
    if (!r.readInt(s.breakpointCount) || s.breakpointCount < 0 || s.breakpointCount > kMaxBreakpoints)
      return malformed();
    for (int k = 0; k < s.breakpointCount; ++k) {
      if (!r.readSingle(s.elevations[static_cast<size_t>(k)]) || !readColour(r, s.colours[static_cast<size_t>(k)]))
        return malformed();
    }
    if (!r.readInt(s.shading) || !r.readInt(s.strength) || !r.readInt(s.lightDirection)) return malformed();
    // An unknown light direction would index past the direction table.
    if (s.lightDirection < 0 || s.lightDirection > 3) s.lightDirection = 0;
    next.sets.push_back(s);
  }
  // A hand-edited selection outside the list selects the first set.
  if (next.selected < 0 || next.selected >= count) next.selected = 0;
  list = std::move(next);
  return true;
}

namespace {

// The name as colorset.txt can hold it. The format has no quoting: a comma or
// a leading double quote would shift every value after the name, and a line
// break would split it, so they are stored in their full-width forms (or as a
// blank). The reader skips blanks around a value, so they are not stored
// either: a name kept with them would change at every save, and a double
// quote behind them would become a leading one. A character without a
// Shift-JIS form would make the whole file unwritable and lose every set, so
// it becomes "?".
QString storableName(const QString& name) {
  QString out;
  out.reserve(name.size());
  for (qsizetype i = 0; i < name.size(); ++i) {
    QChar c = name[i];
    if (c == u',') {
      out += u'，';
    } else if (c == u'\r' || c == u'\n') {
      out += u' ';
    } else {
      const qsizetype length = (c.isHighSurrogate() && i + 1 < name.size()) ? 2 : 1;
      const QString one = name.mid(i, length);
      bool ok = true;
      toSjis(one, &ok);
      out += ok ? one : QStringLiteral("?");
      i += length - 1;
    }
  }
  auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
  qsizetype start = 0, end = out.size();
  while (start < end && blank(out[start])) ++start;
  while (end > start && blank(out[end - 1])) --end;
  out = out.mid(start, end - start);
  if (out.startsWith(u'"')) out[0] = u'＂';  // stored
  return out;
}

}  // namespace

bool writeColorSetFile(const QString& path, const ColorSetList& list, QString* error) {
  ValueWriter w;
  w.numberLine(static_cast<int64_t>(list.sets.size())).numberLine(list.selected);
  for (const ColorSet& s : list.sets) {
    w.textLine(storableName(s.name));
    // Top before bottom: the order the file has always had.
    w.numberLine(static_cast<int32_t>(s.sea))
        .numberLine(static_cast<int32_t>(s.top))
        .numberLine(static_cast<int32_t>(s.bottom));
    const int n = std::clamp(s.breakpointCount, 0, kMaxBreakpoints);
    w.numberLine(n);
    for (int k = 0; k < n; ++k) {
      // Elevations in the shortest form that reads back as the same single.
      const QString text = shortestSingleText(s.elevations[static_cast<size_t>(k)]);
      w.text(text.startsWith(u'-') ? text + u' ' : u' ' + text + u' ').endLine();
      w.numberLine(static_cast<int32_t>(s.colours[static_cast<size_t>(k)]));
    }
    w.numberLine(s.shading).numberLine(s.strength).numberLine(s.lightDirection);
  }
  return w.save(path, error);
}

}  // namespace kavalo
