// SPDX-License-Identifier: MIT
// Every text of the interface reaches the user in each shipped language:
// no Japanese text is left outside the translation calls (unless marked as
// a stored text), and every text lupdate finds has its translation.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <map>

namespace {

QString sourceRoot() { return qEnvironmentVariable("KAVALO_SOURCE"); }

bool hasJapanese(QStringView text) {
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3040 && u <= 0x30ff) || (u >= 0x4e00 && u <= 0x9fff) || (u >= 0xff00 && u <= 0xffef) ||
        (u >= 0x3000 && u <= 0x303f))
      return true;
  }
  return false;
}

// The calls whose string arguments lupdate collects.
const QSet<QString>& translatingCalls() {
  static const QSet<QString> calls{QStringLiteral("tr"),
                                   QStringLiteral("translate"),
                                   QStringLiteral("QT_TR_NOOP"),
                                   QStringLiteral("QT_TR_N_NOOP"),
                                   QStringLiteral("QT_TRANSLATE_NOOP"),
                                   QStringLiteral("QT_TRANSLATE_NOOP3"),
                                   QStringLiteral("QT_TRANSLATE_N_NOOP")};
  return calls;
}

struct Literal {
  qsizetype begin = 0;  // the prefix or opening quote
  qsizetype end = 0;    // one past the closing quote
  QString text;
};

// The source with its comments blanked (lines kept) and the string literals
// found in it. Character literals are skipped so that '"' opens nothing.
void scan(const QString& src, QString* code, std::vector<Literal>* literals) {
  *code = src;
  const qsizetype n = src.size();
  for (qsizetype i = 0; i < n;) {
    const QChar c = src[i];
    if (c == u'/' && i + 1 < n && src[i + 1] == u'/') {
      while (i < n && src[i] != u'\n') (*code)[i++] = u' ';
    } else if (c == u'/' && i + 1 < n && src[i + 1] == u'*') {
      while (i < n && !(src[i] == u'*' && i + 1 < n && src[i + 1] == u'/')) {
        if (src[i] != u'\n') (*code)[i] = u' ';
        ++i;
      }
      if (i < n) (*code)[i] = (*code)[i + 1] = u' ';
      i += 2;
    } else if (c == u'\'') {
      ++i;
      while (i < n && src[i] != u'\'') i += src[i] == u'\\' ? 2 : 1;
      ++i;
    } else if (c == u'"') {
      Literal lit;
      lit.begin = i;
      // A prefix (u8, u, U, L, R) belongs to the literal.
      while (lit.begin > 0 && (src[lit.begin - 1] == u'u' || src[lit.begin - 1] == u'8' || src[lit.begin - 1] == u'U' ||
                               src[lit.begin - 1] == u'L' || src[lit.begin - 1] == u'R'))
        --lit.begin;
      const bool raw = src.mid(lit.begin, i - lit.begin).contains(u'R');
      if (raw) {
        const qsizetype open = src.indexOf(u'(', i);
        const QString close = u')' + src.mid(i + 1, open - i - 1) + u'"';
        const qsizetype stop = src.indexOf(close, open);
        lit.text = src.mid(open + 1, stop - open - 1);
        i = stop + close.size();
      } else {
        ++i;
        const qsizetype start = i;
        while (i < n && src[i] != u'"' && src[i] != u'\n') i += src[i] == u'\\' ? 2 : 1;
        lit.text = src.mid(start, i - start);
        ++i;
      }
      lit.end = i;
      literals->push_back(lit);
    } else {
      ++i;
    }
  }
}

// Whether the literal at `index` is an argument of a translating call: the
// source text itself, or the context or disambiguation beside it (literals
// written one after another count as one).
bool insideTranslation(const QString& code, const std::vector<Literal>& literals, size_t index) {
  auto skipBack = [&](qsizetype p) {
    while (p > 0 && code[p - 1].isSpace()) --p;
    return p;
  };
  size_t k = index;
  qsizetype p = skipBack(literals[k].begin);
  // Literals joined to this one.
  while (k > 0 && literals[k - 1].end == p) p = skipBack(literals[--k].begin);
  for (int argument = 0; argument < 3 && p > 0; ++argument) {
    if (code[p - 1] == u'(') {
      qsizetype q = skipBack(p - 1);
      const qsizetype nameEnd = q;
      while (q > 0 && (code[q - 1].isLetterOrNumber() || code[q - 1] == u'_')) --q;
      return translatingCalls().contains(code.mid(q, nameEnd - q));
    }
    if (code[p - 1] != u',' || k == 0) return false;
    // The argument before: a literal (the context, or the source text
    // before its disambiguation).
    p = skipBack(p - 1);
    if (literals[k - 1].end != p) return false;
    p = skipBack(literals[--k].begin);
    while (k > 0 && literals[k - 1].end == p) p = skipBack(literals[--k].begin);
  }
  return false;
}

QStringList untranslatedJapanese(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {path + QStringLiteral(": unreadable")};
  const QString src = QString::fromUtf8(f.readAll());
  QString code;
  std::vector<Literal> literals;
  scan(src, &code, &literals);
  const QStringList lines = src.split(u'\n');
  QStringList found;
  for (size_t i = 0; i < literals.size(); ++i) {
    if (!hasJapanese(literals[i].text) || insideTranslation(code, literals, i)) continue;
    const int line = int(src.left(literals[i].begin).count(u'\n'));
    // A text the program stores or parses keeps its one form.
    if (lines[line].contains(QStringLiteral("// stored"))) continue;
    found << QStringLiteral("%1:%2: \"%3\"")
                 .arg(QDir(sourceRoot()).relativeFilePath(path))
                 .arg(line + 1)
                 .arg(literals[i].text);
  }
  return found;
}

