// SPDX-License-Identifier: MIT
// The window and the messages of the shared code with the English catalogue
// installed: the texts the program composes come out whole and in English,
// the Japanese ones stay exactly as written, and the panel makes room for the
// longer captions instead of cutting them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/UiElidedCombo.h"
#include "app/frmSCR.h"
#include "platform/Language.h"
#include "platform/Paths.h"
#include "platform/Prompts.h"
#include "platform/ValueReader.h"
#include "platform/ValueWriter.h"
#include "render/ImageCheck.h"
#include "support/Fixtures.h"

using namespace kavalo;

namespace {

// The interface in English while the object lives (the catalogues built into
// the program), Japanese again after.
class EnglishCatalogue {
 public:
  EnglishCatalogue() { loaded_ = installLanguage(QStringLiteral("en")); }
  ~EnglishCatalogue() { installLanguage(QStringLiteral("ja")); }
  bool loaded() const { return loaded_; }

 private:
  bool loaded_ = false;
};

struct Window {
  test::RootFixture root;
  ScriptedPrompts prompts;
  std::unique_ptr<frmSCR> w;

  explicit Window(QSize screenSize) {
    root.writeDatasetList({{QStringLiteral("地域"), QStringLiteral("a")}});
    test::DatasetFixture d;
    d.folder = root.path(QStringLiteral("a"));
    d.write();
    ScreenInfo screen;
    screen.widthPx = screenSize.width();
    screen.heightPx = screenSize.height();
    w = std::make_unique<frmSCR>(root.root(), screen, prompts);
    w->Form_Load();
    w->show();
    w->resize(w->minimumSize());
    QCoreApplication::processEvents();
  }
  ~Window() { w->Form_Unload(); }
};

QString shownCaption(QString text) { return text.remove(QChar(u'&')); }

// Every caption of the panel shown whole: buttons and check boxes as wide as
// their text asks, group titles within their boxes, one-line labels whole.
void expectCaptionsWhole(const frmSCR& w) {
  int checked = 0;
  for (const QWidget* widget : w.picBox->findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    const QString name = widget->objectName();
    const QFontMetrics fm(widget->font());
    if (const auto* box = qobject_cast<const QCheckBox*>(widget)) {
      EXPECT_GE(box->width(), box->sizeHint().width()) << name.toStdString() << " cuts " << box->text().toStdString();
    } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
      EXPECT_GE(button->width(), fm.horizontalAdvance(shownCaption(button->text())) + 8)
          << name.toStdString() << " cuts " << button->text().toStdString();
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      EXPECT_GE(group->width(), fm.horizontalAdvance(group->title()) + 8)
          << name.toStdString() << " cuts " << group->title().toStdString();
    } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      if (label->wordWrap() || label->text().isEmpty() || label->textFormat() == Qt::RichText) continue;
      EXPECT_GE(label->width(), label->sizeHint().width())
          << name.toStdString() << " cuts " << label->text().toStdString();
    } else {
      continue;
    }
    ++checked;
  }
  EXPECT_GT(checked, 30);
  // The comparison's mode box shows its longest mode whole.
  int longest = 0;
  for (int i = 0; i < w.cboCompareMode->count(); ++i)
    longest = std::max(longest, w.cboCompareMode->fontMetrics().horizontalAdvance(w.cboCompareMode->itemText(i)));
  EXPECT_GE(w.cboCompareMode->width(), longest + 16);
}

}  // namespace

