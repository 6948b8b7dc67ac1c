#pragma once
// TRoleData: the 34 bytes that describe a user's room role, the same in TRoomUser (offset 94),
// TLocalUserInfo (offset 462) and the role notices.
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vlk {

class TRoleData : public TRecord {
public:
    static constexpr size_t kSize = 34;

    TRoleData() : TRecord(kSize) {}
    static std::optional<TRoleData> Parse(const void* data, size_t size) { return ParseFixed<TRoleData>(data, size); }

    // When it lies in 5..12 the role's picture, colour and rank replace the level's.
    int32_t RoleKind() const { return i32(0); }
    void SetRoleKind(int32_t v) { setI32(0, v); }
    std::string RolePicture() const { return text(4, 10); }
    void SetRolePicture(const std::string& v) { setText(4, 10, v); }
    std::string RoleTitle() const { return text(15, 10); }
    void SetRoleTitle(const std::string& v) { setText(15, 10, v); }
    uint32_t RoleColor() const { return u32(26); }
    void SetRoleColor(uint32_t v) { setU32(26, v); }
    int16_t RoleRank() const { return i16(30); }
    void SetRoleRank(int16_t v) { setI16(30, v); }
    bool ReplacesLevel() const { return RoleKind() >= 5 && RoleKind() <= 12; }
};

} // namespace vlk
