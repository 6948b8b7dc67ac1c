#include "shell/vlkChatCFG.h"

#include "base/Gbk.h"
#include "shell/IniFile.h"
#include "shell/LoginInfo.h"
#include "shell/TextCipher.h"
#include "support/TestDir.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <filesystem>

using namespace vlk;
using vlk::test::TestDir;

namespace {

TvlkChatCFG Loaded()
{
    TvlkChatCFG cfg;
    cfg.LoadGlobal();
    cfg.LoadSavePwd();
    return cfg;
}

uint32_t Ip(const char* dotted) { return inet_addr(dotted); }

void InstallModule(const TestDir& dir, const std::filesystem::path& module)
{
    std::filesystem::copy_file(module, dir.path() / "velka_C.key");
}

} // namespace

TEST(vlkChatCFG, MissingFilesGiveTheDefaults)
{
    TestDir dir;
    const TvlkChatCFG cfg = Loaded();
    EXPECT_EQ(cfg.AppPath, dir.appPath());
    EXPECT_EQ(cfg.SiteName, "2012");
    EXPECT_EQ(cfg.ClientID, 0);
    EXPECT_FALSE(cfg.SavePwd);
    EXPECT_EQ(cfg.ForgotPasswordURL, kHomePageURL);
    EXPECT_EQ(cfg.IPLookupURL, "");
    EXPECT_EQ(cfg.ServerCount, 0);
    EXPECT_TRUE(cfg.ServerAddresses.empty());
    EXPECT_EQ(VideoDriverIndex(dir.appPath()), 0);
}

TEST(vlkChatCFG, ReadsConfigSiteAndAvSettings)
{
    TestDir dir;
    dir.write("Config.ini", Utf8ToGbk("[SET]\nSiteName=唯乐社区\n[ServerHall]\nIP=http://ip.example\n"
                                      "rechargestr=http://pay/?u=[UserID]&r=[RoomID]&again=[UserID]\n"
                                      "[HallLoginSet]\nSavePwd=1\n"));
    dir.write("site.ini", "[SET]\nClientID=17\n");
    dir.write("AVSet.ini", "[AVSet]\nVideoDrvIndex=2\n");
    TvlkChatCFG cfg = Loaded();
    EXPECT_EQ(cfg.SiteName, "唯乐社区");
    EXPECT_EQ(cfg.IPLookupURL, "http://ip.example");
    EXPECT_EQ(cfg.ClientID, 17);
    EXPECT_TRUE(cfg.SavePwd);
    EXPECT_EQ(cfg.RechargeAddress(10001, 88), "http://pay/?u=10001&r=88&again=10001");
    EXPECT_EQ(VideoDriverIndex(dir.appPath()), 2);

    cfg.WriteSavePwd(false);
    EXPECT_FALSE(Loaded().SavePwd);
    EXPECT_EQ(Loaded().SiteName, "唯乐社区") << "writing one key keeps the rest of the file";
}

TEST(vlkChatCFG, ServerListModule)
{
    const std::filesystem::path modules = VLK_TEST_MODULE_DIR;
    {
        TestDir dir;
        InstallModule(dir, std::filesystem::path(VLK_BIN_DIR) / "velka_C.key");
        const TvlkChatCFG cfg = Loaded();
        EXPECT_EQ(cfg.ServerCount, 1);
        EXPECT_EQ(cfg.ServerAddresses, (std::vector<uint32_t>{Ip("127.0.0.1")}));
    }
    {
        TestDir dir;   // host name, dotted address and two damaged entries, which give address 0
        InstallModule(dir, modules / "mixed/velka_C.key");
        const TvlkChatCFG cfg = Loaded();
        EXPECT_EQ(cfg.ServerCount, 4);
        EXPECT_EQ(cfg.ServerAddresses, (std::vector<uint32_t>{Ip("127.0.0.5"), Ip("127.0.0.1"), 0, 0}));
    }
    {
        TestDir dir;   // seven entries: only six fit
        InstallModule(dir, modules / "seven/velka_C.key");
        const TvlkChatCFG cfg = Loaded();
        EXPECT_EQ(cfg.ServerCount, 6);
        ASSERT_EQ(cfg.ServerAddresses.size(), 6u);
        EXPECT_EQ(cfg.ServerAddresses.back(), Ip("1.1.1.6"));
    }
    for (const char* broken : {"noexport", "not-a-module"}) {
        TestDir dir;
        if (std::string(broken) == "noexport")
            InstallModule(dir, modules / "noexport/velka_C.key");
        else
            dir.write("velka_C.key", "this is not a shared object");
        const TvlkChatCFG cfg = Loaded();
        EXPECT_EQ(cfg.ServerCount, 0) << broken;
        EXPECT_TRUE(cfg.ServerAddresses.empty()) << broken;
    }
}

