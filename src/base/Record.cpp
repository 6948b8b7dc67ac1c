#include "base/Record.h"

#include "base/Gbk.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace vlk {

namespace {

template <typename T>
T ReadLe(const uint8_t* p)
{
    std::make_unsigned_t<T> v = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        v |= static_cast<std::make_unsigned_t<T>>(p[i]) << (8 * i);
    return static_cast<T>(v);
}

template <typename T>
void WriteLe(uint8_t* p, T value)
{
    auto v = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

// The length byte cannot say more than this, whatever room the field has.
constexpr size_t kMaxTextLength = 255;

} // namespace

TRecord::TRecord(const void* data, size_t size) : bytes_(size)
{
    if (size)
        std::memcpy(bytes_.data(), data, size);
}

void TRecord::check(size_t off, size_t n) const
{
    if (off > bytes_.size() || n > bytes_.size() - off)
        throw std::out_of_range("record of " + std::to_string(bytes_.size()) + " bytes has no field of "
                                + std::to_string(n) + " bytes at offset " + std::to_string(off));
}

uint8_t TRecord::u8(size_t off) const
{
    check(off, 1);
    return bytes_[off];
}

int16_t TRecord::i16(size_t off) const
{
    check(off, 2);
    return ReadLe<int16_t>(&bytes_[off]);
}

uint16_t TRecord::u16(size_t off) const
{
    check(off, 2);
    return ReadLe<uint16_t>(&bytes_[off]);
}

int32_t TRecord::i32(size_t off) const
{
    check(off, 4);
    return ReadLe<int32_t>(&bytes_[off]);
}

uint32_t TRecord::u32(size_t off) const
{
    check(off, 4);
    return ReadLe<uint32_t>(&bytes_[off]);
}

int64_t TRecord::i64(size_t off) const
{
    check(off, 8);
    return ReadLe<int64_t>(&bytes_[off]);
}

double TRecord::f64(size_t off) const
{
    check(off, 8);
    return std::bit_cast<double>(ReadLe<uint64_t>(&bytes_[off]));
}

void TRecord::setU8(size_t off, uint8_t v)
{
    check(off, 1);
    bytes_[off] = v;
}

void TRecord::setI16(size_t off, int16_t v)
{
    check(off, 2);
    WriteLe(&bytes_[off], v);
}

void TRecord::setU16(size_t off, uint16_t v)
{
    check(off, 2);
    WriteLe(&bytes_[off], v);
}

void TRecord::setI32(size_t off, int32_t v)
{
    check(off, 4);
    WriteLe(&bytes_[off], v);
}

void TRecord::setU32(size_t off, uint32_t v)
{
    check(off, 4);
    WriteLe(&bytes_[off], v);
}

void TRecord::setI64(size_t off, int64_t v)
{
    check(off, 8);
    WriteLe(&bytes_[off], v);
}

void TRecord::setF64(size_t off, double v)
{
    check(off, 8);
    WriteLe(&bytes_[off], std::bit_cast<uint64_t>(v));
}

std::string TRecord::text(size_t off, size_t n) const
{
    check(off, 1 + n);
    // A peer may send any length byte; only the field's own room is read.
    size_t length = std::min<size_t>(bytes_[off], n);
    return GbkToUtf8(std::string_view(reinterpret_cast<const char*>(&bytes_[off + 1]), length));
}

void TRecord::setText(size_t off, size_t n, std::string_view utf8)
{
    check(off, 1 + n);
    std::string gbk = Utf8ToGbkLimited(utf8, std::min(n, kMaxTextLength));
    bytes_[off] = static_cast<uint8_t>(gbk.size());
    std::memcpy(&bytes_[off + 1], gbk.data(), gbk.size());
    std::fill(bytes_.begin() + off + 1 + gbk.size(), bytes_.begin() + off + 1 + n, 0);
}

std::string TRecord::raw(size_t off, size_t n) const
{
    check(off, n);
    return std::string(reinterpret_cast<const char*>(bytes_.data() + off), n);
}

void TRecord::setRaw(size_t off, std::string_view bytes)
{
    check(off, bytes.size());
    if (!bytes.empty())
        std::memcpy(bytes_.data() + off, bytes.data(), bytes.size());
}

} // namespace vlk
