// SPDX-License-Identifier: MIT
#include "output/WebViewerTexts.h"

#include <QCoreApplication>
#include <QString>

namespace kavalo {

namespace {

// The page's texts as its files have them. Longer texts come first, so that
// a caption containing another ("比較の方法") is taken whole.
constexpr const char* kPageTexts[] = {
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "比較の方法"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "Kavalo で開く"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "不透明度"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "スワイプ"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "並べる"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "レンズ"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "重ねる"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "時期"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "比較"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "なし"),
};

// The script's texts, each inside a single-quoted string.
constexpr const char* kScriptTexts[] = {
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "地図のデータ (eras.js) が読めません。"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "北緯"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "南緯"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "東経"),
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", "西経"),
    // Between the credits of the two eras compared.
    QT_TRANSLATE_NOOP("kavalo::WebViewerTexts", " ・ "),
};

QString shown(const char* text) { return QCoreApplication::translate("kavalo::WebViewerTexts", text); }

QString htmlText(const QString& text) { return text.toHtmlEscaped(); }

QString scriptText(QString text) {
  text.replace(u'\\', QStringLiteral("\\\\"));
  text.replace(u'\'', QStringLiteral("\\'"));
  return text;
}

}  // namespace

QByteArray localizedViewerFile(const QString& relativePath, const QByteArray& bytes) {
  const bool page = relativePath == u"index.html";
  const bool script = relativePath == u"viewer.js";
  if (!page && !script) return bytes;
  QString text = QString::fromUtf8(bytes);
  bool changed = false;
  if (page) {
    // The page names its language for screen readers and the browser's
    // offer to translate it.
    const QString language =
        QCoreApplication::translate("kavalo::WebViewerTexts", "ja", "the language code of the map page");
    if (language != u"ja") {
      text.replace(QStringLiteral("<html lang=\"ja\">"), QStringLiteral("<html lang=\"%1\">").arg(htmlText(language)));
      changed = true;
    }
    for (const char* source : kPageTexts) {
      const QString from = QString::fromUtf8(source), to = shown(source);
      if (from == to) continue;
      text.replace(from, htmlText(to));
      changed = true;
    }
  } else {
    for (const char* source : kScriptTexts) {
      const QString from = QString::fromUtf8(source), to = shown(source);
      if (from == to) continue;
      text.replace(u'\'' + from + u'\'', u'\'' + scriptText(to) + u'\'');
      changed = true;
    }
  }
  // Untouched files are handed back as they came, byte for byte.
  return changed ? text.toUtf8() : bytes;
}

}  // namespace kavalo
