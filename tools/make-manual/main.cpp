// make-manual: turns the user manual's Markdown into the PDF that the
// window's 解説 button opens. The build runs it; it needs no display.
//
//   make-manual MANUAL.md OUT.pdf [PICTURES_DIR]
//
// The manual's pictures (![...](screenshots/x.png)) are read from
// PICTURES_DIR (the build folder, where scripts/screenshots puts them) and
// fitted to the page's width. Without PICTURES_DIR they are left out, with a
// note on standard error; a picture named but missing is an error.
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/RuntimeFolder.h"

namespace {

// The widest a picture is drawn, in the document's units (a 96th of an inch):
// the text's width on A4 within the page's margins, less a little.
constexpr int kPictureWidth = 620;

// Loads every picture the manual names from folder and fits it to the page;
// without a folder the pictures are taken out. False when one is missing.
bool placePictures(QTextDocument& document, const QString& folder) {
  struct Found {
    int position;
    int length;
    QTextImageFormat format;
  };
  std::vector<Found> images;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (fragment.charFormat().isImageFormat())
        images.push_back({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
    }
  if (folder.isEmpty()) {
    if (!images.empty())
      std::fprintf(stderr, "make-manual: no pictures folder; %zu pictures left out\n", images.size());
    // From the end, so that the positions before stay right.
    for (auto it = images.rbegin(); it != images.rend(); ++it) {
      QTextCursor cursor(&document);
      cursor.setPosition(it->position);
      cursor.setPosition(it->position + it->length, QTextCursor::KeepAnchor);
      cursor.removeSelectedText();
    }
    return true;
  }
  for (Found& found : images) {
    const QString name = found.format.name();
    const QImage picture(QDir(folder).filePath(name));
    if (picture.isNull()) {
      std::fprintf(stderr, "make-manual: the picture %s is missing from %s\n", qPrintable(name), qPrintable(folder));
      return false;
    }
    document.addResource(QTextDocument::ImageResource, QUrl(name), picture);
    const double width = std::min(picture.width(), kPictureWidth);
    found.format.setWidth(width);
    found.format.setHeight(width * picture.height() / picture.width());
    QTextCursor cursor(&document);
    cursor.setPosition(found.position);
    cursor.setPosition(found.position + found.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(found.format);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  kavalo::ensureRuntimeFolder();
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 3 && args.size() != 4) {
    std::fprintf(stderr, "usage: make-manual MANUAL.md OUT.pdf [PICTURES_DIR]\n");
    return 2;
  }
  QFile source(args[1]);
  if (!source.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "make-manual: cannot read %s\n", qPrintable(args[1]));
    return 1;
  }
  const QString markdown = QString::fromUtf8(source.readAll());

  QTextDocument document;
  // The Japanese font the program itself needs; headings and tables take it too.
  QFont font(QStringLiteral("IPAGothic"));
  font.setPointSizeF(10.0);
  document.setDefaultFont(font);
  document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  document.setDocumentMargin(0);
  if (!placePictures(document, args.size() == 4 ? args[3] : QString())) return 1;

  // The PDF replaces the old one only when it is complete.
  QSaveFile out(args[2]);
  if (!out.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "make-manual: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  {
    QPdfWriter writer(&out);
    writer.setTitle(QStringLiteral("Kavalo 解説"));
    writer.setCreator(QStringLiteral("Kavalo"));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                                     QPageLayout::Millimeter));
    document.print(&writer);
  }
  if (!out.commit()) {
    std::fprintf(stderr, "make-manual: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}
