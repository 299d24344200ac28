// SPDX-License-Identifier: MIT
#include "output/ExportDocuments.h"

#include <QStringList>

#include "model/EraLabels.h"
#include "model/ProgramState.h"
#include "platform/Numbers.h"

namespace kavalo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString joinLines(const QStringList& lines) { return lines.join(kCrLf) + kCrLf; }

int lastSeparator(const QString& path) { return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')); }

// A name inside a single-quoted script string: the quote and the backslash
// would end or bend the string.
QString scriptString(const QString& text) {
  QString out = text;
  out.replace(u'\\', QStringLiteral("\\\\"));
  out.replace(u'\'', QStringLiteral("\\'"));
  return out;
}

// A corner of the LatLonBox: the box's own value to a billionth of a degree
// (a tenth of a millimetre), in plain decimals. Seven significant digits
// placed the image up to a few pixels away from its world file at high zoom.
QString kmlDegrees(float v) {
  QString text = QString::number(static_cast<double>(v), 'f', 9);
  while (text.endsWith(u'0')) text.chop(1);
  if (text.endsWith(u'.')) text.chop(1);
  if (text == u"-0") text = QStringLiteral("0");
  return text;
}

}  // namespace

std::vector<ExportEra> exportEraList(const ProgramState& state) {
  std::vector<int32_t> order = state.eraListMap;
  if (order.empty())
    for (size_t i = 0; i < state.eras.size(); ++i)
      if (state.eras[i].listed) order.push_back(static_cast<int32_t>(i));
  std::vector<ExportEra> list;
  for (int32_t index : order) {
    if (index < 0 || index >= static_cast<int32_t>(state.eras.size())) continue;
    const Era& era = state.eras[static_cast<size_t>(index)];
    list.push_back({index, Get_cboAge_Text(era, state.view.eraLabelStyle), era.yearFrom});
  }
  return list;
}

QString FolderOf(const QString& path) {
  const int i = lastSeparator(path);
  return i < 0 ? QString() : path.left(i);
}

QString FileNameOf(const QString& path) { return path.mid(lastSeparator(path) + 1); }

QString StripExtension(const QString& name) {
  const int i = name.lastIndexOf(u'.');
  return i < 0 ? name : name.left(i);
}

QString ReplaceExtension(const QString& name, const QString& ext) {
  const int sep = lastSeparator(name);
  const int dot = name.lastIndexOf(u'.');
  if (dot <= sep) return name + u'.' + ext;
  return name.left(dot + 1) + ext;
}

bool HasExtension(const QString& name, const QString& ext) { return name.endsWith(u'.' + ext, Qt::CaseInsensitive); }

QString imageFileName(const QString& base, int index, const QString& ext) {
  return base + QString::number(index) + u'.' + ext;
}

QString escapeMarkup(const QString& text, bool attribute) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    switch (c.unicode()) {
      case u'&':
        out += QStringLiteral("&amp;");
        break;
      case u'<':
        out += QStringLiteral("&lt;");
        break;
      case u'>':
        out += QStringLiteral("&gt;");
        break;
      case u'"':
        out += attribute ? QStringLiteral("&quot;") : QStringLiteral("\"");
        break;
      case u'\'':
        out += attribute ? QStringLiteral("&#39;") : QStringLiteral("'");
        break;
      default:
        out += c;
    }
  }
  return out;
}

QString kmlSpanEnd(int firstYear, int nextFirstYear) {
  // An era followed by one of the same first year lasts its first day: a
  // span that ended before it began would hide it in every KML reader.
  if (nextFirstYear <= firstYear) return QStringLiteral("<end>%1-01-01</end>").arg(firstYear);
  return QStringLiteral("<end>%1-12-31</end>").arg(nextFirstYear - 1);
}

