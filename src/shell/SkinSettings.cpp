#include "shell/SkinSettings.h"

#include "shell/IniFile.h"

namespace vlk {
namespace {

constexpr std::array<std::string_view, kLoginControlCount> kControlPrefixes{
    "lable_id_", "lable_pwd_", "edit_id_", "edit_pwd_", "lable_del_", "lable_forgotpwd_",
    "check_pwd_", "lable_register_", "btn_tourist_", "btn_login_", "btn_cancel_"};
constexpr std::array<std::string_view, 4> kEdges{"left", "top", "width", "height"};

} // namespace

TSkinSettings::TSkinSettings(std::string appPath) : appPath_(std::move(appPath)) {}

void TSkinSettings::LoadSkins()
{
    const TIniFile ini(IniPath());
    SkinIndex = ini.ReadInteger("Set", "SkinIndex", 0);
    SkinList = ini.ReadSection("Skins");
}

void TSkinSettings::LoadLoginLayout()
{
    const TIniFile ini(IniPath());
    for (int i = 0; i < static_cast<int>(LoginLayout.size()); ++i)
        LoginLayout[i] = ini.ReadInteger("Login", LoginLayoutKey(i), i);
}

void TSkinSettings::WriteSkinIndex(int index)
{
    SkinIndex = index;
    TIniFile(IniPath()).WriteInteger("Set", "SkinIndex", index);
}

std::string TSkinSettings::LoginLayoutKey(int i)
{
    return std::string(kControlPrefixes[i / 4]) + std::string(kEdges[i % 4]);
}

TLoginRect TSkinSettings::LoginRect(TLoginControl control) const
{
    const int base = static_cast<int>(control) * 4;
    return {LoginLayout[base], LoginLayout[base + 1], LoginLayout[base + 2], LoginLayout[base + 3]};
}

} // namespace vlk
