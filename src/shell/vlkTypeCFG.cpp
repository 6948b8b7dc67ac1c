#include "shell/vlkTypeCFG.h"

#include "shell/IniFile.h"
#include "shell/TextHelpers.h"

namespace vlk {
namespace {

constexpr char kDefaultStarTemplate[] = "【系统】：%S %S(%d) 进入房间";
constexpr char kDefaultBackground[] = "FFFFFF";

} // namespace

TvlkTypeCFG::TvlkTypeCFG(const std::string& appPath) { Load(appPath); }

void TvlkTypeCFG::Load(const std::string& appPath)
{
    const TIniFile ini(appPath + "UserLevel.ini");
    RoleNames.clear();
    RoleTemplates.clear();
    for (auto& [name, value] : ini.ReadSection("UserInRoom")) {
        RoleNames.push_back(name);
        RoleTemplates.push_back(value);
    }
    GiftBackground = ini.ReadString("BGCOLOR", "Gift", kDefaultBackground);
    PubChatBackground = ini.ReadString("BGCOLOR", "PubChat", kDefaultBackground);
    PriChatBackground = ini.ReadString("BGCOLOR", "PriChat", kDefaultBackground);
    WeekStarTemplate = ini.ReadString("Message", "InRoom_WeekStar", kDefaultStarTemplate);
    MonthStarTemplate = ini.ReadString("Message", "InRoom_MonthStar", kDefaultStarTemplate);
}

int TvlkTypeCFG::IndexOfRole(const std::string& name) const
{
    const std::string wanted = Trim(name);
    for (size_t i = 0; i < RoleNames.size(); ++i)
        if (RoleNames[i] == wanted)
            return static_cast<int>(i);
    return -1;
}

std::string TvlkTypeCFG::GetRoleTemplate(int index) const
{
    return index >= 0 && static_cast<size_t>(index) < RoleTemplates.size() ? RoleTemplates[index] : std::string();
}

} // namespace vlk
