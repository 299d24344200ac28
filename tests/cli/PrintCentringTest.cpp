// SPDX-License-Identifier: MIT
// print without --offset-mm puts the map in the middle of the printable
// area at any size; --offset-mm puts its top-left corner where it says.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "cli/CliFixture.h"

using namespace kavalo;

namespace {

// The bounding box of what is not white on the page, rendered at one pixel a
// millimetre, and the page's size.
QRect inkedMillimetres(const QString& pdf, QSize* page) {
  QProcess p;
  p.start(QStandardPaths::findExecutable("pdftoppm"), {"-r", "25.4", "-png", "-singlefile", pdf, pdf});
  if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
  const QImage image(pdf + ".png");
  *page = image.size();
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 200) box |= QRect(x, y, 1, 1);
  return box;
}

}  // namespace

TEST(PrintCommand, WithoutAnOffsetTheMapIsCentred) {
  ASSERT_FALSE(QStandardPaths::findExecutable("pdftoppm").isEmpty()) << "scripts/deps installs poppler-utils";
  test::CliRootFixture f;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col)
      test::writeSolidImage(
          f.data.folder + QStringLiteral("/E1900/%1_%2.png").arg(col, 3, 10, QChar(u'0')).arg(row, 3, 10, QChar(u'0')),
          100, 80, QColor(40, 40, 90));
  const QStringList view = {"--era",  "0",   "--size",   "400x320", "--center", "200,160",
                            "--zoom", "100", "--layers", "tiles",   "--paper",  "A4"};
  const struct {
    QStringList place;
    bool centred;
    double widthMm;  // of the map on the page
  } cases[] = {
      {{"--print-size", "40"}, true, 0.4},
      {{"--print-size", "100"}, true, 1.0},
      {{"--print-size", "40", "--offset-mm", "0,0"}, false, 0.4},
  };
  QSize page;
  double fullWidth = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.place.join(u' ').toStdString());
    const QString pdf = f.path(QStringLiteral("p.pdf"));
    const test::ProgramRun run = test::runCli(f.with("print", view + c.place + QStringList{"--pdf", pdf}));
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QRect inked = inkedMillimetres(pdf, &page);
    ASSERT_FALSE(inked.isEmpty());
    if (c.widthMm == 1.0) fullWidth = inked.width();
    const QPointF offCentre = QRectF(inked).center() - QPointF(page.width() / 2.0, page.height() / 2.0);
    if (c.centred) {
      EXPECT_LE(std::abs(offCentre.x()), 2.0) << inked.x() << "," << inked.y() << " " << inked.width();
      EXPECT_LE(std::abs(offCentre.y()), 2.0) << inked.x() << "," << inked.y() << " " << inked.height();
    } else {
      EXPECT_GT(std::abs(offCentre.y()), 40.0);  // at the top of the printable area
    }
  }
  ASSERT_GT(fullWidth, 100.0);
}
