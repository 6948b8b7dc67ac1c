#include "room/RoomMessage.h"

#include <algorithm>

namespace vlk {

TRoomMessage::TRoomMessage(int32_t code, size_t length, std::string_view tail) : TMessage(code, length + tail.size())
{
    setRaw(length, tail);
}

bool TRoomMessage::TextFits(size_t off, int64_t length) const
{
    return length >= 0 && off <= size() && static_cast<uint64_t>(length) <= size() - off;
}

bool TRoomMessage::RecordsFit(size_t off, int64_t count, size_t each) const
{
    if (count <= 0)
        return true;
    // count is at most 2^32, each a record size: the product cannot wrap in 64 bits.
    return off <= size() && static_cast<uint64_t>(count) * each <= size() - off;
}

std::string TRoomMessage::TrailingText(size_t off, size_t maxRoom) const
{
    if (size() <= off)
        return {};
    return text(off, std::min(maxRoom, size() - off - 1));
}

std::vector<uint32_t> TRoomMessage::NumbersAt(size_t off, int64_t count) const
{
    std::vector<uint32_t> numbers;
    for (int64_t i = 0; i < count; ++i)
        numbers.push_back(u32(off + 4 * static_cast<size_t>(i)));
    return numbers;
}

void TRoomMessage::SetNumbersAt(size_t off, const std::vector<uint32_t>& numbers)
{
    for (size_t i = 0; i < numbers.size(); ++i)
        setU32(off + 4 * i, numbers[i]);
}

TRoomShortRequest::TRoomShortRequest(int32_t code, size_t length, const TRoomIdentity& id, std::string_view tail)
    : TRoomMessage(code, length, tail)
{
    setRaw(0, RecordView(TRoomHeader(code, id)).substr(0, TRoomHeader::kShortSize));
}

TRoomRequest::TRoomRequest(int32_t code, size_t length, const TRoomIdentity& id, std::string_view tail)
    : TRoomShortRequest(code, length, id, tail)
{
    setRaw(0, RecordView(TRoomHeader(code, id)));
}

} // namespace vlk
