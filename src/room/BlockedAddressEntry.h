#pragma once
// TBlockedAddressEntry: one blocked address range of a room.
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>

namespace vlk {

class TBlockedAddressEntry : public TRecord {
public:
    static constexpr size_t kSize = 12;

    TBlockedAddressEntry() : TRecord(kSize) {}
    static std::optional<TBlockedAddressEntry> Parse(const void* data, size_t size) { return ParseFixed<TBlockedAddressEntry>(data, size); }

    uint32_t EntryNumber() const { return u32(0); }
    void SetEntryNumber(uint32_t v) { setU32(0, v); }
    // Network order.
    uint32_t FirstAddress() const { return u32(4); }
    void SetFirstAddress(uint32_t v) { setU32(4, v); }
    uint32_t LastAddress() const { return u32(8); }
    void SetLastAddress(uint32_t v) { setU32(8, v); }
};

} // namespace vlk
