#include "shell/vlkChatCFG.h"

#include "base/Gbk.h"
#include "shell/AppPath.h"
#include "shell/IniFile.h"
#include "shell/LoginInfo.h"
#include "shell/ServerList.h"
#include "shell/TextCipher.h"
#include "shell/TextHelpers.h"

#include <filesystem>

namespace vlk {
namespace {

const std::string kUserSection = "Set";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

void TvlkChatCFG::LoadGlobal()
{
    AppPath = vlk::AppPath();
    const TServerList servers = LoadServerList(AppPath);
    ServerCount = servers.ServerCount;
    ServerAddresses = servers.ServerAddresses;

    const TIniFile config(AppPath + "Config.ini");
    SiteName = config.ReadString("SET", "SiteName", "2012");
    HallNotice = config.ReadString("ServerHall", "HallNotice", "");
    GetMoneyURL = config.ReadString("ServerHall", "GetMoney", kHomePageURL);
    OpinionURL = config.ReadString("ServerHall", "OpinionIndict", kHomePageURL);
    RechargeURL = config.ReadString("ServerHall", "rechargestr", kHomePageURL);
    IPLookupURL = config.ReadString("ServerHall", "IP", "");
    HelpURL = config.ReadString("ServerHall", "help", kHomePageURL);
    ForgotPasswordURL = config.ReadString("ServerHall", "ForgotPassword", kHomePageURL);
    LogoutAdv = config.ReadString("ServerHall", "LogoutAdv", "");

    ClientID = TIniFile(AppPath + "site.ini").ReadInteger("SET", "ClientID", 0);
    MediaValue = 0;
}

void TvlkChatCFG::LoadSavePwd()
{
    SavePwd = TIniFile(AppPath + "Config.ini").ReadBool("HallLoginSet", "SavePwd", false);
}

void TvlkChatCFG::WriteSavePwd(bool on)
{
    SavePwd = on;
    TIniFile(AppPath + "Config.ini").WriteBool("HallLoginSet", "SavePwd", on);
}

std::string TvlkChatCFG::UserFolder(int32_t userId) const
{
    return AppPath + std::to_string(userId) + "/";
}

bool TvlkChatCFG::UserFolderExists(int32_t userId) const
{
    std::error_code ec;
    return std::filesystem::is_directory(UserFolder(userId), ec);
}

bool TvlkChatCFG::CurrentUserFolderExists() const
{
    return CurrentUserID != 0 && UserFolderExists(CurrentUserID);
}

std::string TvlkChatCFG::UserConfigPath() const
{
    return UserFolder(CurrentUserID) + "Config.ini";
}

void TvlkChatCFG::SaveUserPassword(int32_t userId, const std::string& clearPassword)
{
    CurrentUserID = userId;
    std::error_code ec;
    std::filesystem::create_directories(UserFolder(userId), ec);
    TIniFile(UserConfigPath()).WriteString(kUserSection, "UserPwd", EncodeStoredPassword(Utf8ToGbk(clearPassword)));
}

void TvlkChatCFG::LoadUserPassword(int32_t userId)
{
    StoredPassword.clear();
    if (!UserFolderExists(userId))
        return;
    const TIniFile ini(UserFolder(userId) + "Config.ini");
    StoredPassword = Trim(GbkToUtf8(DecodeStoredPassword(ini.ReadString(kUserSection, "UserPwd"))));
}

void TvlkChatCFG::LoadUserSettings()
{
    if (!UserFolderExists(CurrentUserID)) {
        RoomLayout = false;
        return;
    }
    if (CurrentUserID == 0)
        return;
    const TIniFile ini(UserConfigPath());
    RoomLayout = ini.ReadInteger(kUserSection, "RoomLayout", 1) != 0;
    ShortGiftID = ini.ReadInteger(kUserSection, "ShortGiftID", 0);
    ShortGiftCount = ini.ReadInteger(kUserSection, "ShortGiftCount", 1);
}

void TvlkChatCFG::SetRoomLayout(bool on)
{
    RoomLayout = on;
    if (CurrentUserFolderExists())
        TIniFile(UserConfigPath()).WriteInteger(kUserSection, "RoomLayout", on ? 1 : 0);
    else if (!UserFolderExists(CurrentUserID))
        RoomLayout = false;
}

void TvlkChatCFG::SetShortGiftCount(int32_t count)
{
    ShortGiftCount = count;
    if (CurrentUserFolderExists())
        TIniFile(UserConfigPath()).WriteInteger(kUserSection, "ShortGiftCount", count);
}

void TvlkChatCFG::SetShortGiftID(int32_t id)
{
    ShortGiftID = id;
    if (CurrentUserFolderExists())
        TIniFile(UserConfigPath()).WriteInteger(kUserSection, "ShortGiftID", id);
}

void TvlkChatCFG::SaveLogin(int32_t userId)
{
    if (userId != 0) {
        SaveLoginID(AppPath, std::to_string(userId));
        SaveUserPassword(userId, RememberPassword ? PlainPassword : std::string());
    }
    LoadUserSettings();
}

std::string TvlkChatCFG::RechargeAddress(int32_t userId, int32_t roomId) const
{
    return ReplaceAll(ReplaceAll(RechargeURL, "[UserID]", std::to_string(userId)), "[RoomID]", std::to_string(roomId));
}

int32_t VideoDriverIndex(const std::string& appPath)
{
    return TIniFile(appPath + "AVSet.ini").ReadInteger("AVSet", "VideoDrvIndex", 0);
}

} // namespace vlk
