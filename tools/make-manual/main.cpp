// make-manual: turns the user manual's Markdown into the PDF that the
// window's 解説 button opens. The build runs it; it needs no display.
//
//   make-manual MANUAL.md OUT.pdf
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

#include <cstdio>

#include "platform/RuntimeFolder.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  kavalo::ensureRuntimeFolder();
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 3) {
    std::fprintf(stderr, "usage: make-manual MANUAL.md OUT.pdf\n");
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
