// SPDX-License-Identifier: MIT
#pragma once
// The program's built-in catalogues of one language, installed for the life
// of the object (and only they: Qt's own are left out), so that a test sees
// the texts as that interface shows them and every later test sees the
// source texts again.
#include <QString>
#include <QTranslator>

#include <memory>
#include <vector>

namespace kavalo::test {

class InstalledCatalogue {
 public:
  explicit InstalledCatalogue(const QString& language);
  ~InstalledCatalogue();
  InstalledCatalogue(const InstalledCatalogue&) = delete;
  InstalledCatalogue& operator=(const InstalledCatalogue&) = delete;

  bool installed() const { return !translators_.empty(); }
  // What was looked for when nothing was installed.
  QString error() const;

 private:
  QString language_;
  std::vector<std::unique_ptr<QTranslator>> translators_;
};

}  // namespace kavalo::test
