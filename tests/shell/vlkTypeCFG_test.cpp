#include "shell/vlkTypeCFG.h"

#include "base/Gbk.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

using namespace vlk;
using vlk::test::TestDir;

TEST(vlkTypeCFG, RolesInFileOrderAndDefaults)
{
    TestDir dir;
    {
        const TvlkTypeCFG empty(dir.appPath());
        EXPECT_TRUE(empty.RoleNames.empty());
        EXPECT_EQ(empty.IndexOfRole("管理员"), -1);
        EXPECT_EQ(empty.GetRoleTemplate(0), "");
        EXPECT_EQ(empty.WeekStarTemplate, "【系统】：%S %S(%d) 进入房间");
        EXPECT_EQ(empty.MonthStarTemplate, "【系统】：%S %S(%d) 进入房间");
        EXPECT_EQ(empty.GiftBackground, "FFFFFF");
        EXPECT_EQ(empty.PriChatBackground, "FFFFFF");
    }
    dir.write("UserLevel.ini", Utf8ToGbk("[UserInRoom]\n游客=[USER]来了\n管理员=[ROLEGIF][ROLE] [USER]\n"
                                         "[BGCOLOR]\nGift=FFEEDD\n[Message]\nInRoom_WeekStar=周星 %S\n"));
    const TvlkTypeCFG cfg(dir.appPath());
    EXPECT_EQ(cfg.RoleNames, (std::vector<std::string>{"游客", "管理员"}));
    EXPECT_EQ(cfg.IndexOfRole(" 管理员 "), 1);
    EXPECT_EQ(cfg.IndexOfRole("管理"), -1);
    EXPECT_EQ(cfg.GetRoleTemplate(0), "[USER]来了");
    EXPECT_EQ(cfg.GetRoleTemplate(2), "");
    EXPECT_EQ(cfg.GetRoleTemplate(-1), "");
    EXPECT_EQ(cfg.GiftBackground, "FFEEDD");
    EXPECT_EQ(cfg.PubChatBackground, "FFFFFF");
    EXPECT_EQ(cfg.WeekStarTemplate, "周星 %S");
}
