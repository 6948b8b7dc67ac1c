#include "room/AdminMessagesOut.h"

namespace vlk {

TPublishNotice::TPublishNotice(const TRoomIdentity& id, std::string_view text)
    : TRoomRequest(kCode, kMinLength, id, Utf8ToGbkLimited(text, kMaxRoomMessage - kMinLength))
{
    setU32(30, static_cast<uint32_t>(size() - kMinLength));
}

} // namespace vlk
