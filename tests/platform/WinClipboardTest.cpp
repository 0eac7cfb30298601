// Windows only: the detail text reaches other programs as written, with single LFs, its
// 8-bit form in the ANSI code page (1252 under wine's default locale) and placed first.
#include "platform/win/Clipboard.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/AnsiText.h"
#include "tests/support/win/ClipboardContents.h"

namespace {

TEST(WinClipboardTest, PutsTheAnsiFormFirstAndKeepsSingleLineFeeds) {
  if (GetACP() != 1252) {
    GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
  }
  ASSERT_TRUE(ReadClipboard().Opened) << "the clipboard cannot be opened";
  const std::u16string text = u"ORA-00942\n\u00e9t\u00e9 \u20ac\r\nline\n\u0416 \U0001F600\n";
  ASSERT_TRUE(Platform::WriteClipboardText(text));
  const TClipboardContents contents = ReadClipboard();
  ASSERT_GE(contents.Formats.size(), 2u);
  EXPECT_EQ(contents.Formats[0], static_cast<UINT>(CF_TEXT));
  EXPECT_EQ(contents.Formats[1], static_cast<UINT>(CF_UNICODETEXT));
  EXPECT_EQ(contents.UnicodeText, text);
  // The code page lacks the Cyrillic letter and the emoji: only the 8-bit form loses them.
  EXPECT_EQ(contents.Text.substr(0, 22), "ORA-00942\n\xe9t\xe9 \x80\r\nline\n");
  EXPECT_EQ(contents.Text, Platform::WideToAnsi(text));

  // An empty text still replaces what was there.
  ASSERT_TRUE(Platform::WriteClipboardText(u""));
  EXPECT_EQ(ReadClipboard().UnicodeText, u"");
}

}  // namespace
