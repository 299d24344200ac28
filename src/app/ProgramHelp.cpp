// SPDX-License-Identifier: MIT
#include "app/ProgramHelp.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstring>

#include "model/Settings.h"

namespace kavalo {

HelpDocument kavaloHelpDocument() {
  HelpDocument doc;
  doc.name = QStringLiteral("kavalo");
  doc.summary =
      QCoreApplication::translate("kavalo::ProgramHelp", "compare topographic maps of one region across eras");
  doc.source = QStringLiteral("Kavalo ") + programVersion();
  doc.sections.push_back({QCoreApplication::translate("kavalo::ProgramHelp", "SYNOPSIS"),
                          QString(),
                          {{QString(), QStringLiteral("kavalo [--lang LANG] [--help | --version | LINK]"), true}}});
  doc.sections.push_back(
      {QCoreApplication::translate("kavalo::ProgramHelp", "DESCRIPTION"),
       QString(),
       {{QString(),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "Kavalo shows the maps of one region as they were drawn in different periods. A region is a "
             "data folder of tile images per era; pick an era and the same place stays on screen, so old "
             "and new maps are compared by stepping through the eras, side by side, with a swipe, a lens "
             "or blended. Over the map it draws elevation colours with relief shading, sheet lines, a "
             "scale bar and marks; the status area reads out latitude, longitude, elevation and the map "
             "sheet under the cursor. Views are exported as HTML or KML and printed. Further eras come "
             "from the mapping agency's tiles, the research institute's rapid-survey maps, any XYZ tile "
             "service, and the data folder's own packages.\n\n"
             "The window speaks Japanese or English: the language of the system's locale (Japanese for a Japanese "
             "locale, English for any other), the setting language=system|ja|en in kavalo-window.ini, or --lang. "
             "The user manual opened by the Help button is kavalo.pdf in Japanese and kavalo-en.pdf in English."),
         false}}});
  doc.sections.push_back(
      {QCoreApplication::translate("kavalo::ProgramHelp", "OPTIONS"),
       QString(),
       {{QStringLiteral("--help, -h"),
         QCoreApplication::translate("kavalo::ProgramHelp", "Prints this help and exits."), false},
        {QStringLiteral("--version"),
         QCoreApplication::translate("kavalo::ProgramHelp", "Prints the program's name and version and exits."), false},
        {QStringLiteral("--lang LANG"),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "The language of the window, this help and the messages, for this start only: ja (Japanese), en "
             "(English) or system (the system's locale). Without it the setting language of kavalo-window.ini "
             "decides, and language=system (the default) follows the system's locale."),
         false},
        {QStringLiteral("LINK"),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "A link to a view, kavalo://view?dataset=FOLDER&era=FOLDER&lat=LAT&lon=LON&zoom=PERCENT (world "
             "datum; every part but lat and lon may be left out): the program opens showing that view. The "
             "map's pop-up menu copies the link of the view shown."),
         false}}});
  doc.sections.push_back(
      {QCoreApplication::translate("kavalo::ProgramHelp", "FILES"),
       QString(),
       {{QStringLiteral("~/.local/share/kavalo/"),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "The RootFolder unless KAVALO_ROOT names another: KAVALO.ini, dataset.txt (the list of data "
             "folders), colorset.txt, KAVALO_compare.ini, kavalo-window.ini, servers.txt and the data "
             "folders. On first start it is seeded with a copy of the sample region."),
         false},
        {QStringLiteral("/usr/share/kavalo/sample/"),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "The fictional sample region the first start copies (beside the installed program: "
             "../share/kavalo/sample)."),
         false},
        {QStringLiteral("/usr/share/kavalo/kavalo.pdf"),
         QCoreApplication::translate("kavalo::ProgramHelp", "The user manual (Japanese)."), false},
        {QStringLiteral("/usr/share/kavalo/kavalo-en.pdf"),
         QCoreApplication::translate("kavalo::ProgramHelp", "The user manual (English)."), false}}});
  doc.sections.push_back(
      {QCoreApplication::translate("kavalo::ProgramHelp", "ENVIRONMENT"),
       QString(),
       {{QStringLiteral("KAVALO_ROOT"),
         QCoreApplication::translate("kavalo::ProgramHelp", "The RootFolder to use instead of ~/.local/share/kavalo/."),
         false},
        {QStringLiteral("KAVALO_WEB_BASE"),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "The dataset's web folder (server check, server list, tiles fetched in online mode); "
             "overrides web_base of servers.txt."),
         false},
        {QStringLiteral("KAVALO_AGENCY_TILES, KAVALO_AGENCY_PORTAL, KAVALO_WMS, KAVALO_WMS_SITE, KAVALO_XYZ"),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "The addresses of the outside services of the acquisition dialogs; override servers.txt."),
         false},
        {QStringLiteral("QT_LOGGING_RULES"),
         QCoreApplication::translate(
             "kavalo::ProgramHelp",
             "\"kavalo.*=true\" turns the log categories on (kavalo.net, kavalo.render, kavalo.data)."),
         false}}});
  doc.sections.push_back({QCoreApplication::translate("kavalo::ProgramHelp", "SEE ALSO"),
                          QString(),
                          {{QString(), QStringLiteral("kavalo-cli(1)"), false}}});
  return doc;
}

QString helpDocumentText(const HelpDocument& doc) {
  QString text = doc.name + QStringLiteral(" - ") + doc.summary + QStringLiteral("\n\n");
  for (const HelpSection& section : doc.sections) {
    text += section.heading + u'\n';
    for (const HelpEntry& entry : section.entries) {
      if (!entry.term.isEmpty()) text += QStringLiteral("  ") + entry.term + u'\n';
      const int indent = entry.term.isEmpty() ? 2 : 6;
      if (entry.verbatim) {
        for (const QString& line : entry.text.split(u'\n')) text += QString(indent, u' ') + line + u'\n';
      } else {
        text += wrapParagraphs(entry.text, 79, indent);
      }
    }
    text += u'\n';
  }
  return text;
}

bool answerWithoutWindow(int argc, char** argv, QString* text) {
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--version") == 0) {
      *text = QStringLiteral("kavalo %1\n").arg(programVersion());
      return true;
    }
    if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
      *text = helpDocumentText(kavaloHelpDocument());
      return true;
    }
    if (std::strcmp(a, "--man") == 0) {
      *text = manPageText(kavaloHelpDocument());
      return true;
    }
  }
  return false;
}

}  // namespace kavalo