TEST(EnglishInterface, MessagesWithArgumentsComeOutInEnglishAndJapaneseUnchanged) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString missing = dir.filePath(QStringLiteral("none.txt"));
  const QString longLine = dir.filePath(QStringLiteral("long.txt"));
  test::writeBytes(longLine, QByteArray(kMaxLineBytes + 10, 'x'));
  const QString written = dir.filePath(QStringLiteral("out.txt"));
  struct Case {
    const char* name;
    std::function<QString()> make;
    QString japanese;
    QString english;
  };
  const Case cases[] = {
      {"a file not found",
       [&] {
         QByteArray bytes;
         QString error;
         readFileBytes(missing, bytes, &error);
         return error;
       },
       QStringLiteral("ファイルが見つかりません: ") + missing, QStringLiteral("File not found: ") + missing},
      {"a line too long, with its number and the limit",
       [&] {
         ValueReader reader{QString()};
         QString error;
         ValueReader::fromFile(longLine, reader, &error);
         return error;
       },
       QStringLiteral("1行目が長すぎます（%1バイトまで）: %2").arg(kMaxLineBytes).arg(longLine),
       QStringLiteral("Line 1 is too long (at most %1 bytes): %2").arg(kMaxLineBytes).arg(longLine)},
      {"a character Shift-JIS cannot hold; nothing written",
       [&] {
         QString error;
         ValueWriter().textLine(QStringLiteral("\U0001F5FE")).save(written, &error);
         return error + (QFileInfo::exists(written) ? QStringLiteral(" (written)") : QString());
       },
       QStringLiteral("Shift-JISで表せない文字があります: ") + written,
       QStringLiteral("Some characters cannot be written in Shift-JIS: ") + written},
      {"an image larger than a server sends, the four sides in their places",
       [] {
         ImageHeader header;
         header.state = ImageHeader::State::Known;
         header.format = "png";
         header.size = QSize(2000, 1500);
         return headerRefusal(header, ImageRule{});
       },
       QStringLiteral("画像が2000×1500画素あり、1024×1024を超えています"),
       QStringLiteral("The image is 2000×1500 pixels, larger than 1024×1024")},
      {"the wrong format, expected and found in their places",
       [] {
         ImageHeader header;
         header.state = ImageHeader::State::Known;
         header.format = "jpeg";
         header.size = QSize(256, 256);
         return headerRefusal(header, ImageRule{"png", {1024, 1024}});
       },
       QStringLiteral("pngを求めたところjpeg画像でした"), QStringLiteral("Expected png but got a jpeg image")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.make(), c.japanese);
    {
      EnglishCatalogue english;
      ASSERT_TRUE(english.loaded());
      EXPECT_EQ(c.make(), c.english);
    }
    // Taken away again, the catalogue leaves the Japanese as it was.
    EXPECT_EQ(c.make(), c.japanese);
  }
}

TEST(EnglishInterface, ThePanelShowsEveryEnglishCaptionWholeAndTheJapanesePanelKeepsItsWidth) {
  int japaneseWidth = 0;
  {
    Window ja({1366, 768});
    japaneseWidth = ja.w->picBox->width();
    EXPECT_EQ(ja.w->chkLegend->text(), QStringLiteral("凡例(&L)"));
    expectCaptionsWhole(*ja.w);
  }
  EXPECT_EQ(japaneseWidth, 214);
  EnglishCatalogue english;
  ASSERT_TRUE(english.loaded());
  for (const QSize screen : {QSize(1366, 768), QSize(1280, 800)}) {
    SCOPED_TRACE(screen.height());
    Window en(screen);
    frmSCR& w = *en.w;
    // Captions, tips and composed texts of the panel, in English.
    EXPECT_EQ(w.chkLegend->text(), QStringLiteral("&Legend"));
    EXPECT_EQ(w.framTime->title(), QStringLiteral("Era (Shift+←→)"));
    EXPECT_EQ(w.cboCompareMode->itemText(0), QStringLiteral("Side by side"));
    EXPECT_EQ(w.lblOffLine->text(), QStringLiteral("Offline"));
    EXPECT_EQ(w.lstDataFolder->accessibleName(), QStringLiteral("Dataset"));
    auto* second = static_cast<UiElidedCombo*>(w.cboAgeB);
    ASSERT_GT(second->count(), 1);
    second->setCurrentIndex(second->currentIndex() == 0 ? 1 : 0);
    EXPECT_EQ(second->toolTip(), QStringLiteral("Era to compare: ") + second->currentText());
    // Wider than the Japanese panel where the captions ask for it, and still
    // within the screen with a map beside it; the whole panel in the height.
    EXPECT_GE(w.picBox->width(), japaneseWidth);
    EXPECT_LE(w.width(), screen.width());
    EXPECT_LE(w.minimumHeight(), screen.height() - 80);
    expectCaptionsWhole(w);
  }
}
