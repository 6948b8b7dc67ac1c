#pragma once
// The fields that open every message the client sends to a room server (H, offsets 0 to 25), and
// what fills them: the local user, the room and the connection tag of the last acknowledgement.
// H0 is H without the connection tag (offsets 0 to 19).
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>

namespace vlk {

class TLocalUserInfo;
class TRoomInfo;

// Handed out by 20111 and 10022, echoed by the client.
struct TConnectionTag {
    uint32_t value = 0;
    uint16_t word = 0;
    bool operator==(const TConnectionTag&) const = default;
};

struct TRoomIdentity {
    int32_t user = 0;
    int32_t room = 0;
    uint32_t hallKey = 0;
    TConnectionTag tag;
};

TRoomIdentity MakeRoomIdentity(const TLocalUserInfo& user, const TRoomInfo& room, TConnectionTag tag);

class TRoomHeader : public TRecord {
public:
    static constexpr size_t kSize = 26;
    static constexpr size_t kShortSize = 20;

    TRoomHeader() : TRecord(kSize) {}
    TRoomHeader(int32_t code, const TRoomIdentity& id);
    static std::optional<TRoomHeader> Parse(const void* data, size_t size) { return ParseFixed<TRoomHeader>(data, size); }

    int32_t Magic() const { return i32(0); }
    void SetMagic(int32_t v) { setI32(0, v); }
    int32_t Code() const { return i32(4); }
    void SetCode(int32_t v) { setI32(4, v); }
    int32_t UserNumber() const { return i32(8); }
    void SetUserNumber(int32_t v) { setI32(8, v); }
    int32_t RoomNumber() const { return i32(12); }
    void SetRoomNumber(int32_t v) { setI32(12, v); }
    uint32_t HallKey() const { return u32(16); }
    void SetHallKey(uint32_t v) { setU32(16, v); }
    uint32_t TagValue() const { return u32(20); }
    void SetTagValue(uint32_t v) { setU32(20, v); }
    uint16_t TagWord() const { return u16(24); }
    void SetTagWord(uint16_t v) { setU16(24, v); }
    TConnectionTag Tag() const { return {TagValue(), TagWord()}; }
    TRoomIdentity Identity() const { return {UserNumber(), RoomNumber(), HallKey(), Tag()}; }
};

} // namespace vlk
