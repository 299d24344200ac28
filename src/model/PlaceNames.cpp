// SPDX-License-Identifier: MIT
#include "model/PlaceNames.h"

#include <QCoreApplication>
#include <QtEndian>

#include <cstring>

#include "platform/Codec.h"
#include "platform/Paths.h"

namespace kavalo {

namespace {

class BinaryCursor {
 public:
  explicit BinaryCursor(const QByteArray& data) : data_(data) {}
  bool has(qsizetype n) const { return n >= 0 && data_.size() - pos_ >= n; }
  template <typename T>
  bool read(T& out) {
    if (!has(static_cast<qsizetype>(sizeof(T)))) return false;
    out = qFromLittleEndian<T>(data_.constData() + pos_);
    pos_ += static_cast<qsizetype>(sizeof(T));
    return true;
  }
  bool readFloat(float& out) {
    uint32_t bits = 0;
    if (!read(bits)) return false;
    std::memcpy(&out, &bits, sizeof out);
    return true;
  }
  bool readBytes(qsizetype n, QByteArray& out) {
    if (!has(n)) return false;
    out = data_.mid(pos_, n);
    pos_ += n;
    return true;
  }
  qsizetype remaining() const { return data_.size() - pos_; }

 private:
  const QByteArray& data_;
  qsizetype pos_ = 0;
};

// The smallest record: two lengths, two floats and the category.
constexpr qsizetype kMinRecordSize = 2 + 4 + 4 + 4 + 2;

}  // namespace

bool Get_PlaceNameFile(const QString& path, std::vector<PlaceName>& out, QString* error) {
  out.clear();
  if (!FileExists(path)) return true;
  QByteArray data;
  QString readError;
  if (!readFileBytes(path, data, &readError)) {
    if (error)
      *error = QCoreApplication::translate("kavalo::PlaceNames", "地名ファイル「placename.dat」を読み込めません。\n%1")
                   .arg(readError);
    return false;
  }
  auto malformed = [&](int record) {
    if (error)
      *error = QCoreApplication::translate("kavalo::PlaceNames",
                                           "地名ファイル「placename.dat」の形式が正しくありません（%1件目）。\n%2")
                   .arg(record)
                   .arg(path);
    out.clear();
    return false;
  };
  BinaryCursor cur(data);
  int32_t n = 0;
  if (!cur.read(n) || n < 0) return malformed(0);
  if (static_cast<int64_t>(n) * kMinRecordSize > cur.remaining()) return malformed(0);
  out.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    PlaceName p;
    uint16_t nameLength = 0, textLength = 0;
    QByteArray name, text;
    if (!cur.read(nameLength) || !cur.readBytes(nameLength, name) || !cur.readFloat(p.lon) || !cur.readFloat(p.lat) ||
        !cur.read(p.category) || !cur.read(textLength) || !cur.readBytes(textLength, text))
      return malformed(i + 1);
    if (p.category < 0 || p.category > 7) return malformed(i + 1);
    p.name = fromSjis(name);
    p.text = fromSjis(text);
    out.push_back(std::move(p));
  }
  return true;
}

}  // namespace kavalo
