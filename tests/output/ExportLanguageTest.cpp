// SPDX-License-Identifier: MIT
// Exports made under the Japanese and under the English interface: the
// documents carry the era labels and captions of the language shown, while
// every picture, tile and world file is the same bytes in both.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "model/EraLabels.h"
#include "output/Export.h"
#include "output/ExportDocuments.h"
#include "output/JapaneseText.h"
#include "output/PrintJob.h"
#include "output/SaveFileDialog.h"
#include "output/WebMapPublish.h"
#include "platform/Codec.h"
#include "render/RenderFixture.h"
#include "support/InstalledCatalogue.h"
#include "web/WebMapFixture.h"

using namespace kavalo;

namespace {

enum class Language { Japanese, English };

// Every file under a folder, by relative path.
QMap<QString, QByteArray> filesUnder(const QString& folder) {
  QMap<QString, QByteArray> files;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    files.insert(QDir(folder).relativeFilePath(path), test::readBytes(path));
  }
  return files;
}

bool isDocument(const QString& name) {
  return name.endsWith(u".kml") || name.endsWith(u".html") || name.endsWith(u".json") || name.endsWith(u".js");
}

// The texts of the elements named, in order.
QStringList elementTexts(const QString& document, const QString& element) {
  QXmlStreamReader xml(document);
  QStringList values;
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element) values << xml.readElementText();
  return values;
}

// The link texts of the HTML page, one era each, as a browser shows them
// (a character Shift-JIS lacks is written as a numeric reference).
QStringList linkTexts(const QString& page) {
  QStringList texts;
  static const QRegularExpression link(QStringLiteral("onmouseover=cngImage\\(\\d+\\)>([^<]*)</A>"));
  static const QRegularExpression reference(QStringLiteral("&#(\\d+);"));
  for (const QRegularExpressionMatch& m : link.globalMatch(page)) {
    QString text = m.captured(1);
    for (QRegularExpressionMatch r = reference.match(text); r.hasMatch(); r = reference.match(text)) {
      const char32_t c = r.captured(1).toUInt();
      text.replace(r.capturedStart(), r.capturedLength(), QString::fromUcs4(&c, 1));
    }
    texts << text.replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                 .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                 .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
  }
  return texts;
}

// Three eras of solid colours, one of them a span of two years.
struct LanguageFixture : test::RenderFixture {
  LanguageFixture() {
    data.tikeizuLines << QStringLiteral("E1970,0,1970,1971,0,3,2,png");
    data.write();
    const QString names[3] = {QStringLiteral("E1900"), QStringLiteral("E1930"), QStringLiteral("E1970")};
    for (int e = 0; e < 3; ++e)
      solidTiles(names[e], [e](int col, int row) { return qRgb(60 * e, 20 * col, 30 * row); });
    EXPECT_TRUE(load());
    state.view.eraIndex = 1;
    // The credits and the scale bar are drawn into the pictures as well.
    state.view.showScale = true;
  }
  // The era labels the export is to carry, in the language in effect.
  QStringList labels() const {
    QStringList list;
    for (const ExportEra& e : exportEraList(state)) list << e.name;
    return list;
  }
};

}  // namespace

TEST(ExportLanguage, DocumentsCarryTheLabelsOfTheLanguageAndThePicturesStayTheSame) {
  struct Case {
    ExportFormat format;
    QString name;
    bool jpeg;
  } cases[] = {
      {ExportFormat::Kml, QStringLiteral("view.kml"), false},
      {ExportFormat::Html, QStringLiteral("view.html"), true},
  };
  for (const Case& c : cases) {
    LanguageFixture f;
    QTemporaryDir out;
    QMap<QString, QByteArray> files[2];
    QStringList labels[2], written[2];
    for (Language language : {Language::Japanese, Language::English}) {
      const int l = static_cast<int>(language);
      std::unique_ptr<test::InstalledCatalogue> english;
      if (language == Language::English) {
        english = std::make_unique<test::InstalledCatalogue>(QStringLiteral("en"));
        ASSERT_TRUE(english->installed()) << english->error().toStdString();
      }
      const QString folder = out.filePath(QString::number(l));
      ASSERT_TRUE(QDir().mkpath(folder));
      ExportOptions o;
      o.path = folder + u'/' + c.name;
      o.format = c.format;
      o.jpeg = c.jpeg;
      o.worldFiles = true;
      ASSERT_TRUE(ExportView(f.state, f.request(RenderPass::Export), o, f.prompts)) << c.name.toStdString();
      labels[l] = f.labels();
      if (english)
        for (const QString& label : labels[l]) EXPECT_FALSE(test::hasJapanese(label)) << label.toStdString();
      files[l] = filesUnder(folder);
      const QByteArray document = files[l].value(c.name);
      written[l] = c.format == ExportFormat::Html ? linkTexts(fromSjis(document))
                                                  : elementTexts(QString::fromUtf8(document.mid(3)), "name").mid(2);
    }
    ASSERT_EQ(files[0].keys(), files[1].keys()) << c.name.toStdString();
    for (const QString& name : files[0].keys())
      if (!isDocument(name)) EXPECT_EQ(files[0][name], files[1][name]) << name.toStdString();
    // The document names each era as the era list of its language does.
    EXPECT_EQ(written[0], labels[0]) << c.name.toStdString();
    EXPECT_EQ(written[1], labels[1]) << c.name.toStdString();
    EXPECT_EQ(written[0].size(), 3);
  }
}