QString kmlText(const QString& title, const std::vector<ExportEra>& eras, const QString& base, const QString& ext,
                const GeoBox& box) {
  QStringList l;
  l << QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
    << QStringLiteral("<kml xmlns=\"http://earth.google.com/kml/2.1\">") << QStringLiteral("<Document>")
    << QStringLiteral("<name>Kavalo</name>") << QStringLiteral("<Folder>")
    << QStringLiteral("<name>Kavalo") + escapeMarkup(title) + QStringLiteral("</name>");
  for (size_t i = 0; i < eras.size(); ++i) {
    l << QStringLiteral("<GroundOverlay>")
      << QStringLiteral("<name>") + escapeMarkup(eras[i].name) + QStringLiteral("</name>")
      << QStringLiteral("<TimeSpan>") << QStringLiteral("<begin>%1-01-01</begin>").arg(eras[i].firstYear);
    if (i + 1 < eras.size()) l << kmlSpanEnd(eras[i].firstYear, eras[i + 1].firstYear);
    l << QStringLiteral("</TimeSpan>") << QStringLiteral("<Icon>")
      << QStringLiteral("<href>") + escapeMarkup(imageFileName(base, static_cast<int>(i), ext)) +
             QStringLiteral("</href>")
      << QStringLiteral("</Icon>") << QStringLiteral("<LatLonBox>")
      << QStringLiteral("<north>") + kmlDegrees(box.north) + QStringLiteral("</north>")
      << QStringLiteral("<south>") + kmlDegrees(box.south) + QStringLiteral("</south>")
      << QStringLiteral("<east>") + kmlDegrees(box.east) + QStringLiteral("</east>")
      << QStringLiteral("<west>") + kmlDegrees(box.west) + QStringLiteral("</west>") << QStringLiteral("</LatLonBox>")
      << QStringLiteral("</GroundOverlay>");
  }
  l << QStringLiteral("</Folder>") << QStringLiteral("</Document>") << QStringLiteral("</kml>");
  return joinLines(l);
}

QString htmlText(const std::vector<ExportEra>& eras, const QString& base, const QString& ext, int width, int height) {
  const int n = static_cast<int>(eras.size());
  QStringList l;
  l << QStringLiteral("<HTML>") << QStringLiteral("<HEAD>")
    << QStringLiteral("<meta http-equiv=Content-Type content=text/html; charset=shift_jis>")
    << QStringLiteral("<SCRIPT language='JavaScript'>") << QStringLiteral("<!--") << QString()
    << QStringLiteral("a1=new Array();for(i=0;i<%1;i++){a1[i]=new Image()}").arg(n);
  for (int i = 0; i < n; ++i)
    l << QStringLiteral("a1[%1].src='").arg(i) + scriptString(imageFileName(base, i, ext)) + QStringLiteral("';");
  l << QStringLiteral("function cngImage(num){document.img01.src=a1[num].src;}") << QStringLiteral("//-->")
    << QStringLiteral("</SCRIPT>") << QStringLiteral("<STYLE type=text/css>") << QStringLiteral("A:link{ color : blue}")
    << QStringLiteral("A:active{ color : blue}") << QStringLiteral("A:visited{ color : blue}")
    << QStringLiteral("A:hover{color: red}") << QStringLiteral("</STYLE>") << QStringLiteral("</HEAD>")
    << QStringLiteral("<BODY>") << QStringLiteral("<TABLE>") << QStringLiteral("<TR>") << QStringLiteral("<TD>");
  const QString first = n > 0 ? imageFileName(base, n - 1, ext) : QString();
  l << QStringLiteral("<img src='") + escapeMarkup(first, true) +
           QStringLiteral("' name='img01' width=%1 height=%2>").arg(width).arg(height)
    << QStringLiteral("</TD>") << QStringLiteral("<TD>");
  for (int i = 0; i < n; ++i)
    l << QStringLiteral("<A href='javascript:void(0)' onmouseover=cngImage(%1)>").arg(i) +
             escapeMarkup(eras[static_cast<size_t>(i)].name) + QStringLiteral("</A><BR>");
  l << QStringLiteral("</TD>") << QStringLiteral("</TR>") << QStringLiteral("</TABLE>") << QStringLiteral("</BODY>")
    << QStringLiteral("</HTML>");
  return joinLines(l);
}

QString worldFileText(const GeoBox& box, int width, int height) {
  const double sizeX = (static_cast<double>(box.east) - box.west) / width;
  const double sizeY = (static_cast<double>(box.north) - box.south) / height;
  QStringList l;
  l << QString::number(sizeX, 'g', 17) << QStringLiteral("0") << QStringLiteral("0") << QString::number(-sizeY, 'g', 17)
    << QString::number(box.west + sizeX / 2, 'g', 17) << QString::number(box.north - sizeY / 2, 'g', 17);
  return joinLines(l);
}

QString worldFileExtension(const QString& imageExt) {
  return imageExt.compare(u"png", Qt::CaseInsensitive) == 0 ? QStringLiteral("pgw") : QStringLiteral("jgw");
}

QString worldDatumAuxXml() {
  // GDAL's own sidecar: it reads the coordinate system of a PNG or JPEG from
  // here, not from a .prj. The axis mapping keeps the world file's order of
  // longitude, latitude.
  return QStringLiteral("<PAMDataset>\r\n  <SRS dataAxisToSRSAxisMapping=\"2,1\">") + escapeMarkup(worldDatumPrj()) +
         QStringLiteral("</SRS>\r\n</PAMDataset>\r\n");
}

QString worldDatumPrj() {
  return QStringLiteral(
      "GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],"
      "PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433],AUTHORITY[\"EPSG\",\"4326\"]]");
}

}  // namespace kavalo
