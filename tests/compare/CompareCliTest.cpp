// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "cli/CliCommon.h"
#include "cli/CompareOptions.h"
#include "cli/ViewOptions.h"
#include "render/ImageLibrary.h"
#include "render/RenderFixture.h"
#include "support/Programs.h"

using namespace kavalo;

TEST(RenderCompare, TheCommandWritesTheComparisonComposedInProcessAndRefusesBadValues) {
  test::RenderFixture f;
  f.data.write();
  f.solidTiles(QStringLiteral("E1900"), test::tileColour);
  f.solidTiles(QStringLiteral("E1930"), [](int c, int r) { return qRgb(10 * c, 10 * r, 90); });
  const QString out = f.root.path(QStringLiteral("out.png"));
  const QStringList view = {QStringLiteral("--root"),   f.root.root(),
                            QStringLiteral("--size"),   QStringLiteral("301x200"),
                            QStringLiteral("--center"), QStringLiteral("200,160")};

  for (const QStringList& mode :
       {QStringList{QStringLiteral("--mode"), QStringLiteral("side")},
        QStringList{QStringLiteral("--mode"), QStringLiteral("swipe"), QStringLiteral("--split"), QStringLiteral("90")},
        QStringList{QStringLiteral("--mode"), QStringLiteral("lens"), QStringLiteral("--lens"),
                    QStringLiteral("280,20,50")},
        QStringList{QStringLiteral("--mode"), QStringLiteral("blend"), QStringLiteral("--opacity"),
                    QStringLiteral("30")}}) {
    const QStringList args = view + QStringList{QStringLiteral("--compare"), QStringLiteral("1")} + mode;
    const test::ProgramRun run = test::runCli(QStringList{QStringLiteral("render")} + args + QStringList{"-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    CliOptions options;
    QString error;
    ASSERT_TRUE(parseOptions(args, viewOptionNames() + compareOptionNames(), options, &error)) << error.toStdString();
    ProgramState state;
    CliPrompts prompts;
    ASSERT_TRUE(loadForCli(options, state, prompts));
    ASSERT_TRUE(applyViewOptions(options, state, &error));
    QImage picture;
    ASSERT_TRUE(renderCompare(options, state, currentViewRequest(state, RenderPass::Export), picture, nullptr, &error));
    EXPECT_EQ(PNGtoDIB(out), picture) << mode.join(u' ').toStdString();
  }

  struct Bad {
    QStringList args;
    const char* message;
  };
  const Bad bad[] = {
      {{QStringLiteral("--mode"), QStringLiteral("swipe")}, "--mode needs --compare B"},
      {{QStringLiteral("--compare"), QStringLiteral("2")}, "--compare must be an era index"},
      {{QStringLiteral("--compare"), QStringLiteral("1"), QStringLiteral("--mode"), QStringLiteral("wipe")},
       "--mode must be"},
      {{QStringLiteral("--compare"), QStringLiteral("1"), QStringLiteral("--split"), QStringLiteral("302")},
       "--split must be"},
      {{QStringLiteral("--compare"), QStringLiteral("1"), QStringLiteral("--lens"), QStringLiteral("1,2")},
       "--lens must be"},
      {{QStringLiteral("--compare"), QStringLiteral("1"), QStringLiteral("--opacity"), QStringLiteral("101")},
       "--opacity must be"},
  };
  QFile::remove(out);
  for (const Bad& b : bad) {
    const test::ProgramRun run =
        test::runCli(QStringList{QStringLiteral("render")} + view + b.args + QStringList{"-o", out});
    EXPECT_EQ(run.exitCode, 2) << b.message;  // values out of range are usage errors
    EXPECT_TRUE(run.err.contains(QString::fromLatin1(b.message))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out)) << b.message;
  }
}
