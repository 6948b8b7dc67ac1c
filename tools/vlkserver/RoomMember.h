#pragma once
// A user as a room sees them: the number they go by there, how the user lists draw them, and what
// the room's configuration makes of them (its owner, one of its admins or nobody in particular).
// The room-information answer, the user list and the entered notice carry records built from it.
#include "OnlineUsers.h"
#include "ServerConfig.h"

#include "room/LocalUserInfo.h"
#include "room/RoomUser.h"

#include <cstdint>
#include <string>

namespace vlk::server {

namespace roomrole {
inline constexpr uint8_t kNone = 0;
// The first of the roles a server hands out beyond admin and temporary admin; as a role kind it
// gives the owner a picture, colour and rank of their own in the lists.
inline constexpr uint8_t kOwner = 5;
inline constexpr uint8_t kAdmin = kAdminRole;
} // namespace roomrole

struct TRoomMember {
    int32_t Number = 0;        // never 0: a guest goes by the guest number of the hall session
    int32_t SessionUser = 0;   // the hall session's number: 0 for a guest
    uint32_t HallKey = 0;
    std::string Nickname;
    uint8_t Level = 0;
    bool Hidden = false;
    int32_t Coins = 0;
    int32_t Points = 0;
    uint8_t Role = roomrole::kNone;

    static TRoomMember Of(const TOnlineUser& user, const TRoomConfig& room);

    bool Guest() const { return SessionUser == 0; }
    // As the others' user lists hold the member.
    TRoomUser RoomUser() const;
    // The member's own record, as the room window starts from it.
    TLocalUserInfo LocalUserInfo() const;
};

} // namespace vlk::server
