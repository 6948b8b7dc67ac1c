#include "room/RoomUser.h"

#include <iterator>

namespace vlk {

std::string MicStateText(uint8_t state)
{
    static const char* const kTexts[] = {"不在麦", "公麦", "私麦(任何人可连接)", "私麦(仅好友可连接)",
                                         "私麦(需确认可连接)", "私麦(收费私麦)", "排麦(进入麦序)"};
    const uint8_t masked = state & 0x7F;
    return masked < std::size(kTexts) ? kTexts[masked] : std::string();
}

std::string TRoomUser::ShownPicture() const
{
    return RoleData().ReplacesLevel() ? RolePicture() : LevelPicture();
}

uint32_t TRoomUser::ShownColor() const
{
    return RoleData().ReplacesLevel() ? RoleColor() : LevelColor();
}

int16_t TRoomUser::ShownRank() const
{
    return RoleData().ReplacesLevel() ? RoleRank() : LevelRank();
}

} // namespace vlk
