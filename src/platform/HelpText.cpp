#include "platform/HelpText.h"

#include <QStringList>

namespace kavalo {

namespace {

// Columns a character takes on a terminal: the CJK ranges take two.
int columns(QChar c) {
  const char16_t u = c.unicode();
  const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3) ||
                    (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60) ||
                    (u >= 0xFFE0 && u <= 0xFFE6);
  return wide ? 2 : 1;
}

int columns(const QString& text) {
  int n = 0;
  for (QChar c : text) n += columns(c);
  return n;
}

}  // namespace

QString wrapParagraphs(const QString& text, int width, int indent) {
  const QString pad(indent, u' ');
  QString out;
  const QStringList paragraphs = text.split(QStringLiteral("\n\n"));
  for (qsizetype p = 0; p < paragraphs.size(); ++p) {
    if (p > 0) out += u'\n';
    const QString& paragraph = paragraphs[p];
    if (paragraph.startsWith(u' ')) {
      for (const QString& line : paragraph.split(u'\n')) out += pad + line + u'\n';
      continue;
    }
    QString line;
    for (const QString& word : paragraph.simplified().split(u' ', Qt::SkipEmptyParts)) {
      if (!line.isEmpty() && indent + columns(line) + 1 + columns(word) > width) {
        out += pad + line + u'\n';
        line.clear();
      }
      line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty()) out += pad + line + u'\n';
  }
  return out;
}

QString roffEscape(const QString& text) {
  QString out;
  out.reserve(text.size() + 8);
  for (QChar c : text) {
    if (c == u'\\')
      out += QStringLiteral("\\e");
    else if (c == u'-')
      out += QStringLiteral("\\-");
    else
      out += c;
  }
  if (out.startsWith(u'.') || out.startsWith(u'\'')) out.prepend(QStringLiteral("\\&"));
  return out;
}

QString manPageText(const HelpDocument& doc) {
  QString out;
  out += QStringLiteral(".TH %1 %2 \"\" \"%3\" \"User Commands\"\n")
             .arg(doc.name.toUpper())
             .arg(doc.section)
             .arg(roffEscape(doc.source));
  out +=
      QStringLiteral(".SH NAME\n") + roffEscape(doc.name) + QStringLiteral(" \\- ") + roffEscape(doc.summary) + u'\n';
  QString lastHeading;
  for (const HelpSection& section : doc.sections) {
    if (section.heading != lastHeading) {
      out += QStringLiteral(".SH ") + roffEscape(section.heading) + u'\n';
      lastHeading = section.heading;
    }
    if (!section.subheading.isEmpty()) out += QStringLiteral(".SS ") + roffEscape(section.subheading) + u'\n';
    for (const HelpEntry& entry : section.entries) {
      if (!entry.term.isEmpty())
        out += QStringLiteral(".TP\n.B ") + roffEscape(entry.term) + u'\n';
      else
        out += QStringLiteral(".PP\n");
      if (entry.verbatim) {
        out += QStringLiteral(".nf\n");
        for (const QString& line : entry.text.split(u'\n')) out += roffEscape(line) + u'\n';
        out += QStringLiteral(".fi\n");
        continue;
      }
      const QStringList paragraphs = entry.text.split(QStringLiteral("\n\n"));
      for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) out += entry.term.isEmpty() ? QStringLiteral(".PP\n") : QStringLiteral(".IP\n");
        out += roffEscape(paragraphs[i].simplified()) + u'\n';
      }
    }
  }
  return out;
}

}  // namespace kavalo
