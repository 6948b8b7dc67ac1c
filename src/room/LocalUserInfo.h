#pragma once
// TLocalUserInfo: the local user's record as the hall hands it over. The room keeps its own copy and
// updates the balances, the role, the mic state and the muted flag.
#include "base/Record.h"
#include "room/FixedRecord.h"
#include "room/RoleData.h"
#include "room/RoomRights.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vlk {

class TLocalUserInfo : public TRecord {
public:
    static constexpr size_t kSize = 881;
    static constexpr size_t kLevelRightsOffset = 93;
    static constexpr size_t kRoleDataOffset = 462;
    static constexpr size_t kRoleRightsOffset = 496;

    TLocalUserInfo() : TRecord(kSize) {}
    static std::optional<TLocalUserInfo> Parse(const void* data, size_t size) { return ParseFixed<TLocalUserInfo>(data, size); }

    int32_t UserNumber() const { return i32(0); }
    void SetUserNumber(int32_t v) { setI32(0, v); }
    // Copied into offset 16 of every room message.
    uint32_t HallKey() const { return u32(4); }
    void SetHallKey(uint32_t v) { setU32(4, v); }
    std::string Nickname() const { return text(8, 30); }
    void SetNickname(const std::string& v) { setText(8, 30, v); }
    int32_t Coins() const { return i32(47); }
    void SetCoins(int32_t v) { setI32(47, v); }
    int32_t Points() const { return i32(51); }
    void SetPoints(int32_t v) { setI32(51, v); }
    // 15 registered member, 16 guest.
    uint8_t Level() const { return u8(58); }
    void SetLevel(uint8_t v) { setU8(58, v); }
    TRoomRights LevelRights() const { return RecordAt<TRoomRights>(*this, kLevelRightsOffset); }
    void SetLevelRights(const TRoomRights& v) { setRaw(kLevelRightsOffset, RecordView(v)); }
    // Values as in TRoomUser::RoomRole.
    uint8_t RoomRole() const { return u8(461); }
    void SetRoomRole(uint8_t v) { setU8(461, v); }
    TRoleData RoleData() const { return RecordAt<TRoleData>(*this, kRoleDataOffset); }
    void SetRoleData(const TRoleData& v) { setRaw(kRoleDataOffset, RecordView(v)); }
    TRoomRights RoleRights() const { return RecordAt<TRoomRights>(*this, kRoleRightsOffset); }
    void SetRoleRights(const TRoomRights& v) { setRaw(kRoleRightsOffset, RecordView(v)); }
    uint8_t MicState() const { return u8(864); }
    void SetMicState(uint8_t v) { setU8(864, v); }
    bool Muted() const { return u8(874) != 0; }
    void SetMuted(bool v) { setU8(874, v); }
};

} // namespace vlk
