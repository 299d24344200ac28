// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <zip.h>

#include "output/Export.h"
#include "output/ExportDocuments.h"
#include "output/SaveFileDialog.h"
#include "output/frmOutput.h"
#include "platform/Codec.h"
#include "render/ImageLibrary.h"
#include "render/RenderFixture.h"
#include "support/Programs.h"

using namespace kavalo;

namespace {

std::vector<ExportEra> threeEras() {
  return {
      {0, QStringLiteral("1900年"), 1900}, {1, QStringLiteral("1930年"), 1930}, {2, QStringLiteral("1970年"), 1970}};
}

// The KML read back by an XML reader: the texts of the elements named, in order.
QStringList kmlValues(const QByteArray& bytes, const QString& element, QString* error = nullptr) {
  QXmlStreamReader xml(bytes);
  QStringList values;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element) values << xml.readElementText();
  if (error) *error = xml.hasError() ? xml.errorString() : QString();
  return values;
}

// Three eras of distinct solid colours, the view on the second.
struct ExportFixture : test::RenderFixture {
  QTemporaryDir out;
  static QRgb eraColour(int era) { return qRgb(60 * era + 30, 200 - 50 * era, 90); }
  ExportFixture() {
    data.tikeizuLines << QStringLiteral("E1970,0,1970,1971,0,3,2,png");
    data.write();
    const QString names[3] = {QStringLiteral("E1900"), QStringLiteral("E1930"), QStringLiteral("E1970")};
    for (int e = 0; e < 3; ++e) solidTiles(names[e], [e](int, int) { return eraColour(e); });
    EXPECT_TRUE(load());
    state.view.eraIndex = 1;
    compose();
  }
  QString file(const QString& name) const { return out.path() + u'/' + name; }
  bool run(ExportOptions options) {
    options.path = file(options.path);
    return ExportView(state, request(RenderPass::Export), options, prompts);
  }
};

}  // namespace

TEST(ExportTexts, PathRoutinesAndTheExtensionCorrection) {
  struct Case {
    QString path, folder, name, stripped, corrected;
  } cases[] = {
      {"/d/x/export.kml", "/d/x", "export.kml", "export", "export.kml"},
      {"/d/x/export.txt", "/d/x", "export.txt", "export", "export.kml"},
      {"/d/x.y/export", "/d/x.y", "export", "export", "export.kml"},
      {"C:\\maps\\a.b.html", "C:\\maps", "a.b.html", "a.b", "a.b.kml"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path.toStdString();
    EXPECT_EQ(FileNameOf(c.path), c.name) << c.path.toStdString();
    EXPECT_EQ(StripExtension(FileNameOf(c.path)), c.stripped) << c.path.toStdString();
    EXPECT_EQ(FileNameOf(ReplaceExtension(c.path, "kml")), c.corrected) << c.path.toStdString();
  }
}

TEST(ExportTexts, KmlHasTheTimeSpansTheBareImageNamesAndReadsBackWithAnAwkwardTitle) {
  const GeoBox box{139.7671f, 139.8f, 35.68123f, 35.6f};
  const QString kml = kmlText(QStringLiteral("A&B <町>"), threeEras(), QStringLiteral("export"), "jpg", box);
  EXPECT_TRUE(
      kml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kml xmlns=\"http://earth.google.com/kml/2.1\">"
                     "\r\n<Document>\r\n<name>Kavalo</name>\r\n<Folder>\r\n<name>KavaloA&amp;B &lt;町&gt;</name>\r\n"));
  EXPECT_TRUE(kml.endsWith("</GroundOverlay>\r\n</Folder>\r\n</Document>\r\n</kml>\r\n"));
  EXPECT_EQ(kml.count(u'\n'), kml.count(QStringLiteral("\r\n")));
  QString error;
  const QByteArray bytes = kml.toUtf8();
  EXPECT_EQ(kmlValues(bytes, "begin", &error), QStringList({"1900-01-01", "1930-01-01", "1970-01-01"}));
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
  EXPECT_EQ(kmlValues(bytes, "end"), QStringList({"1929-12-31", "1969-12-31"}));
  EXPECT_EQ(kmlValues(bytes, "href"), QStringList({"export0.jpg", "export1.jpg", "export2.jpg"}));
  EXPECT_EQ(kmlValues(bytes, "name").at(1), QStringLiteral("KavaloA&B <町>"));
  // The box's own values, in plain decimals.
  EXPECT_EQ(kmlValues(bytes, "north").constFirst(), "35.681228638");
  EXPECT_EQ(kmlValues(bytes, "west").constFirst(), "139.767105103");

  // One era: a beginning and no end.
  const QString one = kmlText("t", {{0, "x", 1900}}, "e", "png", box);
  EXPECT_EQ(kmlValues(one.toUtf8(), "begin"), QStringList({"1900-01-01"}));
  EXPECT_TRUE(kmlValues(one.toUtf8(), "end").isEmpty());
}

