// SPDX-License-Identifier: MIT
// The install rules, checked the way a packager uses them: cmake --install
// into an empty prefix, then the installed programs run from there.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/RootFolder.h"

namespace {

struct Outcome {
  int status = -1;
  QString out;
  QString err;
};

Outcome run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  Outcome r;
  if (!p.waitForFinished(120000)) return r;
  r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = QString::fromUtf8(p.readAllStandardOutput());
  r.err = QString::fromUtf8(p.readAllStandardError());
  return r;
}

}  // namespace

TEST(Install, TheInstalledProgramsRunFromTheirPrefix) {
  const QString build = qEnvironmentVariable("KAVALO_BUILD");
  const QString cmake = QStandardPaths::findExecutable(QStringLiteral("cmake"));
  ASSERT_FALSE(build.isEmpty());
  ASSERT_FALSE(cmake.isEmpty());
  QTemporaryDir prefix;
  const Outcome install = run(cmake, {"--install", build, "--prefix", prefix.path()});
  ASSERT_EQ(install.status, 0) << install.err.toStdString();

  const QString version = run(QStringLiteral("%1/bin/kavalo-cli").arg(prefix.path()), {"--version"}).out;
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^kavalo-cli \\d+\\.\\d+\\.\\d+\\n$")).match(version).hasMatch())
      << version.toStdString();
  // Both programs carry the one version; the window's needs no display.
  const Outcome kavalo = run(prefix.path() + QStringLiteral("/bin/kavalo"), {"--version"});
  EXPECT_EQ(kavalo.status, 0) << kavalo.err.toStdString();
  EXPECT_EQ(kavalo.out, QStringLiteral("kavalo ") + version.section(u' ', 1));

  for (const char* file :
       {"share/applications/kavalo.desktop", "share/metainfo/org.example.kavalo.metainfo.xml",
        "share/icons/hicolor/scalable/apps/kavalo.svg", "share/icons/hicolor/48x48/apps/kavalo.png",
        "share/icons/hicolor/256x256/apps/kavalo.png", "share/man/man1/kavalo.1.gz", "share/man/man1/kavalo-cli.1.gz",
        "share/kavalo/kavalo.pdf", "share/kavalo/kavalo-en.pdf", "share/man/ja/man1/kavalo.1.gz",
        "share/man/ja/man1/kavalo-cli.1.gz", "share/kavalo/sample/dataset.txt", "share/doc/kavalo/copyright",
        "share/doc/kavalo/changelog.gz"})
    EXPECT_TRUE(QFileInfo(prefix.path() + u'/' + QLatin1String(file)).isFile()) << file;

  // The program finds the sample region that came with it, and the command
  // line loads it from there.
  EXPECT_EQ(kavalo::bundledSampleFolder(prefix.path() + QStringLiteral("/bin")),
            prefix.path() + QStringLiteral("/share/kavalo/sample"));
  // A first start from the menu: the user's data folder is seeded from it,
  // and the copy is the user's to change although the installed files are not.
  QTemporaryDir home;
  const QByteArray dataHome = qgetenv("XDG_DATA_HOME"), root = qgetenv("KAVALO_ROOT");
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  qunsetenv("KAVALO_ROOT");
  QFile::setPermissions(prefix.path() + QStringLiteral("/share/kavalo/sample/dataset.txt"), QFileDevice::ReadOwner);
  QString note;
  const QString seeded =
      kavalo::determineRootFolder(prefix.path() + QStringLiteral("/bin"),
                                  kavalo::bundledSampleFolder(prefix.path() + QStringLiteral("/bin")), &note);
  qputenv("XDG_DATA_HOME", dataHome);
  if (!root.isEmpty()) qputenv("KAVALO_ROOT", root);
  EXPECT_EQ(seeded, home.path() + QStringLiteral("/kavalo"));
  EXPECT_FALSE(note.isEmpty());
  EXPECT_TRUE(QFileInfo::exists(seeded + QStringLiteral("/sample/mapinfo.txt")));
  EXPECT_TRUE(QFile::permissions(seeded + QStringLiteral("/dataset.txt")) & QFileDevice::WriteOwner);

  const Outcome shortage = run(prefix.path() + QStringLiteral("/bin/kavalo-cli"),
                               {"shortage", "--root", prefix.path() + QStringLiteral("/share/kavalo/sample")});
  EXPECT_EQ(shortage.status, 0) << shortage.err.toStdString();

  // The desktop files pass their validators where those are installed
  // (scripts/deps --package installs them).
  const QString desktopValidate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (!desktopValidate.isEmpty())
    EXPECT_EQ(run(desktopValidate, {prefix.path() + QStringLiteral("/share/applications/kavalo.desktop")}).status, 0);
  const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
  if (!appstream.isEmpty()) {
    const Outcome valid = run(
        appstream,
        {"validate", "--no-net", prefix.path() + QStringLiteral("/share/metainfo/org.example.kavalo.metainfo.xml")});
    EXPECT_EQ(valid.status, 0) << valid.out.toStdString();
  }
}
