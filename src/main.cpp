#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include "app/RootFolder.h"
#include "app/frmSCR.h"
#include "platform/Codec.h"
#include "platform/Screen.h"
#include "platform/UiPrompts.h"

using namespace kavalo;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kavalo"));
  // Every caption of the program is Japanese; Qt's own buttons and dialogs
  // (はい, いいえ, キャンセル) follow, whatever the system's language.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTranslator);
  UiPrompts prompts;
  if (!sjisAvailable()) {
    prompts.message(QStringLiteral("Shift-JISの文字コード変換が使えません。Qtの国際化機能（ICU）を確認してください。"),
                    MessageIcon::Critical);
    return 1;
  }
  const QString exeFolder = QCoreApplication::applicationDirPath();
  // The bundled sample region lies beside the build's executables.
  const QString sample = QDir::cleanPath(exeFolder + QStringLiteral("/../sample"));
  QString note;
  const QString root = determineRootFolder(exeFolder, sample, &note);

  frmSCR window(root, queryScreen(QGuiApplication::primaryScreen(), QGuiApplication::platformName()), prompts);
  prompts.setOwner(&window);
  window.Form_Load();
  if (!window.startedOk()) return 1;
  if (window.wantsMaximized())
    window.showMaximized();
  else
    window.show();
  if (!note.isEmpty()) prompts.message(note, MessageIcon::Information);
  return app.exec();
}
