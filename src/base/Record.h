#pragma once
// A fixed-layout little-endian record: the bytes are the truth, accessors read and write fields at
// their offsets. Texts are length-prefixed GBK fields (one length byte, room for N bytes).
// An access outside the record throws std::out_of_range.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

class TRecord {
public:
    explicit TRecord(size_t size = 0) : bytes_(size, 0) {}
    TRecord(const void* data, size_t size);

    size_t size() const { return bytes_.size(); }
    const uint8_t* data() const { return bytes_.data(); }
    uint8_t* data() { return bytes_.data(); }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

    uint8_t u8(size_t off) const;
    int16_t i16(size_t off) const;
    uint16_t u16(size_t off) const;
    int32_t i32(size_t off) const;
    uint32_t u32(size_t off) const;
    int64_t i64(size_t off) const;
    double f64(size_t off) const;
    // Date-time as a floating-point day count (the platform's date-time type).
    double datetime(size_t off) const { return f64(off); }

    void setU8(size_t off, uint8_t v);
    void setI16(size_t off, int16_t v);
    void setU16(size_t off, uint16_t v);
    void setI32(size_t off, int32_t v);
    void setU32(size_t off, uint32_t v);
    void setI64(size_t off, int64_t v);
    void setF64(size_t off, double v);
    void setDatetime(size_t off, double v) { setF64(off, v); }

    // Length byte at off, then up to n GBK bytes; a length above n reads n bytes. Returns UTF-8.
    std::string text(size_t off, size_t n) const;
    // Writes the GBK form cut to n bytes (never splitting a character); the rest of the field is zeroed.
    void setText(size_t off, size_t n, std::string_view utf8);

    std::string raw(size_t off, size_t n) const;
    void setRaw(size_t off, std::string_view bytes);

private:
    void check(size_t off, size_t n) const;
    std::vector<uint8_t> bytes_;
};

} // namespace vlk
