#pragma once
// The English translations of one part of the tree, compiled from its .ts
// in the source tree with lrelease and installed for the life of the object,
// so that a test sees the texts as an English interface shows them.
#include <QString>
#include <QTemporaryDir>
#include <QTranslator>

namespace kavalo::test {

class InstalledCatalogue {
 public:
  // tsFile is relative to the source tree ("i18n/parts/core_en.ts").
  explicit InstalledCatalogue(const QString& tsFile);
  ~InstalledCatalogue();
  InstalledCatalogue(const InstalledCatalogue&) = delete;
  InstalledCatalogue& operator=(const InstalledCatalogue&) = delete;

  bool installed() const { return installed_; }
  // Why nothing was installed.
  const QString& error() const { return error_; }

 private:
  QTemporaryDir dir_;
  QTranslator translator_;
  bool installed_ = false;
  QString error_;
};

}  // namespace kavalo::test