TEST(ExportTexts, HtmlShowsTheLastEraFirstWithOneLinkPerEra) {
  std::vector<ExportEra> eras = threeEras();
  eras[1].name = QStringLiteral("R&D<1>");
  const QStringList lines = htmlText(eras, QStringLiteral("it's"), "png", 640, 480).split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines.at(2), "<meta http-equiv=Content-Type content=text/html; charset=shift_jis>");
  EXPECT_EQ(lines.at(6), "a1=new Array();for(i=0;i<3;i++){a1[i]=new Image()}");
  EXPECT_EQ(lines.at(8), "a1[1].src='it\\'s1.png';");
  EXPECT_TRUE(lines.contains("<img src='it&#39;s2.png' name='img01' width=640 height=480>"));
  EXPECT_TRUE(lines.contains("<A href='javascript:void(0)' onmouseover=cngImage(1)>R&amp;D&lt;1&gt;</A><BR>"));
  EXPECT_EQ(lines.filter("onmouseover=").size(), 3);
  EXPECT_EQ(lines.constLast(), QString());  // the last line ends with CR LF too
  EXPECT_EQ(lines.at(lines.size() - 2), "</HTML>");
}

TEST(ExportTexts, WorldFileCoversTheKmlBox) {
  const GeoBox box{135.0861f, 135.1585f, 33.93496f, 33.89324f};
  const QStringList v = worldFileText(box, 1000, 700).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  ASSERT_EQ(v.size(), 6);
  const double a = v[0].toDouble(), e = v[3].toDouble(), c = v[4].toDouble(), f = v[5].toDouble();
  EXPECT_EQ(v[1], "0");
  EXPECT_EQ(v[2], "0");
  // The outer edges of the corner pixels are the box's edges.
  EXPECT_NEAR(c - a / 2, box.west, 1e-9);
  EXPECT_NEAR(c - a / 2 + 1000 * a, box.east, 1e-9);
  EXPECT_NEAR(f - e / 2, box.north, 1e-9);
  EXPECT_NEAR(f - e / 2 + 700 * e, box.south, 1e-9);
  EXPECT_EQ(worldFileExtension("jpg"), "jgw");
  EXPECT_EQ(worldFileExtension("png"), "pgw");
}

