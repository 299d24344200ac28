#include "elevation/Legend.h"

#include <QByteArray>

#include <algorithm>

#include "platform/Numbers.h"
#include "platform/Paths.h"

namespace kavalo {

QString legendFileName(const Era& era) {
  switch (era.kind) {
    case kScannedSheets: {
      // Two digits: the last two of "0" and the number.
      const QString number = (u'0' + QString::number(era.legendNumber)).right(2);
      return QStringLiteral("\\legend\\") + number + u'.' + era.ext;
    }
    case kTwentyThousand:
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
  const int panelWidth = scrollBarWidth + picture.width();
  // A window shorter than the button band still gets an empty panel, never
  // a negative one.
  const int panelHeight = std::max(0, innerHeight - kLegendButtonBand);
  l.picBox = QRect(0, kLegendButtonBand, panelWidth, panelHeight);
  l.scrollBar = QRect(panelWidth - scrollBarWidth, 0, scrollBarWidth, panelHeight);
  l.innerWidth = panelWidth;
  return l;
}

int legendPictureTop(int pictureHeight, int panelHeight, int scrollValue) {
  return roundToInt(-static_cast<double>(pictureHeight - panelHeight) * scrollValue / 100.0);
}

}  // namespace kavalo
