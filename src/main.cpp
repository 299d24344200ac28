// SPDX-License-Identifier: MIT
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QLocale>
#include <QScreen>

#include <cstdio>
#include <new>

#include "app/InstanceChannel.h"
#include "app/ProgramHelp.h"
#include "app/RootFolder.h"
#include "app/WindowSettings.h"
#include "app/WindowSnapshot.h"
#include "app/frmSCR.h"
#include "model/Settings.h"
#include "platform/Codec.h"
#include "platform/Language.h"
#include "platform/Logging.h"
#include "platform/Memory.h"
#include "platform/Screen.h"
#include "platform/UiPrompts.h"

using namespace kavalo;

namespace {

// An allocation that fails inside an event handler ends that handler with a
// message instead of ending the program without a word.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  UiPrompts* prompts = nullptr;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
      if (prompts)
        prompts->message(QCoreApplication::translate("kavalo::main", "メモリが足りないため、処理を続けられません。"),
                         MessageIcon::Warning);
      return false;
    }
  }
};

// The icon of the program's windows: the sizes the build drew from its SVG.
QIcon programIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/kavalo-%1.png").arg(size));
  return icon;
}

}  // namespace

int main(int argc, char** argv) {
  // --version and --help need no display (nor does the build, which writes
  // the manual page with --man); they speak the language asked for.
  keepLargeBlocksMapped();
  QString langOption;
  {
    QCoreApplication early(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    langOption = takeLanguageOption(&args);
    if (!langOption.isEmpty() && !isLanguageChoice(langOption)) {
      std::fprintf(stderr, "kavalo: unknown language '%s' (system, %s)\n", langOption.toUtf8().constData(),
                   shippedLanguages().join(QStringLiteral(", ")).toUtf8().constData());
      return 2;
    }
    installLanguage(resolveLanguage(langOption, QLocale::system().uiLanguages()));
    QString answer;
    if (answerWithoutWindow(argc, argv, &answer)) {
      std::fputs(answer.toUtf8().constData(), stdout);
      return 0;
    }
  }
  GuardedApplication app(argc, argv);
  dropQtNetworkNoise();
  QApplication::setApplicationName(QStringLiteral("Kavalo"));
  QApplication::setApplicationVersion(programVersion());
  // The desktop entry's name: the shell matches the window to its menu entry
  // and icon by it.
  QGuiApplication::setDesktopFileName(QStringLiteral("kavalo"));
  QApplication::setWindowIcon(programIcon());
  // The option, else the system's language until the data's settings are
  // read; Qt's own buttons and dialogs (はい, キャンセル) follow.
  installLanguage(resolveLanguage(langOption, QLocale::system().uiLanguages()));
  UiPrompts prompts;
  app.prompts = &prompts;
  if (!sjisAvailable()) {
    prompts.message(
        QCoreApplication::translate("kavalo::main",
                                    "Shift-JISの文字コード変換が使えません。Qtの国際化機能（ICU）を確認してください。"),
        MessageIcon::Critical);
    return 1;
  }
  const QString exeFolder = QCoreApplication::applicationDirPath();
  const QString sample = bundledSampleFolder(exeFolder);
  QString note;
  const QString root = determineRootFolder(exeFolder, sample, &note);
  if (langOption.isEmpty()) {
    const WindowSettings settings = readWindowSettingsFile(root + u'/' + QString::fromLatin1(kWindowSettingsFile));
    installLanguage(resolveLanguage(settings.language, QLocale::system().uiLanguages()));
  }

  // A kavalo: link the program was started with (from the desktop's handler
  // of kavalo: links, or typed).
  QString link;
  const QStringList arguments = QCoreApplication::arguments();
  for (qsizetype i = 1; i < arguments.size() && link.isEmpty(); ++i)
    if (arguments[i].startsWith(QStringLiteral("kavalo:"), Qt::CaseInsensitive)) link = arguments[i];
  // A window already running on this data takes the link and shows itself;
  // this start then ends. The manual's pictures are taken by starts of
  // their own.
  const bool snapshot = !qEnvironmentVariableIsEmpty("KAVALO_SNAPSHOT");
  InstanceChannel channel(root);
  if (!snapshot && channel.handOver(link)) return 0;

  frmSCR window(root, queryScreen(QGuiApplication::primaryScreen(), QGuiApplication::platformName()), prompts);
  prompts.setOwner(&window);
  window.Form_Load();
  if (!window.startedOk()) return 1;
  if (window.wantsMaximized())
    window.showMaximized();
  else
    window.show();
  // The manual's pictures: the window takes its own and quits, saving nothing.
  if (scheduleSnapshotFromEnvironment(window)) return app.exec();
  // Later starts hand their links here: the window comes to the front and
  // opens the view.
  const bool listening = channel.listen([&window](const QString& handed) {
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
    if (!handed.isEmpty()) window.openViewLink(handed);
  });
  if (!listening && channel.handOver(link)) return 0;
  if (!note.isEmpty()) prompts.message(note, MessageIcon::Information);
  // The program opens at the view of its own link.
  if (!link.isEmpty()) window.openViewLink(link);
  return app.exec();
}
