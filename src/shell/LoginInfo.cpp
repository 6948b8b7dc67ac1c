#include "shell/LoginInfo.h"

#include "shell/IniFile.h"
#include "shell/TextHelpers.h"

namespace vlk {
namespace {

const std::string kSection = "LoginID";

std::string FilePath(const std::string& appPath) { return appPath + "LoginInfo.dat"; }

} // namespace

std::vector<std::string> ReadLoginIDs(const std::string& appPath)
{
    std::vector<std::string> ids;
    TIniFile ini(FilePath(appPath));
    for (int i = 0; i < kMaxLoginIDs; ++i) {
        std::string value = ini.ReadString(kSection, std::to_string(i));
        if (!Trim(value).empty())
            ids.push_back(std::move(value));
    }
    return ids;
}

void SaveLoginID(const std::string& appPath, const std::string& userId)
{
    const auto old = ReadLoginIDs(appPath);
    TIniFile ini(FilePath(appPath));
    // Rewritten whole, so no stale key can bring back an entry that moved.
    ini.EraseSection(kSection);
    ini.WriteString(kSection, "0", userId);
    int key = 1;
    for (const auto& id : old) {
        if (key >= kMaxLoginIDs)
            break;
        if (id != userId)
            ini.WriteString(kSection, std::to_string(key++), id);
    }
}

bool DeleteLoginID(const std::string& appPath, const std::string& userId)
{
    TIniFile ini(FilePath(appPath));
    const std::string wanted = Trim(userId);
    for (int i = 0; i < kMaxLoginIDs; ++i) {
        const std::string key = std::to_string(i);
        if (ini.ValueExists(kSection, key) && Trim(ini.ReadString(kSection, key)) == wanted) {
            ini.DeleteKey(kSection, key);
            return true;
        }
    }
    return false;
}

} // namespace vlk
