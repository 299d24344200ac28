// SPDX-License-Identifier: MIT
#include "support/InstalledCatalogue.h"

#include <QCoreApplication>
#include <QDir>

namespace kavalo::test {

namespace {

// Where the build puts the catalogues of every part of the program.
const QString kCatalogues = QStringLiteral(":/i18n");

}  // namespace

InstalledCatalogue::InstalledCatalogue(const QString& language) : language_(language) {
  const QDir dir(kCatalogues);
  for (const QString& name : dir.entryList({QStringLiteral("*_%1.qm").arg(language)}, QDir::Files, QDir::Name)) {
    auto t = std::make_unique<QTranslator>();
    if (t->load(dir.filePath(name)) && QCoreApplication::installTranslator(t.get()))
      translators_.push_back(std::move(t));
  }
}

InstalledCatalogue::~InstalledCatalogue() {
  for (const auto& t : translators_) QCoreApplication::removeTranslator(t.get());
}

QString InstalledCatalogue::error() const {
  return QStringLiteral("no catalogue %1/*_%2.qm built into the program").arg(kCatalogues, language_);
}

}  // namespace kavalo::test
