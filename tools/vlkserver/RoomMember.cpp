#include "RoomMember.h"

#include <algorithm>

namespace vlk::server {

namespace {

// Mic kinds 1 to 6 for members; guests may only queue for a mic (kind 6).
constexpr uint8_t kMemberMicKinds = 0x7E;
constexpr uint8_t kGuestMicKinds = 0x40;

// Windows colour values (0x00BBGGRR).
constexpr uint32_t kBlack = 0x000000, kGrey = 0x808080, kRed = 0x0000FF;

// The user lists run by ascending rank: the owner first, guests last.
constexpr int16_t kOwnerRank = 1, kAdminRank = 2, kMemberRank = 10, kGuestRank = 20;

// The names are keys of the entered-line templates in UserLevel.ini.
constexpr char kGuestName[] = "游客";
constexpr char kMemberName[] = "普通会员";
constexpr char kOwnerName[] = "室主";
constexpr char kAdminName[] = "管理员";

// Every guarded operation refused: each set holds element 0 alone.
TRoomRights RefusedRights()
{
    TLevelSet refused;
    refused.Insert(0);
    TRoomRights rights;
    rights.SetAdminLevels(refused);
    rights.SetTempAdminLevels(refused);
    rights.SetBlacklistLevels(refused);
    rights.SetBlockAddressLevels(refused);
    rights.SetKickLevels(refused);
    rights.SetMicHoldLevels(refused);
    rights.SetMuteLevels(refused);
    rights.SetLookUpAddressLevels(refused);
    return rights;
}

// A plain member's or guest's rights, which only a role widens.
TRoomRights LevelRights(bool guest)
{
    TRoomRights rights = RefusedRights();
    rights.SetMicMenuMask(guest ? kGuestMicKinds : kMemberMicKinds);
    rights.SetCanConnectPrivateMics(!guest);
    return rights;
}

// What the owner and the admins may do beyond the others on this server: see the hidden users.
TRoomRights RoleRights(uint8_t role)
{
    if (role == roomrole::kNone)
        return {};
    TRoomRights rights = RefusedRights();
    TLevelSet everyone;
    for (int element = 0; element <= 255; ++element)
        everyone.Insert(static_cast<uint8_t>(element));
    rights.SetShownHiddenLevels(everyone);
    return rights;
}

TRoleData RoleDataOf(uint8_t role)
{
    TRoleData data;
    if (role == roomrole::kNone)
        return data;
    const bool owner = role == roomrole::kOwner;
    data.SetRoleKind(role);
    data.SetRolePicture(owner ? kOwnerName : kAdminName);
    data.SetRoleTitle(owner ? kOwnerName : kAdminName);
    data.SetRoleColor(kRed);
    data.SetRoleRank(owner ? kOwnerRank : kAdminRank);
    return data;
}

} // namespace

TRoomMember TRoomMember::Of(const TOnlineUser& user, const TRoomConfig& room)
{
    TRoomMember m;
    m.Number = user.RoomUserNumber();
    m.SessionUser = user.UserID;
    m.HallKey = user.HallKey;
    m.Nickname = user.Nickname;
    m.Level = user.Level;
    m.Hidden = user.Hidden;
    m.Coins = user.Coins;
    m.Points = user.Points;
    // Owner and admins are accounts, so a guest's number never names one.
    if (user.UserID != 0 && user.UserID == room.Owner)
        m.Role = roomrole::kOwner;
    else if (user.UserID != 0 && std::find(room.Admins.begin(), room.Admins.end(), user.UserID) != room.Admins.end())
        m.Role = roomrole::kAdmin;
    return m;
}

TRoomUser TRoomMember::RoomUser() const
{
    const bool guestLevel = Level == kGuestLevel;
    TRoomUser u;
    u.SetUserNumber(Number);
    u.SetNickname(Nickname);
    u.SetLevel(Level);
    u.SetLevelPicture(guestLevel ? kGuestName : kMemberName);
    u.SetLevelTitle(guestLevel ? kGuestName : kMemberName);
    u.SetLevelColor(guestLevel ? kGrey : kBlack);
    u.SetLevelRank(guestLevel ? kGuestRank : kMemberRank);
    u.SetRoomRole(Role);
    u.SetRoleData(RoleDataOf(Role));
    u.SetHidden(Hidden);
    return u;
}

TLocalUserInfo TRoomMember::LocalUserInfo() const
{
    TLocalUserInfo info;
    info.SetUserNumber(Number);
    info.SetHallKey(HallKey);
    info.SetNickname(Nickname);
    info.SetCoins(Coins);
    info.SetPoints(Points);
    info.SetLevel(Level);
    info.SetLevelRights(LevelRights(Guest()));
    info.SetRoomRole(Role);
    info.SetRoleData(RoleDataOf(Role));
    info.SetRoleRights(RoleRights(Role));
    return info;
}

} // namespace vlk::server
