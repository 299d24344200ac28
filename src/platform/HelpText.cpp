// SPDX-License-Identifier: MIT
#include "platform/HelpText.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <vector>

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

// Japanese is written without blanks: a line may end between any two wide
// characters, except before a closing mark, a pause, a long-vowel or
// iteration mark or a small kana, and after an opening mark.
bool mayNotStartLine(QChar c) {
  // 、。，．：；？！・ー々 and the small kana.
  static const QString marks = QStringLiteral(
      u"\u3001\u3002\uFF0C\uFF0E\uFF1A\uFF1B\uFF1F\uFF01\u30FB\u30FC\u3005"
      u"\u3041\u3043\u3045\u3047\u3049\u3063\u3083\u3085\u3087\u308E"
      u"\u30A1\u30A3\u30A5\u30A7\u30A9\u30C3\u30E3\u30E5\u30E7\u30EE\u30F5\u30F6,.:;!?");
  return c.category() == QChar::Punctuation_Close || c.category() == QChar::Punctuation_FinalQuote || marks.contains(c);
}

bool mayNotEndLine(QChar c) {
  return c.category() == QChar::Punctuation_Open || c.category() == QChar::Punctuation_InitialQuote;
}

// A paragraph's pieces between which a line may end: words of narrow
// characters and single wide characters, each knowing whether a blank
// stood before it.
struct Piece {
  QString text;
  bool blankBefore = false;
  bool wide = false;
};

std::vector<Piece> pieces(const QString& paragraph) {
  std::vector<Piece> out;
  bool blank = false;
  for (QChar c : paragraph.simplified()) {
    if (c == u' ') {
      blank = true;
      continue;
    }
    const bool wide = columns(c) == 2;
    if (!wide && !blank && !out.empty() && !out.back().wide)
      out.back().text += c;
    else
      out.push_back({QString(c), blank, wide});
    blank = false;
  }
  return out;
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
    // The line being filled and where it may end: before a piece, at the
    // blank before it if there is one. A piece that may not start a line
    // takes the piece before it along to the next.
    struct Break {
      qsizetype at;
      bool blank;
    };
    QString line;
    std::vector<Break> breaks;
    for (const Piece& piece : pieces(paragraph)) {
      if (!line.isEmpty()) {
        if (piece.blankBefore || (!mayNotEndLine(line.back()) && !mayNotStartLine(piece.text.front())))
          breaks.push_back({line.size(), piece.blankBefore});
        if (piece.blankBefore) line += u' ';
      }
      line += piece.text;
      while (indent + columns(line) > width && !breaks.empty()) {
        // The last break whose line fits; a word wider than the width
        // stands on a line of its own.
        size_t k = breaks.size() - 1;
        while (k > 0 && indent + columns(line.left(breaks[k].at)) > width) --k;
        out += pad + line.left(breaks[k].at) + u'\n';
        const qsizetype cut = breaks[k].at + (breaks[k].blank ? 1 : 0);
        line = line.mid(cut);
        std::vector<Break> rest;
        for (size_t i = k + 1; i < breaks.size(); ++i) rest.push_back({breaks[i].at - cut, breaks[i].blank});
        breaks = std::move(rest);
      }
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

namespace {

// A paragraph for roff to fill: escaped, with a break point (\:) wherever a
// Japanese line may end, since roff breaks lines only at blanks.
QString roffParagraph(const QString& text) {
  const QString escaped = roffEscape(text);
  QString out;
  out.reserve(escaped.size() + escaped.size() / 2);
  for (qsizetype i = 0; i < escaped.size(); ++i) {
    const QChar c = escaped[i];
    out += c;
    if (i + 1 >= escaped.size()) break;
    const QChar next = escaped[i + 1];
    // Between two wide characters, or a wide one and a word (not a blank:
    // roff breaks there anyway); and after the ? and & of a link, which is
    // often wider than the indented line.
    const bool wide = (columns(c) == 2 || columns(next) == 2) && !mayNotEndLine(c) && !mayNotStartLine(next);
    const bool inLink = c == u'?' || c == u'&';
    if ((wide || inLink) && c != u' ' && next != u' ') out += QStringLiteral("\\:");
  }
  return out;
}

}  // namespace

QString manPageText(const HelpDocument& doc) {
  QString out;
  // The manual's title (the page's header) is in the page's language.
  out += QStringLiteral(".TH %1 %2 \"\" \"%3\" \"%4\"\n")
             .arg(doc.name.toUpper())
             .arg(doc.section)
             .arg(roffEscape(doc.source), roffEscape(QCoreApplication::translate("kavalo::HelpText", "User Commands")));
  // Japanese, filled with few blanks, is set flush left: stretching its rare
  // blanks to justify a line would tear it apart.
  const bool japanese = std::any_of(doc.summary.begin(), doc.summary.end(), [](QChar c) { return columns(c) == 2; });
  if (japanese) out += QStringLiteral(".ad l\n");
  out += QStringLiteral(".SH ") + roffEscape(QCoreApplication::translate("kavalo::HelpText", "NAME")) + u'\n' +
         roffEscape(doc.name) + QStringLiteral(" \\- ") + roffParagraph(doc.summary) + u'\n';
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
        out += roffParagraph(paragraphs[i].simplified()) + u'\n';
      }
    }
  }
  return out;
}

}  // namespace kavalo