TEST(ExportTexts, KmlCornersPlaceTheImageWhereItsWorldFileDoes) {
  // Views from a whole region at 100 % down to a few streets at 400 % and
  // beyond, east and west, north and south.
  struct Case {
    GeoBox box;
    int width, height;
  };
  const Case cases[] = {
      {{135.0861f, 135.1585f, 33.93496f, 33.89324f}, 1000, 700},
      {{139.7671f, 139.8f, 35.68123f, 35.6f}, 1366, 768},
      {{139.76712f, 139.77124f, 35.681234f, 35.678912f}, 1366, 768},
      {{139.767123f, 139.767512f, 35.6812345f, 35.6810123f}, 1366, 768},
      {{-122.41943f, -122.41801f, 37.77497f, 37.77391f}, 800, 600},
      {{-0.0012f, 0.0013f, -33.86f, -33.8621f}, 640, 480},
  };
  for (const Case& c : cases) {
    const QStringList w = worldFileText(c.box, c.width, c.height).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(w.size(), 6);
    const double a = w[0].toDouble(), e = w[3].toDouble(), x0 = w[4].toDouble(), y0 = w[5].toDouble();
    const QByteArray kml = kmlText("t", {{0, "x", 1900}}, "e", "png", c.box).toUtf8();
    auto corner = [&](const char* name) {
      const QStringList v = kmlValues(kml, name);
      EXPECT_EQ(v.size(), 1);
      EXPECT_FALSE(v.value(0).contains(u'e') || v.value(0).contains(u'E')) << v.value(0).toStdString();
      return v.value(0).toDouble();
    };
    // Each edge within a tenth of a pixel of the world file's.
    EXPECT_NEAR((corner("west") - (x0 - a / 2)) / a, 0.0, 0.1) << c.box.west;
    EXPECT_NEAR((corner("east") - (x0 - a / 2 + c.width * a)) / a, 0.0, 0.1) << c.box.east;
    EXPECT_NEAR((corner("north") - (y0 - e / 2)) / e, 0.0, 0.1) << c.box.north;
    EXPECT_NEAR((corner("south") - (y0 - e / 2 + c.height * e)) / e, 0.0, 0.1) << c.box.south;
  }
}

TEST(ExportDialog, TheSaveDialogCorrectsTheExtensionAndAsksBeforeReplacingTheCorrectedFile) {
  QTemporaryDir dir;
  ScriptedPrompts p;
  p.chooseFile(dir.path() + "/a.txt");
  FileChoice c = SaveFileDialog(p, dir.path(), "kmlファイル名の設定", "kmlファイル\t*.kml", "kml");
  EXPECT_TRUE(c.chosen);
  EXPECT_EQ(c.path, dir.path() + "/a.kml");
  EXPECT_EQ(c.fileName, "a.kml");
  EXPECT_EQ(p.messages(), QStringList({"拡張子を正しいkmlに変更します。"}));
  ASSERT_EQ(p.lastFileFilters.size(), 1u);
  EXPECT_EQ(p.lastFileFilters[0].second, "*.kml");

  // The corrected name is a file the dialog never asked about.
  test::writeBytes(dir.path() + "/b.kml", "keep");
  p.chooseFile(dir.path() + "/b");
  p.answer(false);
  EXPECT_FALSE(SaveFileDialog(p, dir.path(), "t", "kmlファイル\t*.kml", "kml").chosen);
  EXPECT_EQ(p.questions().size(), 1);

  p.chooseFile(dir.path() + "/C.KML");  // the right extension in other letters
  c = SaveFileDialog(p, dir.path(), "t", "kmlファイル\t*.kml", "kml");
  EXPECT_EQ(c.path, dir.path() + "/C.KML");
  EXPECT_EQ(p.messages().size(), 2);  // the notes of a.txt and b only
}

