#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include <new>

#include "app/RootFolder.h"
#include "app/frmSCR.h"
#include "platform/Codec.h"
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
        prompts->message(QStringLiteral("メモリが足りないため、処理を続けられません。"), MessageIcon::Warning);
      return false;
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  GuardedApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kavalo"));
  // Every caption of the program is Japanese; Qt's own buttons and dialogs
  // (はい, いいえ, キャンセル) follow, whatever the system's language.
  QTranslator qtTranslator;
  if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTranslator);
  UiPrompts prompts;
  app.prompts = &prompts;
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
