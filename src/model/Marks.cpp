// SPDX-License-Identifier: MIT
#include "model/Marks.h"

#include <QCoreApplication>
#include <QList>

#include <cmath>

#include "platform/Codec.h"
#include "platform/Paths.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"

namespace kavalo {

void MarkList::add(const Mark& mark) {
  if (count_ >= slotCount()) slots_.resize(static_cast<size_t>(count_) + 6);
  slots_[static_cast<size_t>(count_)] = mark;
  ++count_;
}

void MarkList::removeAt(int i) {
  if (i < 0 || i >= count_) return;
  for (int k = i; k < count_ - 1; ++k) slots_[static_cast<size_t>(k)] = slots_[static_cast<size_t>(k + 1)];
  --count_;
}

void MarkList::clear() {
  count_ = 0;
  slots_.clear();
}

void MarkList::assignLoaded(std::vector<Mark> marks) {
  count_ = static_cast<int>(marks.size());
  slots_ = std::move(marks);
  slots_.resize(static_cast<size_t>(count_) + 1);
}

QString storableMarkName(const QString& name) {
  QString n;
  n.reserve(name.size());
  for (const char32_t c : name.toUcs4()) {
    const QString one = QString::fromUcs4(&c, 1);
    bool ok = true;
    toSjis(one, &ok);
    n += ok ? one : QStringLiteral("?");
  }
  n.replace(u',', u'，');
  n.replace(u'\r', u' ');
  n.replace(u'\n', u' ');
  // The reader skips blanks around a value.
  auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
  qsizetype start = 0, end = n.size();
  while (start < end && blank(n[start])) ++start;
  while (end > start && blank(n[end - 1])) --end;
  n = n.mid(start, end - start);
  // A leading double quote would make the reader take the name as quoted.
  if (n.startsWith(u'"')) n[0] = u'＂';  // stored
  return n;
}

bool Get_MarkFile(const QString& path, MarkList& marks, QString* error) {
  if (!FileExists(path)) {
    marks.clear();
    return true;
  }
  ValueReader r{QString()};
  QString readError;
  if (!ValueReader::fromFile(path, r, &readError)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::Marks", "目印ファイルを読み込めません。\n%1").arg(readError);
    return false;
  }
  auto malformed = [&]() {
    if (error)
      *error = QCoreApplication::translate("kavalo::Marks", "目印ファイルの形式が正しくありません（%1行目付近）。\n%2")
                   .arg(r.lineNumber())
                   .arg(path);
    return false;
  };
  // The count must be a number: a file that does not begin with one is not a
  // marks file, and reading it as 0 would lose it at the next save.
  QString countText;
  if (!r.readText(countText)) return malformed();
  bool countOk = false;
  const int count = countText.toInt(&countOk);
  if (!countOk || count < 0) return malformed();
  std::vector<Mark> loaded;
  for (int i = 0; i < count; ++i) {
    Mark m;
    QString lat, lon;
    if (!r.readText(lat) || !r.readText(lon) || !r.readText(m.name)) return malformed();
    bool okLat = false, okLon = false;
    m.lat = lat.trimmed().toFloat(&okLat);
    m.lon = lon.trimmed().toFloat(&okLon);
    if (!okLat || !okLon || !std::isfinite(m.lat) || !std::isfinite(m.lon)) return malformed();
    loaded.push_back(m);
  }
  marks.assignLoaded(std::move(loaded));
  return true;
}

bool Save_MarkFile(const QString& path, const MarkList& marks, QString* error) {
  ValueWriter w;
  w.numberLine(marks.count());
  for (int i = 0; i < marks.count(); ++i) {
    const Mark& m = marks.at(i);
    w.single(m.lat).comma().single(m.lon).comma().textLine(storableMarkName(m.name));
  }
  return w.save(path, error);
}

}  // namespace kavalo
