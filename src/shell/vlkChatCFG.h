#pragma once
// The configuration object: program directory, web addresses, site settings, the hall server list
// and the settings of the user in the per-user folder.
#include <cstdint>
#include <string>
#include <vector>

namespace vlk {

// The community's home page: the default of the web addresses a site leaves out.
inline constexpr char kHomePageURL[] = "http://www.vlkchat.com/";

class TvlkChatCFG {
public:
    std::string AppPath;
    int32_t CurrentUserID = 0;
    int32_t ClientID = 0;
    bool RoomLayout = true;
    int32_t ShortGiftCount = 1;
    int32_t ShortGiftID = 0;
    std::string SiteName = "2012";
    std::string ForgotPasswordURL = kHomePageURL;
    std::string HelpURL = kHomePageURL;
    std::string IPLookupURL;
    std::string RechargeURL = kHomePageURL;
    bool StartedFromCommandLine = false;
    bool RememberPassword = false;
    std::string PlainPassword;
    int32_t ServerCount = 0;
    std::vector<uint32_t> ServerAddresses;
    int32_t MediaValue = 0;
    std::string GetMoneyURL = kHomePageURL;
    std::string OpinionURL = kHomePageURL;
    std::string ChatFilter;
    std::string SecondHallURL;
    std::string HallNotice;
    bool SavePwd = false;
    std::string StoredPassword;
    std::string LogoutAdv;

    // AppPath, server list, Config.ini and site.ini.
    void LoadGlobal();
    void LoadSavePwd();
    void WriteSavePwd(bool on);

    // The per-user folder "<AppPath><user>/", and its settings file.
    std::string UserFolder(int32_t userId) const;
    bool UserFolderExists(int32_t userId) const;
    void SaveUserPassword(int32_t userId, const std::string& clearPassword);
    void LoadUserPassword(int32_t userId);
    void LoadUserSettings();
    void SetRoomLayout(bool on);
    void SetShortGiftCount(int32_t count);
    void SetShortGiftID(int32_t id);

    // What the hall does once its log-in succeeds: recent numbers, the remembered password, settings.
    void SaveLogin(int32_t userId);

    // RechargeURL with "[UserID]" and "[RoomID]" filled in.
    std::string RechargeAddress(int32_t userId, int32_t roomId) const;

private:
    std::string UserConfigPath() const;
    bool CurrentUserFolderExists() const;
};

// AVSet.ini [AVSet] VideoDrvIndex: the camera to capture from.
int32_t VideoDriverIndex(const std::string& appPath);

} // namespace vlk
