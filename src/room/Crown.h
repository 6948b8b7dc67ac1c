#pragma once
// What the hall knows about the King and the Queen, which widens their rights in every room.
#include "room/RoomRights.h"

#include <cstdint>

namespace vlk {

struct TCrown {
    int32_t King = 0;
    int32_t Queen = 0;
    TRoomRights KingRights;
    TRoomRights QueenRights;
};

} // namespace vlk
