#include "shell/IniFile.h"

#include "base/Gbk.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

using namespace vlk;
using vlk::test::TestDir;

TEST(IniFile, ReadsGbkAndUtf8FilesCaseInsensitively)
{
    TestDir dir;
    dir.write("gbk.ini", Utf8ToGbk("[SET]\r\nSiteName = 音乐社区 \r\nCount=12\r\nBad=12x\r\n"));
    dir.write("utf8.ini", "\xEF\xBB\xBF[set]\nsitename=音乐社区\n");
    for (const char* name : {"gbk.ini", "utf8.ini"}) {
        const TIniFile ini(dir.appPath() + name);
        EXPECT_EQ(ini.ReadString("set", "SITENAME"), "音乐社区") << name;
    }
    const TIniFile ini(dir.appPath() + "gbk.ini");
    EXPECT_EQ(ini.ReadInteger("SET", "Count", 0), 12);
    EXPECT_EQ(ini.ReadInteger("SET", "Bad", 7), 7) << "a value that is not a number gives the default";
    EXPECT_EQ(ini.ReadInteger("SET", "Missing", -3), -3);
    EXPECT_EQ(ini.ReadString("Nowhere", "Key", "def"), "def");
    const TIniFile missing(dir.appPath() + "missing.ini");
    EXPECT_TRUE(missing.ReadBool("A", "B", true));
    EXPECT_TRUE(missing.ReadSection("A").empty());
}

TEST(IniFile, WritesGoToDiskAtOnceAsGbkAndKeepOrder)
{
    TestDir dir;
    dir.write("a.ini", "[UserInRoom]\nzeta=1\nalpha=2\nmid=3\n");
    {
        TIniFile ini(dir.appPath() + "a.ini");
        EXPECT_TRUE(ini.WriteString("UserInRoom", "新角色", "进入房间！"));
        EXPECT_TRUE(ini.DeleteKey("UserInRoom", "ALPHA"));
        EXPECT_TRUE(ini.WriteBool("Other", "On", true));
    }
    const std::string bytes = dir.read("a.ini");
    EXPECT_NE(bytes.find(Utf8ToGbk("新角色")), std::string::npos);
    EXPECT_FALSE(IsValidUtf8(bytes));

    const TIniFile ini(dir.appPath() + "a.ini");
    const auto section = ini.ReadSection("UserInRoom");
    ASSERT_EQ(section.size(), 3u);
    EXPECT_EQ(section[0].first, "zeta");
    EXPECT_EQ(section[1].first, "mid");
    EXPECT_EQ(section[2].first, "新角色");
    EXPECT_EQ(section[2].second, "进入房间！");
    EXPECT_TRUE(ini.ReadBool("Other", "On", false));

    TIniFile unwritable(dir.appPath() + "no-folder/x.ini");
    EXPECT_FALSE(unwritable.WriteString("A", "B", "C"));
}
