#pragma once
// The skin data module: the skins as Qt style sheets, the frame skin for embedded panels and the
// login dialog's layout. It maps the style sheets' "app:" picture paths to the program directory.
#include "shell/SkinSettings.h"

#include <QRect>
#include <QString>
#include <QStringList>

namespace vlk {

class TGlobalDM {
public:
    explicit TGlobalDM(const std::string& appPath);

    QString Path_App() const { return pathApp_; }
    int SkinIndex() const { return current_; }
    // Applies the skin and stores the choice in Skin.ini.
    void SetSkinIndex(int index);
    QStringList SkinList() const;

    // The style sheet of every skin, in list order (empty for one that could not be read).
    const QStringList& CSkinList() const { return skinSheets_; }
    QString CSkinData() const;
    const QString& FrameSkin() const { return frameSkin_; }

    QRect LoginRect(TLoginControl control) const;

private:
    void LoadSkins();
    void Select(int index);

    QString pathApp_;
    TSkinSettings settings_;
    QStringList skinSheets_;
    QString frameSkin_;
    int current_ = -1;
};

} // namespace vlk
