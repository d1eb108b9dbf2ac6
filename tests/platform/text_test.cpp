#include <gtest/gtest.h>

#include "platform/display_text.h"
#include "platform/text.h"
#include "platform/toolkit/life_cycle.h"

TEST(JoinText, JoinsPartsInOrderAndCountsEmptyPartsAsNothing) {
  EXPECT_EQ(JoinText({"D:", "\\", "歌.mp3"}), "D:\\歌.mp3");
  EXPECT_EQ(JoinText({"", "\\*.mp3"}), "\\*.mp3");
  EXPECT_EQ(JoinText({"", ""}), "");
  std::string with_nul("a\0b", 3);
  EXPECT_EQ(JoinText({with_nul, "c"}).size(), 4u);
}

TEST(CompareText, OrdersBytesAsUnsigned) {
  struct Case {
    std::string a, b;
    int expected;
  } cases[] = {
      {"", "", 0}, {"a", "", 1}, {"", "a", -1}, {"abc", "abd", -1}, {"\xC2\xB7", "a", 1}, {"目录", "目录", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CompareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

TEST(FatalErrorText, BuildsTheRunTimeErrorBoxText) {
  struct Case {
    std::string message;
    int code;
    std::string expected;
  } cases[] = {
      {"", 0, "运行时出错!\r\n\r\n"},
      {"载入启动窗口失败", 0, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
      {"", -7, "运行时出错!\r\n\r\n错误代码：-7\r\n\r\n"},
      {"x", 42, "运行时出错!\r\n\r\n错误代码：42\r\n\r\n错误信息：x\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(FatalErrorText(c.message, c.code), c.expected);
}

TEST(DisplayText, ShowsUtf8AsIsGbkDecodedAndBrokenBytesReplaced) {
  EXPECT_EQ(DisplayText("歌曲.mp3"), QStringLiteral("歌曲.mp3"));
  // "歌曲" in GBK, as names from Windows archives often are.
  EXPECT_EQ(DisplayText("\xB8\xE8\xC7\xFA.mp3"), QStringLiteral("歌曲.mp3"));
  QString broken = DisplayText("a\xFF\xFE" "b");
  EXPECT_TRUE(broken.startsWith('a'));
  EXPECT_TRUE(broken.endsWith('b'));
  EXPECT_TRUE(broken.contains(QChar::ReplacementCharacter));
}
