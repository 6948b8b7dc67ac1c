#include "room/SessionMessagesIn.h"

#include "room/SessionMessagesOut.h"

namespace vlk {

TEnterAck::TEnterAck(const std::vector<TLuxuryRecord>& luxury)
    : TRoomMessage(kCode, kRecordsOffset + luxury.size() * TLuxuryRecord::kSize)
{
    setI32(26, static_cast<int32_t>(luxury.size()));
    SetRecordsAt(kRecordsOffset, luxury);
}

TUserListPage::TUserListPage(const std::vector<TRoomUser>& users)
    : TRoomMessage(kCode, kMinLength + users.size() * TRoomUser::kSize)
{
    setI32(20, static_cast<int32_t>(users.size()));
    SetRecordsAt(kMinLength, users);
}

TPublicChat::TPublicChat(std::string_view text)
    : TRoomMessage(kCode, kMinLength, Utf8ToGbkLimited(text, TChat::kMaxText))
{
    setU32(57, static_cast<uint32_t>(size() - kMinLength));
}

TPrivateChat::TPrivateChat(std::string_view text)
    : TRoomMessage(kCode, kMinLength, Utf8ToGbkLimited(text, TChat::kMaxText))
{
    setU32(61, static_cast<uint32_t>(size() - kMinLength));
}

TAnnouncement::TAnnouncement(std::string_view text)
    : TRoomMessage(kCode, kMinLength, Utf8ToGbkLimited(text, kMaxRoomMessage - kMinLength))
{
    setI32(217, static_cast<int32_t>(size() - kMinLength));
}

} // namespace vlk
