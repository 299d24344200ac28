#pragma once
// The English catalogues of the tree (i18n/parts/*_en.ts), compiled by
// lrelease into a folder of the test's own and installed for the lifetime of
// the object: what the program shows in English, without the build's copy.
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <memory>
#include <vector>

namespace kavalo::test {

class EnglishCatalogue {
 public:
  EnglishCatalogue() {
    const QDir parts(qEnvironmentVariable("KAVALO_SOURCE") + QStringLiteral("/i18n/parts"));
    const QString lrelease = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lrelease");
    for (const QString& ts : parts.entryList({QStringLiteral("*_en.ts")}, QDir::Files, QDir::Name)) {
      const QString qm = dir_.filePath(QString(ts).replace(QStringLiteral(".ts"), QStringLiteral(".qm")));
      QProcess run;
      run.start(lrelease, {QStringLiteral("-silent"), parts.filePath(ts), QStringLiteral("-qm"), qm});
      if (!run.waitForFinished(60000) || run.exitCode() != 0) {
        problem_ = QStringLiteral("lrelease failed on %1").arg(ts);
        return;
      }
      auto translator = std::make_unique<QTranslator>();
      if (!translator->load(qm)) {
        problem_ = QStringLiteral("cannot load %1").arg(qm);
        return;
      }
      QCoreApplication::installTranslator(translator.get());
      translators_.push_back(std::move(translator));
    }
    if (translators_.empty()) problem_ = QStringLiteral("no catalogue in %1").arg(parts.path());
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
  QTemporaryDir dir_;
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
