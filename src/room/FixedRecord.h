#pragma once
// What the room's fixed-size records share: taking one from received bytes, which must be exactly
// its size, and reading or writing one embedded in a larger record.
#include "base/Record.h"

#include <optional>
#include <string_view>

namespace vlk {

inline std::string_view RecordView(const TRecord& record)
{
    return {reinterpret_cast<const char*>(record.data()), record.size()};
}

// The record R held by exactly R::kSize bytes; nothing for any other size.
template <class R>
std::optional<R> ParseFixed(const void* data, size_t size)
{
    if (size != R::kSize)
        return std::nullopt;
    R record;
    record.setRaw(0, std::string_view(static_cast<const char*>(data), size));
    return record;
}

// The record R at off inside outer; out_of_range when it does not lie wholly inside.
template <class R>
R RecordAt(const TRecord& outer, size_t off)
{
    R record;
    record.setRaw(0, outer.raw(off, R::kSize));
    return record;
}

} // namespace vlk
