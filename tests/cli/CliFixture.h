// SPDX-License-Identifier: MIT
#pragma once
// A RootFolder for the command-line tests: data folder "a" with the scanned
// sheet eras E1900 (legend 01.png, a check list naming one tile it lacks)
// and E1930 (complete, no legend picture), and the agency's base map W00,
// which has no legend at all. Era indices: 0 E1900, 1 E1930, 2 W00.
#include <QColor>
#include <QString>
#include <QStringList>

#include "support/Fixtures.h"
#include "support/Programs.h"

namespace kavalo::test {

inline const QColor kLegendColour(12, 200, 34);

struct CliRootFixture {
  RootFixture root;
  DatasetFixture data;

  CliRootFixture() {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    data.folder = root.path(QStringLiteral("a"));
    data.write();
    writeSjis(data.folder + QStringLiteral("/map_watizu_info.txt"),
              QStringLiteral(" 1 \nW00, 2024 , 2024 ,2024/04/01\n"));
    for (const QString& era : {QStringLiteral("E1900"), QStringLiteral("E1930"), QStringLiteral("W00")})
      writeSolidImage(data.folder + u'/' + era + QStringLiteral("/000_000.png"), 100, 80, QColor(200, 180, 160));
    writeSjis(data.folder + QStringLiteral("/E1900/gazo_check_list.txt"), QStringLiteral("000_000.png,001_001.png\n"));
    writeSjis(data.folder + QStringLiteral("/E1930/gazo_check_list.txt"), QStringLiteral("000_000.png\n"));
    writeSolidImage(data.folder + QStringLiteral("/legend/01.png"), 60, 40, kLegendColour);
  }

  QString path(const QString& relative) const { return root.path(relative); }
  // "--root ROOT" and more.
  QStringList with(const QString& command, const QStringList& more) const {
    return QStringList{command, QStringLiteral("--root"), root.root()} + more;
  }
};

inline QString firstLine(const QString& text) { return text.section(u'\n', 0, 0); }

}  // namespace kavalo::test
