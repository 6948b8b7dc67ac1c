#pragma once
// TLoudspeakerRecord: the loudspeaker composer's record, sent inside 81018 and received inside 8003.
// The room reads and writes only the fields below; the composer and the loudspeaker frame own the
// rest (room, background, repeat count, font).
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>

namespace vlk {

class TLoudspeakerRecord : public TRecord {
public:
    static constexpr size_t kSize = 51;

    TLoudspeakerRecord() : TRecord(kSize) {}
    static std::optional<TLoudspeakerRecord> Parse(const void* data, size_t size) { return ParseFixed<TLoudspeakerRecord>(data, size); }

    uint32_t SenderNumber() const { return u32(0); }
    void SetSenderNumber(uint32_t v) { setU32(0, v); }
    // 1: a big loudspeaker.
    bool Big() const { return u8(8) == 1; }
    void SetBig(bool v) { setU8(8, v); }
    // Byte counts of the link text and link value that end the message's text.
    uint32_t LinkTextLength() const { return u32(43); }
    void SetLinkTextLength(uint32_t v) { setU32(43, v); }
    uint32_t LinkValueLength() const { return u32(47); }
    void SetLinkValueLength(uint32_t v) { setU32(47, v); }
};

} // namespace vlk
