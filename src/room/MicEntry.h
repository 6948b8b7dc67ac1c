#pragma once
// TMicEntry: one user's mic position and the media server that carries the user's stream.
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>

namespace vlk {

class TMicEntry : public TRecord {
public:
    static constexpr size_t kSize = 21;

    TMicEntry() : TRecord(kSize) {}
    static std::optional<TMicEntry> Parse(const void* data, size_t size) { return ParseFixed<TMicEntry>(data, size); }

    int32_t UserNumber() const { return i32(0); }
    void SetUserNumber(int32_t v) { setI32(0, v); }
    // -1: on no public panel.
    int16_t PanelIndex() const { return i16(4); }
    void SetPanelIndex(int16_t v) { setI16(4, v); }
    uint8_t MicState() const { return u8(6); }
    void SetMicState(uint8_t v) { setU8(6, v); }
    // Network order.
    uint32_t MediaAddress() const { return u32(7); }
    void SetMediaAddress(uint32_t v) { setU32(7, v); }
    uint16_t MediaPort() const { return u16(11); }
    void SetMediaPort(uint16_t v) { setU16(11, v); }
    int32_t MicTimeUsed() const { return i32(13); }
    void SetMicTimeUsed(int32_t v) { setI32(13, v); }
    int32_t MicTimeAllowed() const { return i32(17); }
    void SetMicTimeAllowed(int32_t v) { setI32(17, v); }
};

} // namespace vlk