TEST(ExportRun, EachEraIsSavedAtTheViewSizeAndTheShownEraComesBack) {
  ExportFixture f;
  ExportOptions o;
  o.path = "export.kml";
  o.format = ExportFormat::Kml;
  o.jpeg = true;
  o.worldFiles = true;
  ASSERT_TRUE(f.run(o));
  for (int i = 0; i < 3; ++i) {
    QByteArray bytes;
    ASSERT_TRUE(readFileBytes(f.file(QStringLiteral("export%1.jpg").arg(i)), bytes, nullptr));
    const QImage image = decodeImage(bytes);
    ASSERT_EQ(image.size(), QSize(300, 200));
    const QColor got = image.pixelColor(150, 100), want = QColor(ExportFixture::eraColour(i));
    EXPECT_NEAR(got.red(), want.red(), 6) << i;
    EXPECT_NEAR(got.green(), want.green(), 6) << i;
    EXPECT_TRUE(QFile::exists(f.file(QStringLiteral("export%1.jgw").arg(i))));
    EXPECT_TRUE(QFile::exists(f.file(QStringLiteral("export%1.prj").arg(i))));
    EXPECT_TRUE(QFile::exists(f.file(QStringLiteral("export%1.jpg.aux.xml").arg(i))));
  }
  const QByteArray kml = test::readBytes(f.file("export.kml"));
  EXPECT_TRUE(kml.startsWith("\xEF\xBB\xBF<?xml"));
  EXPECT_EQ(kmlValues(kml.mid(3), "href"), QStringList({"export0.jpg", "export1.jpg", "export2.jpg"}));
  // The world file lines up with the KML box to the KML's seven digits.
  const QStringList w = QString::fromLatin1(test::readBytes(f.file("export0.jgw"))).split("\r\n");
  const double west = w[4].toDouble() - w[0].toDouble() / 2;
  EXPECT_NEAR(west, kmlValues(kml.mid(3), "west").constFirst().toDouble(), 1e-4);
  EXPECT_EQ(f.state.view.eraIndex, 1);
  EXPECT_EQ(f.picture.pixel(150, 100), ExportFixture::eraColour(1));  // the view is left alone
  EXPECT_TRUE(f.prompts.records.empty());
  EXPECT_EQ(f.prompts.waitDepth, 0);
  EXPECT_EQ(QDir(f.out.path()).entryList(QDir::Files).size(), 13);  // no temporary left
}

TEST(ExportRun, AFailedImageKeepsThePreviousExportWhole) {
  ExportFixture f;
  ExportOptions o;
  o.path = "old.html";
  ASSERT_TRUE(f.run(o));
  const QByteArray page = test::readBytes(f.file("old.html")), first = test::readBytes(f.file("old0.png"));
  QDir(f.out.path()).remove("old2.png");
  QDir(f.out.path()).mkdir("old2.png");  // the third image cannot be written
  f.state.view.eraIndex = 0;
  f.compose();
  EXPECT_FALSE(f.run(o));
  EXPECT_EQ(f.prompts.messages(),
            QStringList({QDir::toNativeSeparators(f.file("old2.png")) + "は保存できませんでした。"}));
  EXPECT_EQ(test::readBytes(f.file("old.html")), page);
  EXPECT_EQ(test::readBytes(f.file("old0.png")), first);
  EXPECT_EQ(QDir(f.out.path()).entryList(QDir::Files).size(), 3);
  EXPECT_EQ(f.state.view.eraIndex, 0);
  // The page is Shift-JIS and names every era.
  EXPECT_EQ(fromSjis(page).count("onmouseover"), 3);
}

TEST(ExportRun, KmzHoldsTheDocumentAndTheImages) {
  ExportFixture f;
  ExportOptions o;
  o.path = "all.kmz";
  o.format = ExportFormat::Kmz;
  ASSERT_TRUE(f.run(o));
  int error = 0;
  zip_t* zip = zip_open(QFile::encodeName(f.file("all.kmz")).constData(), ZIP_RDONLY, &error);
  ASSERT_NE(zip, nullptr);
  QStringList names;
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i) names << zip_get_name(zip, i, 0);
  EXPECT_EQ(names, QStringList({"doc.kml", "all0.png", "all1.png", "all2.png"}));
  zip_stat_t st;
  zip_stat(zip, "all2.png", 0, &st);
  QByteArray png(static_cast<int>(st.size), 0);
  zip_file_t* file = zip_fopen(zip, "all2.png", 0);
  zip_fread(file, png.data(), st.size);
  zip_fclose(file);
  zip_close(zip);
  EXPECT_EQ(decodePng(png).pixel(150, 100), ExportFixture::eraColour(2));
  EXPECT_EQ(QDir(f.out.path()).entryList(QDir::Files), QStringList({"all.kmz"}));
}

