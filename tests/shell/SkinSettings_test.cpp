#include "shell/SkinSettings.h"

#include "shell/IniFile.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

using namespace vlk;
using vlk::test::TestDir;

TEST(SkinSettings, LayoutDefaultsAreTheRunningNumbers)
{
    TestDir dir;
    TSkinSettings skins(dir.appPath());
    skins.LoadSkins();
    skins.LoadLoginLayout();
    EXPECT_EQ(skins.SkinIndex, 0);
    EXPECT_TRUE(skins.SkinList.empty());
    for (int i = 0; i < 44; ++i)
        EXPECT_EQ(skins.LoginLayout[i], i);
    EXPECT_EQ(TSkinSettings::LoginLayoutKey(0), "lable_id_left");
    EXPECT_EQ(TSkinSettings::LoginLayoutKey(23), "lable_forgotpwd_height");
    EXPECT_EQ(TSkinSettings::LoginLayoutKey(43), "btn_cancel_height");
    const TLoginRect cancel = skins.LoginRect(TLoginControl::BtnCancel);
    EXPECT_EQ(cancel.left, 40);
    EXPECT_EQ(cancel.height, 43);
}

TEST(SkinSettings, ReadsSkinsAndLayoutAndWritesTheIndexBack)
{
    TestDir dir;
    dir.write("Skin/Skin.ini", "[Set]\nSkinIndex=1\n[Skins]\n蓝色=Blue.qss\n暗夜=Dark.qss\n"
                               "[Login]\nedit_pwd_left=120\nedit_pwd_top=150\nedit_pwd_width=180\nedit_pwd_height=26\n");
    TSkinSettings skins(dir.appPath());
    skins.LoadSkins();
    skins.LoadLoginLayout();
    EXPECT_EQ(skins.SkinIndex, 1);
    ASSERT_EQ(skins.SkinList.size(), 2u);
    EXPECT_EQ(skins.SkinList[0], (std::pair<std::string, std::string>{"蓝色", "Blue.qss"}));
    EXPECT_EQ(skins.SkinList[1].second, "Dark.qss");
    const TLoginRect pwd = skins.LoginRect(TLoginControl::EditPwd);
    EXPECT_EQ(pwd.left, 120);
    EXPECT_EQ(pwd.top, 150);
    EXPECT_EQ(pwd.width, 180);
    EXPECT_EQ(pwd.height, 26);
    EXPECT_EQ(skins.LoginRect(TLoginControl::EditId).left, 8) << "keys that are missing keep their defaults";

    skins.WriteSkinIndex(0);
    EXPECT_EQ(TIniFile(dir.appPath() + "Skin/Skin.ini").ReadInteger("Set", "SkinIndex", -1), 0);
    EXPECT_EQ(TIniFile(dir.appPath() + "Skin/Skin.ini").ReadString("Skins", "暗夜"), "Dark.qss");
}
