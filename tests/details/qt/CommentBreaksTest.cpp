// A comment goes through the editor's document, where every break is one paragraph
// separator; the breaks the user did not touch must come back as they were stored.

#include <gtest/gtest.h>

#include "details/CommentBreaks.h"

namespace {

constexpr char16_t kPara = u'\u2029';

QString Text(const char16_t* text) {
  return QString::fromUtf16(text);
}

TEST(CommentBreaksTest, UnchangedCommentsComeBackAsStored) {
  for (const char16_t* stored :
       {u"", u"one line", u"a\u00A0b\r\nc\u2028d\re\u2029f\n", u"\r\n\r\n", u"\r\r\n\n\r",
        u"tab\there \U0001F4E6 \U0002000B", u"frame\uFDD0marks\uFDD1", u"ends in CR\r"}) {
    const QString comment = Text(stored);
    EXPECT_EQ(CommentFromParagraphs(comment, CommentAsParagraphs(comment)), comment)
        << comment.toStdString();
  }
}

TEST(CommentBreaksTest, EditsKeepTheBreaksAroundThem) {
  struct TCase {
    const char* What;
    const char16_t* Stored;
    const char16_t* Edited;  // the document's raw text after the edit
    const char16_t* Saved;
  };
  const TCase cases[] = {
      {"typed within a line", u"a\r\nb\rc\nd", u"a\u2029bX\u2029c\u2029d", u"a\r\nbX\rc\nd"},
      {"each line changed in place", u"ab\r\ncd\ref", u"aB\u2029Cd\u2029eF", u"aB\r\nCd\reF"},
      {"a line added takes the usual break", u"a\r\nb\nc\r\nd", u"a\u2029b\u2029new\u2029c\u2029d",
       u"a\r\nb\nnew\r\nc\r\nd"},
      {"a line removed", u"x\ry\r\nz\nw", u"x\u2029z\u2029w", u"x\rz\nw"},
      {"a first break is LF", u"one line", u"one\u2029line", u"one\nline"},
      {"no-break spaces and line separators stay", u"a\u00A0b\r\nc\u2028d",
       u"a\u00A0b\u2029c\u2028d!", u"a\u00A0b\r\nc\u2028d!"},
      {"everything replaced", u"old\r\ntext", u"new", u"new"},
      {"everything deleted", u"old\r\ntext", u"", u""},
      {"a break added at the end", u"a\rb", u"a\u2029b\u2029", u"a\rb\r"},
      {"a break added at the start", u"a\rb", u"\u2029a\u2029b", u"\ra\rb"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(CommentFromParagraphs(Text(c.Stored), Text(c.Edited)), Text(c.Saved)) << c.What;
  }
}

TEST(CommentBreaksTest, TheDocumentSeesEachKindOfBreakAsOneParagraph) {
  EXPECT_EQ(CommentAsParagraphs(Text(u"a\r\nb\rc\nd\u2029e\u2028f")),
            Text(u"a\u2029b\u2029c\u2029d\u2029e\u2028f"));
  EXPECT_EQ(CommentAsParagraphs(Text(u"\r\n")), QString(QChar(kPara)));
}

}  // namespace
