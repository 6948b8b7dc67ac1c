#include "room/MicMessagesOut.h"

namespace vlk {

TMicAddressRequest::TMicAddressRequest(const TRoomIdentity& id) : TRoomShortRequest(kCode, kLength, id)
{
    setU32(24, id.tag.value);
    setU16(28, id.tag.word);
}

TWatchPaidMic::TWatchPaidMic(const TRoomIdentity& id) : TRoomShortRequest(kCode, kLength, id)
{
    setU32(32, id.tag.value);
    setU16(36, id.tag.word);
}

TRecordAnswer::TRecordAnswer(const TRoomIdentity& id) : TRoomMessage(kCode, kLength)
{
    setI32(8, id.user);
    setI32(12, id.room);
}

} // namespace vlk
