#pragma once
// The program's English catalogues, the ones built into it, installed for
// the lifetime of the object and taken away after: what the program shows
// in English, while the rest of the test executable keeps the source texts.
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTranslator>
#include <memory>
#include <vector>

namespace kavalo::test {

class EnglishCatalogue {
 public:
  EnglishCatalogue() {
    const QDir dir(QStringLiteral(":/i18n"));
    for (const QString& name : dir.entryList({QStringLiteral("*_en.qm")}, QDir::Files, QDir::Name)) {
      auto translator = std::make_unique<QTranslator>();
      if (!translator->load(dir.filePath(name))) {
        problem_ = QStringLiteral("cannot load %1").arg(name);
        return;
      }
      // A catalogue with nothing in it yet is no catalogue to install.
      if (translator->isEmpty()) continue;
      if (!QCoreApplication::installTranslator(translator.get())) {
        problem_ = QStringLiteral("cannot install %1").arg(name);
        return;
      }
      translators_.push_back(std::move(translator));
    }
    if (translators_.empty()) problem_ = QStringLiteral("the program has no English catalogue");
  }
  ~EnglishCatalogue() {
    for (auto& t : translators_) QCoreApplication::removeTranslator(t.get());
  }
  EnglishCatalogue(const EnglishCatalogue&) = delete;
  EnglishCatalogue& operator=(const EnglishCatalogue&) = delete;

  // Empty when every catalogue is installed.
  QString problem() const { return problem_; }

  // Whether the catalogues include the composed era labels ("1970-71年"),
  // which the tree's era-label code gives to the translation system.
  static bool eraLabelsTranslated() {
    return QCoreApplication::translate("kavalo::EraLabels", "%1-%2年") != QStringLiteral("%1-%2年");
  }

 private:
  std::vector<std::unique_ptr<QTranslator>> translators_;
  QString problem_;
};

// Whether a text holds kana, kanji or full-width forms.
inline bool hasJapanese(const QString& text) {
  static const QRegularExpression japanese(
      QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
  return text.contains(japanese);
}

}  // namespace kavalo::test
