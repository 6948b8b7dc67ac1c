#pragma once
// Skin\Skin.ini: the selected skin, the skin list (name=file under Skin/) and the login dialog's
// layout, four integers (left, top, width, height) for each of its eleven controls.
#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vlk {

enum class TLoginControl {
    LabelId, LabelPwd, EditId, EditPwd, LabelDel, LabelForgotPwd, CheckPwd, LabelRegister,
    BtnTourist, BtnLogin, BtnCancel
};
inline constexpr int kLoginControlCount = 11;

struct TLoginRect {
    int left, top, width, height;
};

class TSkinSettings {
public:
    explicit TSkinSettings(std::string appPath);

    // Reads [Set] SkinIndex and [Skins].
    void LoadSkins();
    // Reads the 44 [Login] integers; each missing one defaults to its own position in the list.
    void LoadLoginLayout();
    void WriteSkinIndex(int index);

    std::string SkinFolder() const { return appPath_ + "Skin/"; }
    std::string FrameSkinFile() const { return SkinFolder() + "frame.skn"; }

    int SkinIndex = 0;
    std::vector<std::pair<std::string, std::string>> SkinList;   // name, file relative to Skin/
    std::array<int, kLoginControlCount * 4> LoginLayout{};

    TLoginRect LoginRect(TLoginControl control) const;
    // The [Login] key of layout value i, e.g. "lable_id_left".
    static std::string LoginLayoutKey(int i);

private:
    std::string IniPath() const { return SkinFolder() + "Skin.ini"; }
    std::string appPath_;
};

} // namespace vlk
