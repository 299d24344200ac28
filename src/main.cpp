#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QScreen>

#include "app/RootFolder.h"
#include "app/frmSCR.h"
#include "platform/Codec.h"
#include "platform/Screen.h"
#include "platform/UiPrompts.h"

using namespace kavalo;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kavalo"));
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
