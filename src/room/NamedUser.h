#pragma once
// TNamedUser: one entry of the management lists (blacklist, admins, temporary admins).
#include "base/Record.h"
#include "room/FixedRecord.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vlk {

class TNamedUser : public TRecord {
public:
    static constexpr size_t kSize = 35;

    TNamedUser() : TRecord(kSize) {}
    static std::optional<TNamedUser> Parse(const void* data, size_t size) { return ParseFixed<TNamedUser>(data, size); }

    uint32_t UserNumber() const { return u32(0); }
    void SetUserNumber(uint32_t v) { setU32(0, v); }
    std::string Nickname() const { return text(4, 30); }
    void SetNickname(const std::string& v) { setText(4, 30, v); }
};

} // namespace vlk
