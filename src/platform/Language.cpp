// SPDX-License-Identifier: MIT
#include "platform/Language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

namespace kavalo {

namespace {

QString& shown() {
  static QString language = QString::fromLatin1(kLanguageJapanese);
  return language;
}

// The translators in use; replaced whole when the language changes.
std::vector<std::unique_ptr<QTranslator>>& installed() {
  static std::vector<std::unique_ptr<QTranslator>> translators;
  return translators;
}

}  // namespace

QStringList shippedLanguages() {
  QStringList codes{QString::fromLatin1(kLanguageJapanese), QString::fromLatin1(kLanguageEnglish)};
  const QStringList names = QDir(QStringLiteral(":/i18n")).entryList({QStringLiteral("*_*.qm")}, QDir::Files);
  for (const QString& name : names) {
    const QString code = name.section(u'_', -1).chopped(3);
    if (!code.isEmpty() && !codes.contains(code)) codes << code;
  }
  return codes;
}

bool isLanguageChoice(const QString& choice) { return choice == u"system" || shippedLanguages().contains(choice); }

QString resolveLanguage(const QString& choice, const QStringList& systemLanguages) {
  const QStringList shipped = shippedLanguages();
  if (shipped.contains(choice)) return choice;
  // "ja", "ja-JP", "ja_JP.UTF-8": only the first language counts, as the
  // user put it first.
  const QString first = systemLanguages.isEmpty() ? QString() : systemLanguages.first().toLower();
  const QString code = first.section(u'-', 0, 0).section(u'_', 0, 0).section(u'.', 0, 0);
  if (shipped.contains(code)) return code;
  return QString::fromLatin1(kLanguageEnglish);
}

bool installLanguage(const QString& language, bool qtOwnTexts) {
  for (const auto& t : installed()) QCoreApplication::removeTranslator(t.get());
  installed().clear();
  shown() = language;
  bool any = false;
  // The program's own catalogues: one per part of the program, all built in.
  const QDir dir(QStringLiteral(":/i18n"));
  const QStringList names = dir.entryList({QStringLiteral("*_%1.qm").arg(language)}, QDir::Files, QDir::Name);
  for (const QString& name : names) {
    auto t = std::make_unique<QTranslator>();
    if (!t->load(dir.filePath(name)) || !QCoreApplication::installTranslator(t.get())) continue;
    installed().push_back(std::move(t));
    any = true;
  }
  // Qt's own texts (はい, キャンセル, the file dialog) in the same language;
  // English is what they are written in.
  if (qtOwnTexts && language != QLatin1String(kLanguageEnglish)) {
    auto t = std::make_unique<QTranslator>();
    if (t->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(t.get()))
      installed().push_back(std::move(t));
  }
  return any || language == QLatin1String(kLanguageJapanese);
}

QString shownLanguage() { return shown(); }

QString takeLanguageOption(QStringList* args) {
  QString value;
  for (int i = 0; i < args->size();) {
    const QString& a = args->at(i);
    if (!a.startsWith(u'-')) break;  // the command or the link: its own options follow
    if (a == u"--lang" && i + 1 < args->size()) {
      value = args->at(i + 1);
      args->remove(i, 2);
    } else if (a.startsWith(u"--lang=")) {
      value = a.mid(7);
      args->removeAt(i);
    } else {
      ++i;
    }
  }
  return value;
}

}  // namespace kavalo
