#pragma once
// The menu a room window pops up over a user: chat, gifts, information, mics, administration.
// Every item reports the user and its operation; the room window hides what the local user may
// not do.
#include "room/UserManage.h"

#include <QMenu>

#include <functional>
#include <map>

namespace vlk {

enum SubMenuEnum : int {
    k = 0,
    smeSelectUse = 1,
    smeSelectGive = 2,
    smeDispInfo = 3,
    smeSeeIP = 4,
    smeAddFreind = 5,
    smeAddSeal = 6,
    smeDelSeal = 7,
    smeReqVideo = 8,
    smeHoldUpMic = 9,
    smeHoldDownMic = 10,
    smeForbidUserPriMic = 11,
    smeAddManager = 12,
    smeDelManager = 13,
    smeAddTempManager = 14,
    smeDelTempManager = 15,
    smeDropUser = 16,
    smeDropUserAndBlackUser = 17,
    smeDropUserAndBlackIP = 18,
    smeBannedChat = 19,
    smeUnBannedChat = 20,
    smeAddMicTime = 21,
    smeSetMicOrder = 22,
};

class TSubMenu : public QMenu {
    Q_OBJECT
public:
    explicit TSubMenu(QWidget* parent = nullptr);

    int32_t UserID = 0;
    std::function<void(QAction* sender, int32_t userId, SubMenuEnum item)> MenuEvent;
    std::function<void(QAction* sender, int32_t userId, TMoveDirec direction)> MicOrderMenuEvent;

    void SetItemVisible(SubMenuEnum item, bool visible);
    QAction* Item(SubMenuEnum item) const;

private:
    std::map<SubMenuEnum, QAction*> items_;
};

} // namespace vlk
