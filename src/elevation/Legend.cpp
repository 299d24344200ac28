// SPDX-License-Identifier: MIT
#include "elevation/Legend.h"

#include <QByteArray>

#include <algorithm>

#include "model/EraSources.h"
#include "platform/Numbers.h"
#include "platform/Paths.h"

namespace kavalo {

QString legendFileName(const Era& era) {
  switch (eraSource(era).sheets) {
    case EraSheets::History: {
      // Two digits: the last two of "0" and the number.
      const QString number = (u'0' + QString::number(era.legendNumber)).right(2);
      return QStringLiteral("\\legend\\") + number + u'.' + era.ext;
    }
    case EraSheets::Index:
      return QStringLiteral("\\legend\\2man.") + era.ext;
    default:
      return {};
  }
}

QImage loadLegendPicture(const QString& path) {
  QByteArray bytes;
  if (!readFileBytes(path, bytes, nullptr)) return {};
  // The decoder is chosen by the content, so a legend saved with another
  // extension than its format still shows.
  QImage image = QImage::fromData(bytes);
  if (image.isNull()) return {};
  return image.convertToFormat(QImage::Format_RGB32);
}

LegendLayout layoutLegend(QSize picture, int innerHeight, int scrollBarWidth) {
  LegendLayout l;
  // A window shorter than the button band still gets an empty panel, never
  // a negative one.
  const int panelHeight = std::max(0, innerHeight - kLegendButtonBand);
  l.overhang = std::max(0, picture.height() - panelHeight);
  const int barWidth = l.overhang > 0 ? scrollBarWidth : 0;
  const int panelWidth = barWidth + picture.width();
  l.picBox = QRect(0, kLegendButtonBand, panelWidth, panelHeight);
  l.scrollBar = QRect(panelWidth - barWidth, 0, barWidth, panelHeight);
  l.innerWidth = panelWidth;
  return l;
}

}  // namespace kavalo
