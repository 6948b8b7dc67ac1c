#include "room/GiftMessagesOut.h"

namespace vlk {

TLoudspeaker::TLoudspeaker(const TRoomIdentity& id, std::string_view text)
    : TRoomRequest(kCode, kMinLength, id, Utf8ToGbkLimited(text, kMaxRoomMessage - kMinLength))
{
    setU32(114, static_cast<uint32_t>(size() - kMinLength));
}

void TLoudspeaker::SetRecord(const TLoudspeakerRecord& v)
{
    setRaw(63, RecordView(v));
    setI32(63, UserNumber());
}

} // namespace vlk
