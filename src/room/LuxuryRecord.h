#pragma once
// TLuxuryRecord: one recent luxury gift as 20111 and 8002 carry it. The room keeps these records as
// received; the runway frame reads their fields.
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <optional>

namespace vlk {

class TLuxuryRecord : public TRecord {
public:
    static constexpr size_t kSize = 152;

    TLuxuryRecord() : TRecord(kSize) {}
    static std::optional<TLuxuryRecord> Parse(const void* data, size_t size) { return ParseFixed<TLuxuryRecord>(data, size); }
};

} // namespace vlk
