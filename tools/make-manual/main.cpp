// SPDX-License-Identifier: MIT
// make-manual: turns the user manual's Markdown into the PDF that the
// window's 解説 button opens, one per language (docs/manual.md, the Japanese
// one, and docs/manual.en.md). The build runs it; it needs no display.
//
//   make-manual MANUAL.md OUT.pdf [PICTURES_DIR]
//
// The manual's pictures (![...](screenshots/x.png)) are read from
// PICTURES_DIR (the build folder, where scripts/screenshots puts them) and
// fitted to the page's width. Without PICTURES_DIR they are left out, with a
// note on standard error; a picture named but missing is an error.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
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

// The page: A4 with margins of 18 mm.
QPageLayout pageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                     QPageLayout::Millimeter);
}

// The captions written under the pictures (![caption](file)), in order: the
// document keeps the pictures but not these texts.
QStringList pictureCaptions(const QString& markdown) {
  static const QRegularExpression picture(QStringLiteral("!\\[([^\\]]*)\\]\\(([^)\\s]+)\\)"));
  QStringList captions;
  for (const QRegularExpressionMatch& m : picture.globalMatch(markdown)) captions << m.captured(1).trimmed();
  return captions;
}

// Loads every picture the manual names from folder, fits it to the text's
// width and puts its caption under it; without a folder the pictures are
// taken out. False when one is missing.
bool placePictures(QTextDocument& document, const QString& folder, double textWidth, const QStringList& captions) {
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
    // Never wider than the text: a picture wider than its page is cut at the
    // right, not shrunk, when the page is printed.
    const double width = std::min<double>(picture.width(), textWidth);
    found.format.setWidth(width);
    found.format.setHeight(width * picture.height() / picture.width());
    QTextCursor cursor(&document);
    cursor.setPosition(found.position);
    cursor.setPosition(found.position + found.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(found.format);
  }
  // Each caption in a paragraph of its own under its picture, from the last
  // picture back so that the positions before stay right.
  for (size_t i = images.size(); i-- > 0;) {
    const QString caption =
        static_cast<qsizetype>(i) < captions.size() ? captions[static_cast<qsizetype>(i)] : QString();
    if (caption.isEmpty()) continue;
    QTextCursor cursor(&document);
    cursor.setPosition(images[i].position + images[i].length);
    QTextBlockFormat block;
    block.setAlignment(Qt::AlignHCenter);
    block.setBottomMargin(8);
    QTextCharFormat text;
    text.setFontPointSize(8.5);
    text.setForeground(QColor(0x40, 0x40, 0x40));
    cursor.insertBlock(block, text);
    cursor.insertText(caption, text);
  }
  return true;
}

// The manual's title: its first heading (after "# "), which names the PDF.
QString manualTitle(const QString& markdown) {
  static const QRegularExpression heading(QStringLiteral("^# +(.+)$"), QRegularExpression::MultilineOption);
  const QRegularExpressionMatch m = heading.match(markdown);
  return m.hasMatch() ? m.captured(1).trimmed() : QStringLiteral("Kavalo");
}

// A manual written in Japanese is set in the Japanese font the program itself
// needs (headings and tables too); one in a Western language is set in a
// Latin face, with the Japanese font for the Japanese names it quotes.
QFont manualFont(const QString& title) {
  const bool japanese = std::any_of(title.begin(), title.end(), [](QChar c) { return c.unicode() >= 0x3000; });
  QFont font(QStringLiteral("IPAGothic"));
  if (!japanese) font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("IPAGothic")});
  font.setPointSizeF(10.0);
  return font;
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
  const QString title = manualTitle(markdown);
  document.setDefaultFont(manualFont(title));
  document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
  document.setDocumentMargin(0);
  // The document laid out on pages of the printed page's own text area (in
  // the document's units), so that its width is known before it is printed.
  const double dpi = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->logicalDotsPerInchX() : 96.0;
  const QRectF area = pageLayout().paintRect(QPageLayout::Point);
  document.setPageSize(QSizeF(area.width() * dpi / 72.0, area.height() * dpi / 72.0));
  const double textWidth = document.pageSize().width() - 2.0;
  if (!placePictures(document, args.size() == 4 ? args[3] : QString(), textWidth, pictureCaptions(markdown))) return 1;

  // The PDF replaces the old one only when it is complete.
  QSaveFile out(args[2]);
  if (!out.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "make-manual: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  {
    QPdfWriter writer(&out);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Kavalo"));
    writer.setResolution(300);
    writer.setPageLayout(pageLayout());
    document.print(&writer);
  }
  if (!out.commit()) {
    std::fprintf(stderr, "make-manual: cannot write %s\n", qPrintable(args[2]));
    return 1;
  }
  return 0;
}