QStringList sourceFiles() {
  QStringList files;
  QDirIterator it(sourceRoot() + QStringLiteral("/src"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) files << it.next();
  files.sort();
  return files;
}

struct Message {
  QString context, source, comment;
  bool finished = false;
};

std::vector<Message> readCatalogue(const QString& path) {
  std::vector<Message> out;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return out;
  QXmlStreamReader xml(&f);
  QString context;
  Message m;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    const auto name = xml.name();
    if (name == u"name") {
      context = xml.readElementText();
    } else if (name == u"message") {
      m = Message{context, {}, {}, false};
    } else if (name == u"source") {
      m.source = xml.readElementText();
    } else if (name == u"comment") {
      m.comment = xml.readElementText();
    } else if (name == u"translation") {
      const QString type = xml.attributes().value(QStringLiteral("type")).toString();
      const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
      m.finished = type.isEmpty() && !text.trimmed().isEmpty();
      out.push_back(m);
    }
  }
  EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
  return out;
}

QString key(const Message& m) { return m.context + u'\x1f' + m.source + u'\x1f' + m.comment; }

// Whether a language's catalogue must carry the text: English carries every
// Japanese text; Japanese every English sentence (help texts), not symbols;
// any other language both.
bool needed(const QString& language, const QString& source) {
  static const QRegularExpression word(QStringLiteral("[A-Za-z]{4,}"));
  const bool japanese = hasJapanese(source), english = !japanese && source.contains(word);
  if (language == u"en") return japanese;
  if (language == u"ja") return english;
  return japanese || english;
}

}  // namespace

TEST(Translations, ScannerTellsTranslatedFromBareTexts) {
  struct Case {
    const char* code;
    bool translated;
  } cases[] = {
      {R"(x = tr("地図");)", true},
      {R"(x = QObject::tr(  "地図" "の" );)", true},
      {R"(x = QCoreApplication::translate("kavalo::Era", "地図");)", true},
      {R"(x = tr("地図", "凡例の見出し");)", true},
      {R"(x = tr("%n 枚", nullptr, n);)", true},
      {R"(static const char* t[] = {QT_TRANSLATE_NOOP("Era", "地図")};)", true},
      {R"(x = QStringLiteral("地図");)", false},
      {R"(x = tr(QStringLiteral("地図"));)", false},
      {R"(x = f(a, "地図");)", false},
      {R"(x = QString::fromUtf8("地図"); // tr("地図"))", false},
  };
  for (const Case& c : cases) {
    const QString src = QString::fromUtf8(c.code);
    QString code;
    std::vector<Literal> literals;
    scan(src, &code, &literals);
    bool all = true;
    for (size_t i = 0; i < literals.size(); ++i)
      if (hasJapanese(literals[i].text)) all = all && insideTranslation(code, literals, i);
    EXPECT_EQ(all, c.translated) << c.code;
  }
}

TEST(Translations, EveryJapaneseTextOfTheProgramIsTranslatable) {
  ASSERT_FALSE(sourceRoot().isEmpty());
  QStringList bare;
  for (const QString& file : sourceFiles()) bare << untranslatedJapanese(file);
  EXPECT_TRUE(bare.isEmpty()) << bare.size() << " texts outside tr() (mark stored texts with // stored):\n"
                              << bare.mid(0, 300).join(u'\n').toStdString();
}

TEST(Translations, EveryTextHasItsTranslationInEachShippedLanguage) {
  const QString lupdate = qEnvironmentVariable("KAVALO_LUPDATE");
  ASSERT_FALSE(lupdate.isEmpty()) << "lupdate not found (Debian's qt6-l10n-tools)";
  QTemporaryDir dir;
  const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
  QProcess p;
  // The code's folder is where its includes start: a form's texts belong to
  // its class in its namespace only when lupdate reads its header.
  p.start(lupdate,
          {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-I"),
           sourceRoot() + QStringLiteral("/src"), sourceRoot() + QStringLiteral("/src"), QStringLiteral("-ts"), fresh});
  ASSERT_TRUE(p.waitForFinished(300000)) << p.errorString().toStdString();
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  const std::vector<Message> texts = readCatalogue(fresh);
  ASSERT_FALSE(texts.empty());

  // Each language's catalogue.
  std::map<QString, QSet<QString>> translated;
  const QDir d(sourceRoot() + QStringLiteral("/i18n"));
  for (const QFileInfo& fi : d.entryInfoList({QStringLiteral("*.ts")}, QDir::Files)) {
    const QString language = fi.completeBaseName().section(u'_', -1);
    for (const Message& m : readCatalogue(fi.filePath()))
      if (m.finished) translated[language].insert(key(m));
  }
  ASSERT_TRUE(translated.count(QStringLiteral("en"))) << "no English catalogue";
  for (const auto& [language, done] : translated) {
    QStringList missing;
    for (const Message& m : texts)
      if (needed(language, m.source) && !done.contains(key(m))) missing << m.context + QStringLiteral(": ") + m.source;
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " texts without a translation into " << language.toStdString()
                                   << ":\n"
                                   << missing.mid(0, 300).join(u'\n').toStdString();
  }
}
