// SPDX-License-Identifier: MIT
#pragma once
// The language the interface speaks. Texts are written in Japanese in the
// code (the help texts in English); the catalogues built into the program
// carry the other language. What is stored is never translated: only what is
// shown changes.
#include <QString>
#include <QStringList>

namespace kavalo {

// The languages of the source texts: the interface's (Japanese) and the
// one it falls back to where no catalogue speaks the user's (English).
inline constexpr char kLanguageJapanese[] = "ja";
inline constexpr char kLanguageEnglish[] = "en";

// The languages the program speaks, by their codes: Japanese and English,
// and every language whose catalogue is built in (":/i18n/*_<code>.qm"), so
// that a new translation needs no change to the code.
QStringList shippedLanguages();

// The language a choice comes to: a shipped language as chosen; "system"
// (or an empty or unknown choice) follows the first of the system's
// interface languages when it is shipped, else English.
QString resolveLanguage(const QString& choice, const QStringList& systemLanguages);

// Whether a choice is one the program understands ("system" or a shipped
// language's code).
bool isLanguageChoice(const QString& choice);

// Installs the program's catalogues of `language` (every one built in for
// it) and, with `qtOwnTexts`, Qt's own for its standard dialogs and buttons,
// replacing any installed before. Needs a QCoreApplication. Returns false
// when the program has no catalogue of that language; the source texts are
// shown then. kavalo-cli leaves Qt's texts out: its command line speaks one
// language to scripts.
bool installLanguage(const QString& language, bool qtOwnTexts = true);

// The language installed last ("ja" before any).
QString shownLanguage();

// The value of "--lang LANG" or "--lang=LANG" among the arguments before the
// command or link (empty when not given), taken out of `args`.
QString takeLanguageOption(QStringList* args);

}  // namespace kavalo
