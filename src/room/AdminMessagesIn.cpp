#include "room/AdminMessagesIn.h"

namespace vlk {

TBlockedAddressList::TBlockedAddressList(const std::vector<TBlockedAddressEntry>& entries)
    : TRoomMessage(kCode, kMinLength + entries.size() * TBlockedAddressEntry::kSize)
{
    setI32(16, static_cast<int32_t>(entries.size()));
    SetRecordsAt(kMinLength, entries);
}

TRoomNotice::TRoomNotice(std::string_view text)
    : TRoomMessage(kCode, kMinLength, Utf8ToGbkLimited(text, kMaxRoomMessage - kMinLength))
{
    setI32(51, static_cast<int32_t>(size() - kMinLength));
}

} // namespace vlk
