// SPDX-License-Identifier: MIT
// The help wraps Japanese, which has no blanks between words, as a terminal
// shows it: lines within the width (wide characters count two columns),
// broken between characters but never before a closing mark or a pause nor
// after an opening mark; English keeps breaking at blanks only.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/HelpText.h"

using namespace kavalo;

namespace {

int columns(const QString& line) {
  int n = 0;
  for (QChar c : line) n += c.unicode() >= 0x3000 ? 2 : 1;
  return n;
}

}  // namespace

TEST(HelpText, ParagraphsWrapWithinTheWidthInEitherScript) {
  struct Case {
    const char* text;
    int width;
    int indent;
  } cases[] = {
      {"データフォルダを画面と同じように読み込み、画面なしで処理します。読み込んだ内容の表示、表示の画像への合成、"
       "マウス位置の情報表示の読み取り、出力と印刷ができます。",
       40, 0},
      {"--verbose（コマンドの前でも後でも可）でログのメッセージを出します。終了ステータス：0 はコマンドが仕事を終えた"
       "とき。1 は仕事に失敗したとき（標準エラー出力に理由が出ます）。",
       30, 6},
      {"「付属地形図取得」と fetch-packages で使われます。ミラーは http://host/kavalo/ です。", 24, 2},
      {"Loads a data folder exactly as the window does and works on it without a display.", 30, 2},
  };
  for (const Case& c : cases) {
    const QString text = QString::fromUtf8(c.text);
    SCOPED_TRACE(c.text);
    const QString wrapped = wrapParagraphs(text, c.width, c.indent);
    QStringList lines = wrapped.split(u'\n');
    ASSERT_EQ(lines.takeLast(), QString());  // every line ends with a line feed
    ASSERT_GT(lines.size(), 1);
    QString joined;
    for (const QString& line : lines) {
      EXPECT_LE(columns(line), c.width) << line.toStdString();
      ASSERT_TRUE(line.startsWith(QString(c.indent, u' ')));
      const QString body = line.mid(c.indent);
      EXPECT_FALSE(body.startsWith(u' ') || body.endsWith(u' ')) << line.toStdString();
      for (QChar mark : QStringLiteral("、。）」：")) EXPECT_FALSE(body.startsWith(mark)) << line.toStdString();
      for (QChar mark : QStringLiteral("（「")) EXPECT_FALSE(body.endsWith(mark)) << line.toStdString();
      joined += body;
    }
    // Nothing lost, nothing added but line breaks for blanks.
    EXPECT_EQ(joined.remove(u' '), QString(text).remove(u' '));
  }
}

TEST(HelpText, EnglishBreaksOnlyAtBlanks) {
  // A word longer than the line stands alone rather than being cut.
  EXPECT_EQ(wrapParagraphs(QStringLiteral("see kavalo://view?dataset=FOLDER&era=FOLDER for it"), 20, 0),
            QStringLiteral("see\nkavalo://view?dataset=FOLDER&era=FOLDER\nfor it\n"));
  // Paragraphs stay apart; an indented one is kept line by line.
  EXPECT_EQ(wrapParagraphs(QStringLiteral("one two three\n\n  kept  as\n  it is"), 9, 2),
            QStringLiteral("  one two\n  three\n\n    kept  as\n    it is\n"));
}

// roff breaks lines only at blanks: a Japanese page carries break points
// where a line may end and is set flush left; English breaks at its blanks
// and in a link.
TEST(HelpText, AJapaneseManualPageMayBreakBetweenCharacters) {
  const auto page = [](const char* summary, const char* text) {
    HelpDocument doc;
    doc.name = QStringLiteral("kavalo");
    doc.summary = QString::fromUtf8(summary);
    doc.sections.push_back({QStringLiteral("DESCRIPTION"), QString(), {{QString(), QString::fromUtf8(text), false}}});
    return manPageText(doc);
  };
  const QString ja = page("地形図を見比べる", "時期を選びます（既定）。--lang で決まります。");
  EXPECT_TRUE(ja.contains(QStringLiteral("\n.ad l\n")));
  EXPECT_TRUE(ja.contains(QStringLiteral("時\\:期\\:を\\:選\\:び\\:ま\\:す\\:（既\\:定）。\\:\\-\\-lang で\\:決")))
      << ja.toStdString();
  const QString en = page("compare maps", "Choose an era (by default) with --lang.\n\nOpen kavalo://view?a=1&b=2 now.");
  EXPECT_FALSE(en.contains(QStringLiteral(".ad")));
  EXPECT_TRUE(en.contains(QStringLiteral("Choose an era (by default) with \\-\\-lang.\n")));
  // A link wider than a line may break after its ? and &.
  EXPECT_TRUE(en.contains(QStringLiteral("Open kavalo://view?\\:a=1&\\:b=2 now.\n")));
}
