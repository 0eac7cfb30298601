// Keystrokes of the list's incremental search accumulate until a pause of over two seconds.
#include "search/IncrementalSearch.h"

#include <gtest/gtest.h>

TEST(IncrementalSearch, KeysAccumulateUntilAPauseLongerThanTheInterval) {
  TIncrementalSearch typed;
  EXPECT_EQ(typed.Feed(QStringLiteral("o"), 100), QStringLiteral("o"));
  EXPECT_TRUE(typed.StartedAfresh());
  EXPECT_EQ(typed.Feed(QStringLiteral("r"), 2100), QStringLiteral("or"));
  EXPECT_FALSE(typed.StartedAfresh());
  EXPECT_EQ(typed.Feed(QStringLiteral("a"), 4101), QStringLiteral("a"));
  EXPECT_TRUE(typed.StartedAfresh());
}
