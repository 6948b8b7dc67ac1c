// The chat view's line limit: full views are emptied before the next line, never trimmed.
#include "chat/ChatLineLimit.h"

#include <gtest/gtest.h>

namespace vlk {
namespace {

TEST(ChatLineLimit, EmptiesBeforeTheLineAfterTheLimit)
{
    TChatLineLimit limit(150);
    for (int line = 1; line <= 150; ++line)
        ASSERT_FALSE(limit.Append()) << line;
    EXPECT_TRUE(limit.Append());  // the 151st is then the only line
    for (int line = 2; line <= 150; ++line)
        ASSERT_FALSE(limit.Append()) << line;
    EXPECT_TRUE(limit.Append());
}

TEST(ChatLineLimit, ClearingStartsAgainAndZeroMeansNoLimit)
{
    TChatLineLimit limit(2);
    limit.Append();
    limit.Append();
    limit.Clear();
    EXPECT_FALSE(limit.Append());
    EXPECT_FALSE(limit.Append());
    EXPECT_TRUE(limit.Append());

    TChatLineLimit unlimited(0);
    for (int line = 0; line < 70000; ++line)  // past the 16-bit counter
        ASSERT_FALSE(unlimited.Append()) << line;
    unlimited.SetMaxRow(10);
    EXPECT_TRUE(unlimited.Append());
}

} // namespace
} // namespace vlk
