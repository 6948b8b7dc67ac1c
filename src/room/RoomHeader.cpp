#include "room/RoomHeader.h"

#include "net/Envelope.h"
#include "room/LocalUserInfo.h"
#include "room/RoomInfo.h"

namespace vlk {

TRoomIdentity MakeRoomIdentity(const TLocalUserInfo& user, const TRoomInfo& room, TConnectionTag tag)
{
    return {user.UserNumber(), room.RoomNumber(), user.HallKey(), tag};
}

TRoomHeader::TRoomHeader(int32_t code, const TRoomIdentity& id) : TRecord(kSize)
{
    SetMagic(kEnvelopeMagic);
    SetCode(code);
    SetUserNumber(id.user);
    SetRoomNumber(id.room);
    SetHallKey(id.hallKey);
    SetTagValue(id.tag.value);
    SetTagWord(id.tag.word);
}

} // namespace vlk
