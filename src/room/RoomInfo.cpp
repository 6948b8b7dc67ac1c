#include "room/RoomInfo.h"

#include <iterator>
#include <stdexcept>

namespace vlk {
namespace {

constexpr size_t kDeputyOffset = 61;
constexpr size_t kCaptionOffset = 665, kCaptionRoom = 12;
constexpr size_t kAddressOffset = 717, kAddressRoom = 100;
constexpr size_t kAddressFieldsOffset = 1240;

void CheckIndex(size_t i, size_t count, const char* what)
{
    if (i >= count)
        throw std::out_of_range(std::string("no room ") + what + " " + std::to_string(i));
}

} // namespace

std::string RoomTypeText(int16_t type)
{
    static const char* const kTexts[] = {"普通房间", "会员房间", "管理员房间", "消费房间"};
    return type >= 0 && static_cast<size_t>(type) < std::size(kTexts) ? kTexts[type] : std::string();
}

int32_t TRoomInfo::DeputyOwner(size_t i) const
{
    CheckIndex(i, kDeputyOwners, "deputy owner");
    return i32(kDeputyOffset + 4 * i);
}

void TRoomInfo::SetDeputyOwner(size_t i, int32_t v)
{
    CheckIndex(i, kDeputyOwners, "deputy owner");
    setI32(kDeputyOffset + 4 * i, v);
}

std::string TRoomInfo::LinkCaption(size_t i) const
{
    CheckIndex(i, kLinks, "link");
    return text(kCaptionOffset + (kCaptionRoom + 1) * i, kCaptionRoom);
}

void TRoomInfo::SetLinkCaption(size_t i, const std::string& v)
{
    CheckIndex(i, kLinks, "link");
    setText(kCaptionOffset + (kCaptionRoom + 1) * i, kCaptionRoom, v);
}

std::string TRoomInfo::LinkAddress(size_t i) const
{
    CheckIndex(i, kLinks, "link");
    return text(kAddressOffset + (kAddressRoom + 1) * i, kAddressRoom);
}

void TRoomInfo::SetLinkAddress(size_t i, const std::string& v)
{
    CheckIndex(i, kLinks, "link");
    setText(kAddressOffset + (kAddressRoom + 1) * i, kAddressRoom, v);
}

void TRoomInfo::KeepAddressOf(const TRoomInfo& own)
{
    setRaw(kAddressFieldsOffset, own.raw(kAddressFieldsOffset, kSize - kAddressFieldsOffset));
}

} // namespace vlk
