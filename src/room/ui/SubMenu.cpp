#include "room/ui/SubMenu.h"

namespace vlk {

TSubMenu::TSubMenu(QWidget* parent) : QMenu(parent)
{
    setObjectName("SubMenu");
    const struct {
        const char* caption;
        SubMenuEnum item;
    } entries[] = {
        {"选中聊天用户", smeSelectUse},  {"选中赠送用户", smeSelectGive},  {"查看用户资料", smeDispInfo},
        {"查看用户IP", smeSeeIP},        {"加用户为好友", smeAddFreind},   {"盖章", smeAddSeal},
        {"清除印章", smeDelSeal},        {"-", k},                         {"请求单连视频", smeReqVideo},
        {"邀请用户上麦", smeHoldUpMic},  {"强制用户下麦", smeHoldDownMic}, {"禁止用户私麦", smeForbidUserPriMic},
        {"-", k},                        {"设为管理员", smeAddManager},    {"解除管理员", smeDelManager},
        {"设为临时管理", smeAddTempManager}, {"解除临时管理", smeDelTempManager}, {"禁言", smeBannedChat},
        {"解除禁言", smeUnBannedChat},   {"踢出房间", smeDropUser},        {"踢出房间且黑用户", smeDropUserAndBlackUser},
        {"踢出房间且黑IP", smeDropUserAndBlackIP}, {"-", k},              {"添加麦时", smeAddMicTime},
    };
    for (const auto& e : entries) {
        if (e.item == k) {
            addSeparator();
            continue;
        }
        QAction* action = addAction(QString::fromUtf8(e.caption));
        items_[e.item] = action;
        connect(action, &QAction::triggered, this, [this, action, item = e.item] {
            if (MenuEvent)
                MenuEvent(action, UserID, item);
        });
    }
    QMenu* order = addMenu(QStringLiteral("调整麦序"));
    items_[smeSetMicOrder] = order->menuAction();
    const char* moves[] = {"最前", "向上", "向下", "最后"};
    for (int tag = FirstUP; tag <= LastDown; ++tag) {
        QAction* action = order->addAction(QString::fromUtf8(moves[tag]));
        action->setData(tag);
        connect(action, &QAction::triggered, this, [this, action, tag] {
            if (MicOrderMenuEvent)
                MicOrderMenuEvent(action, UserID, static_cast<TMoveDirec>(tag));
        });
    }
}

void TSubMenu::SetItemVisible(SubMenuEnum item, bool visible)
{
    if (QAction* action = Item(item))
        action->setVisible(visible);
}

QAction* TSubMenu::Item(SubMenuEnum item) const
{
    const auto it = items_.find(item);
    return it == items_.end() ? nullptr : it->second;
}

} // namespace vlk
