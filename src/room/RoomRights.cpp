#include "room/RoomRights.h"

#include <algorithm>
#include <stdexcept>

namespace vlk {
namespace {

constexpr size_t kFurtherFlagsOffset = 364;

} // namespace

TLevelSet TLevelSet::FromBytes(std::string_view bytes)
{
    TLevelSet set;
    std::copy_n(bytes.begin(), std::min(bytes.size(), kSize), set.bits_.begin());
    return set;
}

bool TLevelSet::Permits() const
{
    TLevelSet onlyZero;
    onlyZero.Insert(0);
    return *this != onlyZero;
}

TRoomRights TRoomRights::Combine(const TRoomRights& a, const TRoomRights& b)
{
    // Bytewise or is the union of every level set (the two the client does not read included), the
    // or of the flags and of the mask; only Number differs.
    TRoomRights combined;
    for (size_t i = 0; i < kSize; ++i)
        combined.setU8(i, a.u8(i) | b.u8(i));
    combined.SetNumber(std::max(a.Number(), b.Number()));
    return combined;
}

bool TRoomRights::FurtherFlag(size_t i) const
{
    if (i >= kFurtherFlags)
        throw std::out_of_range("no further rights flag " + std::to_string(i));
    return u8(kFurtherFlagsOffset + i) != 0;
}

void TRoomRights::SetFurtherFlag(size_t i, bool v)
{
    if (i >= kFurtherFlags)
        throw std::out_of_range("no further rights flag " + std::to_string(i));
    setU8(kFurtherFlagsOffset + i, v);
}

} // namespace vlk