TEST(ExportDialog, OkNeedsAFileThenExportsAndAsksToOpenIt) {
  ExportFixture f;
  frmOutput form(f.state, f.prompts, f.request(RenderPass::Export));
  QStringList opened;
  form.openFile = [&](const QString& path) { opened << path; };
  EXPECT_EQ(form.windowTitle(), "ファイル出力");
  EXPECT_TRUE(form.optOut[0]->isChecked());
  EXPECT_EQ(form.lblFile->text(), "未設定");
  form.cmdOK->click();
  EXPECT_EQ(f.prompts.messages(), QStringList({"保存ファイルを指定してください。"}));

  f.prompts.chooseFile(f.file("doc.html"));
  form.cmdFilesave->click();
  EXPECT_EQ(form.lblFile->text(), "doc.html");
  form.optOut[1]->click();  // another format forgets the file
  EXPECT_EQ(form.lblFile->text(), "未設定");
  EXPECT_TRUE(form.chosenPath().isEmpty());
  f.prompts.chooseFile(f.file("doc.kml"));
  form.cmdFilesave->click();
  EXPECT_EQ(f.prompts.lastFileTitle, "kmlファイル名の設定");
  form.optGazoFormat[1]->click();
  f.prompts.answer(true);
  form.cmdOK->click();
  EXPECT_EQ(f.prompts.questions(),
            QStringList({QDir::toNativeSeparators(f.file("doc.kml")) + "を保存しました。このファイルを開きますか？"}));
  EXPECT_EQ(opened, QStringList({f.file("doc.kml")}));
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_TRUE(QFile::exists(f.file("doc2.jpg")));
}

TEST(ExportCli, ExportsTheSampleAsTheDialogWould) {
  const QString sample = qEnvironmentVariable("KAVALO_SAMPLE");
  if (sample.isEmpty() || !QFile::exists(sample + "/dataset.txt")) GTEST_SKIP() << "no sample region";
  QTemporaryDir dir;
  const test::ProgramRun run = test::runCli({"export", "--root", sample, "--size", "400x300", "--format", "kml",
                                             "--image", "png", "--world-files", "-o", dir.path() + "/s.kml"});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  QString error;
  const QStringList hrefs = kmlValues(test::readBytes(dir.path() + "/s.kml").mid(3), "href", &error);
  EXPECT_TRUE(error.isEmpty());
  ASSERT_EQ(hrefs.size(), 9);
  for (const QString& href : hrefs) EXPECT_EQ(PNGtoDIB(dir.path() + u'/' + href).size(), QSize(400, 300));
  EXPECT_TRUE(QFile::exists(dir.path() + "/s8.pgw"));
  EXPECT_EQ(test::runCli({"export", "--root", sample, "--format", "kmz", "--world-files", "-o", "x.kmz"}).exitCode, 2);
}

TEST(ExportDialog, TheFileDialogOpensInTheDocumentsFolderThenWhereTheLastExportWent) {
  ExportFixture f;
  QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kavalo"), QStringLiteral("kavalo")).clear();
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QString first = QFileInfo(documents).isDir() ? documents : QDir::homePath();
  {
    frmOutput form(f.state, f.prompts, f.request(RenderPass::Export));
    f.prompts.chooseFile(f.file("doc.html"));
    form.cmdFilesave->click();
    EXPECT_EQ(f.prompts.lastFileFolder, first);
    EXPECT_NE(f.prompts.lastFileFolder, f.state.rootFolder);
  }
  // A later dialog (another run of the program too) starts where that file went.
  frmOutput form(f.state, f.prompts, f.request(RenderPass::Export));
  f.prompts.chooseFile(QString());
  form.cmdFilesave->click();
  EXPECT_EQ(f.prompts.lastFileFolder, f.out.path());
  // The folder gone, the documents folder again.
  QDir(f.out.path()).removeRecursively();
  f.prompts.chooseFile(QString());
  form.cmdFilesave->click();
  EXPECT_EQ(f.prompts.lastFileFolder, first);
}