TEST(vlkChatCFG, StoredPasswordRoundTripsThroughThePerUserFolder)
{
    TestDir dir;
    TvlkChatCFG cfg = Loaded();
    cfg.LoadUserPassword(10001);
    EXPECT_EQ(cfg.StoredPassword, "");

    cfg.SaveUserPassword(10001, "我的 password");
    EXPECT_EQ(cfg.CurrentUserID, 10001);
    EXPECT_TRUE(dir.exists("10001/Config.ini"));
    EXPECT_EQ(dir.read("10001/Config.ini").find("password"), std::string::npos) << "never in clear";
    cfg.StoredPassword.clear();
    cfg.LoadUserPassword(10001);
    EXPECT_EQ(cfg.StoredPassword, "我的 password");

    cfg.SaveUserPassword(10001, "");
    cfg.LoadUserPassword(10001);
    EXPECT_EQ(cfg.StoredPassword, "");
    EXPECT_EQ(TIniFile(dir.appPath() + "10001/Config.ini").ReadString("Set", "UserPwd", "x"), "");
}

TEST(vlkChatCFG, UserSettingsAreWrittenOnlyWhenTheFolderExists)
{
    TestDir dir;
    TvlkChatCFG cfg = Loaded();

    cfg.CurrentUserID = 0;   // a guest: memory only
    cfg.SetShortGiftCount(9);
    EXPECT_EQ(cfg.ShortGiftCount, 9);
    EXPECT_FALSE(dir.exists("0"));

    cfg.CurrentUserID = 555;   // no folder yet: memory only, and no room layout
    cfg.SetShortGiftID(3);
    cfg.SetRoomLayout(true);
    EXPECT_EQ(cfg.ShortGiftID, 3);
    EXPECT_FALSE(cfg.RoomLayout);
    EXPECT_FALSE(dir.exists("555"));

    cfg.SaveUserPassword(555, "pw");
    cfg.SetRoomLayout(false);
    cfg.SetShortGiftID(12);
    cfg.SetShortGiftCount(99);
    TvlkChatCFG again = Loaded();
    again.CurrentUserID = 555;
    again.LoadUserSettings();
    EXPECT_FALSE(again.RoomLayout);
    EXPECT_EQ(again.ShortGiftID, 12);
    EXPECT_EQ(again.ShortGiftCount, 99);

    cfg.SetRoomLayout(true);
    again.LoadUserSettings();
    EXPECT_TRUE(again.RoomLayout);
}

TEST(vlkChatCFG, SavingALogInRemembersOnlyWhenAsked)
{
    TestDir dir;
    TvlkChatCFG cfg = Loaded();
    cfg.RememberPassword = true;
    cfg.PlainPassword = "secret";
    cfg.SaveLogin(20002);
    cfg.LoadUserPassword(20002);
    EXPECT_EQ(cfg.StoredPassword, "secret");
    EXPECT_TRUE(cfg.RoomLayout);
    EXPECT_EQ(ReadLoginIDs(dir.appPath()), (std::vector<std::string>{"20002"}));

    cfg.RememberPassword = false;
    cfg.SaveLogin(20002);
    cfg.LoadUserPassword(20002);
    EXPECT_EQ(cfg.StoredPassword, "");

    cfg.CurrentUserID = 0;
    cfg.SaveLogin(0);   // a guest leaves no trace
    EXPECT_FALSE(dir.exists("0"));
    EXPECT_EQ(ReadLoginIDs(dir.appPath()), (std::vector<std::string>{"20002"}));
}
