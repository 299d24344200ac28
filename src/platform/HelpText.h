// SPDX-License-Identifier: MIT
#pragma once
// The texts a program prints about itself: --help wrapped for a terminal, and
// the same descriptions as a manual page in the form man(7) reads. Both are
// made from one document, so the manual page cannot drift from --help.
#include <QString>
#include <vector>

namespace kavalo {

// Paragraphs (separated by an empty line) wrapped at width columns, each
// line indented by indent blanks. A line starting with a blank is kept as it
// stands (an example). Wide (East Asian) characters count two columns.
QString wrapParagraphs(const QString& text, int width, int indent);

// One part of a manual page. An entry with a term is a tagged paragraph
// (an option and what it does); without one it is a plain paragraph. Texts
// are plain: the writer escapes what roff would read as requests.
struct HelpEntry {
  QString term;
  QString text;
  bool verbatim = false;  // kept line by line (usage lines, examples)
};

struct HelpSection {
  QString heading;     // "OPTIONS"
  QString subheading;  // a sub-section under the last heading ("render"); empty for none
  std::vector<HelpEntry> entries;
};

struct HelpDocument {
  QString name;     // "kavalo-cli"
  int section = 1;  // of the manual
  QString summary;  // for NAME: "kavalo-cli - …"
  QString source;   // "Kavalo 1.0.0"
  std::vector<HelpSection> sections;
};

// The document as roff (man(7) macros), UTF-8.
QString manPageText(const HelpDocument& doc);

// Text escaped for a roff line: backslashes, hyphens of options, and a
// leading dot or quote that would make a request.
QString roffEscape(const QString& text);

}  // namespace kavalo
