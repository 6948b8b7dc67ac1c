#include "room/MicMessagesIn.h"

namespace vlk {

TMicPositions::TMicPositions(const std::vector<TMicEntry>& entries)
    : TRoomMessage(kCode, kMinLength + entries.size() * TMicEntry::kSize)
{
    setI32(16, static_cast<int32_t>(entries.size()));
    SetRecordsAt(kMinLength, entries);
}

} // namespace vlk