TEST(ExportLanguage, TheWebMapsPageAndListFollowTheLanguageAndItsTilesStayTheSame) {
  const QString viewer = qEnvironmentVariable("KAVALO_SOURCE") + QStringLiteral("/web/viewer");
  ASSERT_TRUE(QFileInfo::exists(viewer + QStringLiteral("/index.html")));
  test::WebMapFixture f;
  ASSERT_TRUE(f.load());
  QTemporaryDir out;
  QMap<QString, QByteArray> files[2];
  QStringList labels[2];
  for (Language language : {Language::Japanese, Language::English}) {
    const int l = static_cast<int>(language);
    std::unique_ptr<test::InstalledCatalogue> english;
    if (language == Language::English) {
      english = std::make_unique<test::InstalledCatalogue>(QStringLiteral("en"));
      ASSERT_TRUE(english->installed()) << english->error().toStdString();
    }
    WebMapOptions options;
    options.viewerFolder = viewer;
    options.threads = 1;
    WebMapReport report;
    QString error;
    const QString folder = out.filePath(QString::number(l));
    ASSERT_TRUE(publishWebMap(f.state, folder, options, report, &error)) << error.toStdString();
    files[l] = filesUnder(folder);
    for (const Era& era : f.state.eras)
      if (era.listed) labels[l] << Get_cboAge_Text(era, f.state.view.eraLabelStyle);
    if (english)
      for (const QString& label : labels[l]) EXPECT_FALSE(test::hasJapanese(label)) << label.toStdString();
  }
  ASSERT_EQ(files[0].keys(), files[1].keys());
  int tiles = 0;
  for (const QString& name : files[0].keys()) {
    if (isDocument(name)) continue;
    EXPECT_EQ(files[0][name], files[1][name]) << name.toStdString();
    tiles += name.endsWith(u".png");
  }
  EXPECT_GT(tiles, 8);

  // The list: the same folders (the page's keys), each labelled in its language.
  for (int l = 0; l < 2; ++l) {
    const QJsonArray eras = QJsonDocument::fromJson(files[l].value("eras.json")).object().value("eras").toArray();
    QStringList folders, shown;
    for (const QJsonValue& e : eras) {
      folders << e.toObject().value("folder").toString();
      shown << e.toObject().value("label").toString();
    }
    EXPECT_EQ(folders, QStringList({"E1900", "E1930"}));
    EXPECT_EQ(shown, labels[l]);
    for (const QString& folder : folders)
      EXPECT_EQ(QJsonDocument::fromJson(files[l].value("tiles/" + folder + "/tilejson.json")).object().value("name"),
                shown[folders.indexOf(folder)]);
  }

  // The page's own captions: as written in Japanese, English in English, its
  // workings (element ids, option values, the script's keys) untouched.
  for (const QString& name : {QStringLiteral("index.html"), QStringLiteral("viewer.js")}) {
    EXPECT_EQ(files[0].value(name), test::readBytes(viewer + u'/' + name)) << name.toStdString();
    const QString english = QString::fromUtf8(files[1].value(name));
    EXPECT_FALSE(test::hasJapanese(english)) << english.toStdString();
    const QString japanese = QString::fromUtf8(files[0].value(name));
    for (const QString& key : {QStringLiteral("id=\""), QStringLiteral("value=\""), QStringLiteral("$('")})
      EXPECT_EQ(english.count(key), japanese.count(key)) << name.toStdString() << " " << key.toStdString();
  }
  EXPECT_TRUE(QString::fromUtf8(files[1].value("index.html")).contains("<html lang=\"en\">"));
  EXPECT_TRUE(QString::fromUtf8(files[1].value("index.html")).contains(">Side by side</option>"));
  EXPECT_TRUE(QString::fromUtf8(files[1].value("viewer.js")).contains("dms(lat, 'N ', 'S ')"));
}

TEST(ExportLanguage, TheSaveDialogsNotesNameTheExtensionAndTheFileInEitherLanguage) {
  QTemporaryDir dir;
  test::writeBytes(dir.filePath("b.kml"), "keep");
  struct Case {
    Language language;
    QString note, question;
  } cases[] = {
      {Language::Japanese, "拡張子を正しいkmlに変更します。",
       QDir::toNativeSeparators(dir.filePath("b.kml")) + "は既に存在します。\n上書きしますか？"},
      {Language::English, "The extension will be changed to the correct .kml.",
       QDir::toNativeSeparators(dir.filePath("b.kml")) + " already exists.\nReplace it?"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<test::InstalledCatalogue> english;
    if (c.language == Language::English) english = std::make_unique<test::InstalledCatalogue>(QStringLiteral("en"));
    ScriptedPrompts p;
    p.chooseFile(dir.filePath("b.txt"));
    p.answer(false);
    EXPECT_FALSE(SaveFileDialog(p, dir.path(), "t", "kml\t*.kml", "kml").chosen);
    EXPECT_EQ(p.messages(), QStringList({c.note}));
    EXPECT_EQ(p.questions(), QStringList({c.question}));
  }
}

TEST(ExportLanguage, ThePdfEntryIsTheSameChoiceInEitherLanguage) {
  const test::InstalledCatalogue english(QStringLiteral("en"));
  ASSERT_TRUE(english.installed()) << english.error().toStdString();
  for (const QString& name : {pdfPrinterEntry(), QStringLiteral("PDFファイル")}) {
    QPrinter printer(QPrinter::HighResolution);
    ASSERT_TRUE(selectPrinter(printer, name, QStringLiteral("/tmp/x.pdf"))) << name.toStdString();
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat) << name.toStdString();
  }
  EXPECT_NE(pdfPrinterEntry(), QStringLiteral("PDFファイル"));
}
