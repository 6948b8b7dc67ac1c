#include "room/SessionMessagesOut.h"

namespace vlk {

TChat::TChat(const TRoomIdentity& id, std::string_view text)
    : TRoomRequest(kCode, kMinLength, id, Utf8ToGbkLimited(text, kMaxText))
{
    setU32(71, static_cast<uint32_t>(size() - kMinLength));
}

} // namespace vlk
