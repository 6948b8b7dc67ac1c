#pragma once
// UserLevel.ini: how each role or level is announced when it enters a room, the star announcements
// and the background colours of gift and chat lines.
#include <string>
#include <vector>

namespace vlk {

class TvlkTypeCFG {
public:
    explicit TvlkTypeCFG(const std::string& appPath);

    void Load(const std::string& appPath);
    // Index of the trimmed name among the role names (exact match), -1 when absent.
    int IndexOfRole(const std::string& name) const;
    std::string GetRoleTemplate(int index) const;

    std::vector<std::string> RoleNames;
    std::vector<std::string> RoleTemplates;
    std::string WeekStarTemplate;
    std::string MonthStarTemplate;
    std::string GiftBackground;
    std::string PubChatBackground;
    std::string PriChatBackground;
};

// Used when a role has no entry of its own.
inline constexpr char kDefaultRoleTemplate[] = "[ROLEGIF][ROLE] [USER] [STEALTH]进入房间！";

} // namespace vlk
