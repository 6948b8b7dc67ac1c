#pragma once
// Layout tables for the room records and messages: each row names a field, its offset, its type and
// a value. The test writes and reads the value at the offset with plain TRecord accessors, so the
// classes are checked against the layout and never against themselves.
//
// Values are derived from the offset: every byte of a number is non-zero, signed fields get negative
// values and unsigned ones values above the signed range, so a wrong offset, width or signedness
// shows. A text fills its room exactly with a two-byte character ending on its last byte and
// continues past it, so a room one byte too small or too large shows as well.
#include "base/Gbk.h"
#include "base/Record.h"
#include "room/FixedRecord.h"
#include "room/RoomHeader.h"
#include "room/RoomMessage.h"
#include "room/RoomRights.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <variant>
#include <vector>

namespace vlk::roomtest {

using TValue = std::variant<int64_t, double, std::string>;
enum class TKind { I32, U32, I16, U16, U8, Bool, F64, Text, Raw };

struct TLayoutField {
    std::string name;
    size_t off;
    TKind kind;
    size_t n;   // room of a text, size of raw bytes
    TValue value;
};

inline const TRoomIdentity kIdentity{0x11223344, 0x21324354, 0xA1B2C3D4u, {0xC5D6E7F8u, 0x9ABC}};

inline size_t Width(const TLayoutField& f)
{
    switch (f.kind) {
    case TKind::I32:
    case TKind::U32: return 4;
    case TKind::I16:
    case TKind::U16: return 2;
    case TKind::U8:
    case TKind::Bool: return 1;
    case TKind::F64: return 8;
    case TKind::Text: return f.n + 1;
    case TKind::Raw: return f.n;
    }
    return 0;
}

inline std::string LayoutText(size_t off, size_t n)
{
    std::string text = std::to_string(off % 100);
    text.resize(std::min(text.size(), n - 2));
    size_t rest = n - 2 - text.size();
    if (rest % 2) {
        text += 'x';
        --rest;
    }
    for (size_t i = 0; i < rest / 2; ++i)
        text += "汉";
    return text + "界XYZ";
}

inline TValue DefaultValue(size_t off, TKind kind, size_t n)
{
    const auto o = static_cast<int64_t>(off);
    switch (kind) {
    case TKind::I32: return -(0x01020304 + o * 0x00010101);
    case TKind::U32: return int64_t{0xF1020304} + o * 0x00010101;
    case TKind::I16: return -(0x0101 + o);
    case TKind::U16: return 0xF101 + o;
    case TKind::U8: return 0x80 + o % 0x7F;
    case TKind::Bool: return int64_t{1};
    case TKind::F64: return 45000.25 + o;
    case TKind::Text: return LayoutText(off, n);
    case TKind::Raw: {
        std::string bytes(n, '\0');
        for (size_t i = 0; i < n; ++i)
            bytes[i] = static_cast<char>(1 + (off * 31 + i * 7) % 250);
        return bytes;
    }
    }
    return int64_t{0};
}

// What a reader gets back: a text is cut to its room without splitting a character.
inline TValue Expected(const TLayoutField& f)
{
    if (f.kind == TKind::Text)
        return GbkToUtf8(Utf8ToGbkLimited(std::get<std::string>(f.value), f.n));
    return f.value;
}

inline void WriteField(TRecord& r, const TLayoutField& f)
{
    switch (f.kind) {
    case TKind::I32: r.setI32(f.off, static_cast<int32_t>(std::get<int64_t>(f.value))); break;
    case TKind::U32: r.setU32(f.off, static_cast<uint32_t>(std::get<int64_t>(f.value))); break;
    case TKind::I16: r.setI16(f.off, static_cast<int16_t>(std::get<int64_t>(f.value))); break;
    case TKind::U16: r.setU16(f.off, static_cast<uint16_t>(std::get<int64_t>(f.value))); break;
    case TKind::U8:
    case TKind::Bool: r.setU8(f.off, static_cast<uint8_t>(std::get<int64_t>(f.value))); break;
    case TKind::F64: r.setF64(f.off, std::get<double>(f.value)); break;
    case TKind::Text: r.setText(f.off, f.n, std::get<std::string>(f.value)); break;
    case TKind::Raw: r.setRaw(f.off, std::get<std::string>(f.value)); break;
    }
}

inline void ExpectFieldBytes(const TRecord& r, const TLayoutField& f)
{
    SCOPED_TRACE(f.name + " at " + std::to_string(f.off));
    ASSERT_LE(f.off + Width(f), r.size());
    switch (f.kind) {
    case TKind::I32: EXPECT_EQ(r.i32(f.off), std::get<int64_t>(f.value)); break;
    case TKind::U32: EXPECT_EQ(r.u32(f.off), std::get<int64_t>(f.value)); break;
    case TKind::I16: EXPECT_EQ(r.i16(f.off), std::get<int64_t>(f.value)); break;
    case TKind::U16: EXPECT_EQ(r.u16(f.off), std::get<int64_t>(f.value)); break;
    case TKind::U8:
    case TKind::Bool: EXPECT_EQ(r.u8(f.off), std::get<int64_t>(f.value)); break;
    case TKind::F64: EXPECT_EQ(r.f64(f.off), std::get<double>(f.value)); break;
    case TKind::Text: {
        const std::string gbk = Utf8ToGbkLimited(std::get<std::string>(f.value), f.n);
        EXPECT_EQ(r.u8(f.off), gbk.size());
        EXPECT_EQ(r.raw(f.off + 1, gbk.size()), gbk);
        EXPECT_EQ(r.raw(f.off + 1 + gbk.size(), f.n - gbk.size()), std::string(f.n - gbk.size(), '\0'));
        break;
    }
    case TKind::Raw: EXPECT_EQ(r.raw(f.off, f.n), std::get<std::string>(f.value)); break;
    }
}

inline void ExpectZeroOutside(const TRecord& r, const std::set<size_t>& covered)
{
    for (size_t i = 0; i < r.size(); ++i) {
        if (!covered.count(i)) {
            EXPECT_EQ(r.u8(i), 0) << "byte " << i << " is no field's";
        }
    }
}

inline void Cover(std::set<size_t>& covered, size_t off, size_t width)
{
    for (size_t i = off; i < off + width; ++i)
        covered.insert(i);
}

template <class T>
TValue ToValue(const T& v)
{
    if constexpr (std::is_same_v<T, std::string>)
        return v;
    else if constexpr (std::is_floating_point_v<T>)
        return static_cast<double>(v);
    else
        return static_cast<int64_t>(v);
}

template <class T>
T FromValue(const TValue& v)
{
    if constexpr (std::is_same_v<T, std::string>)
        return std::get<std::string>(v);
    else if constexpr (std::is_floating_point_v<T>)
        return std::get<double>(v);
    else
        return static_cast<T>(std::get<int64_t>(v));
}

// Runs check on every case on its own: an accessor that throws fails that case and no other.
template <class C, class F>
void ForEachCase(const std::vector<C>& cases, F check)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NO_THROW(check(c));
    }
}

// A row with the class's accessors. A row without a setter is filled by something else (the
// identity, a constructor) and only read.
template <class M>
struct TField {
    TLayoutField layout;
    std::function<TValue(const M&)> get;
    std::function<void(M&, const TValue&)> set;
};

template <class M>
TField<M> MakeField(const char* name, size_t off, TKind kind, size_t n, std::function<TValue(const M&)> get,
                    std::function<void(M&, const TValue&)> set)
{
    return {{name, off, kind, n, DefaultValue(off, kind, n)}, std::move(get), std::move(set)};
}

template <class R>
R FromBytes(const TValue& v)
{
    const auto& bytes = std::get<std::string>(v);
    return *R::Parse(bytes.data(), bytes.size());
}

// Numbers and flags.
#define ROOM_FIELD(M, Name, off, kind)                                                                              \
    MakeField<M>(#Name, off, TKind::kind, 0, [](const M& m) { return ToValue(m.Name()); },                          \
                 [](M& m, const TValue& v) { m.Set##Name(FromValue<std::remove_cvref_t<decltype(m.Name())>>(v)); })
// Texts of room n.
#define ROOM_TEXT(M, Name, off, n)                                                                                  \
    MakeField<M>(#Name, off, TKind::Text, n, [](const M& m) { return ToValue(m.Name()); },                          \
                 [](M& m, const TValue& v) { m.Set##Name(std::get<std::string>(v)); })
// Indexed fields.
#define ROOM_FIELD_AT(M, Name, i, off, kind, n)                                                                     \
    MakeField<M>(#Name "(" #i ")", off, TKind::kind, n, [](const M& m) { return ToValue(m.Name(i)); },              \
                 [](M& m, const TValue& v) { m.Set##Name(i, FromValue<std::remove_cvref_t<decltype(m.Name(i))>>(v)); })
// Embedded records.
#define ROOM_RECORD(M, Name, off, R)                                                                                \
    MakeField<M>(#Name, off, TKind::Raw, R::kSize, [](const M& m) { return TValue(std::string(RecordView(m.Name()))); }, \
                 [](M& m, const TValue& v) { m.Set##Name(FromBytes<R>(v)); })
// Level sets.
#define ROOM_SET(M, Name, off)                                                                                      \
    MakeField<M>(#Name, off, TKind::Raw, TLevelSet::kSize, [](const M& m) { return TValue(std::string(m.Name().Bytes())); }, \
                 [](M& m, const TValue& v) { m.Set##Name(TLevelSet::FromBytes(std::get<std::string>(v))); })
// Read only, with a given value; expr reads it from m.
#define ROOM_GET(M, label, off, kind, value, expr)                                                                  \
    TField<M>{{label, off, TKind::kind, 0, TValue(int64_t(value))}, [](const M& m) { return ToValue(expr); }, nullptr}

enum class THeaderKind { H, H0, None };

// One message's layout, with what the generic checks need from its class.
struct TMessageCase {
    std::string name;
    int32_t code;
    size_t length;   // the sent length, or the least length a reader needs
    int32_t classCode;
    size_t classLength;
    THeaderKind header;
    std::vector<TLayoutField> fields;
    std::vector<bool> settable;
    // The class's own message (client messages with kIdentity) with every settable field set.
    std::function<TRecord()> build;
    // ParseAs and every field's getter, in table order.
    std::function<std::optional<std::vector<TValue>>(const TRecord&)> parse;
};

template <class M>
M NewMessage()
{
    if constexpr (std::is_constructible_v<M, TRoomIdentity>)
        return M(kIdentity);
    else
        return M();
}

template <class M>
TMessageCase MessageCase(std::string name, int32_t code, size_t length, THeaderKind header, std::vector<TField<M>> fields)
{
    TMessageCase c{std::move(name), code, length, M::kCode, M::kMinLength, header, {}, {}, {}, {}};
    for (const auto& f : fields) {
        c.fields.push_back(f.layout);
        c.settable.push_back(static_cast<bool>(f.set));
    }
    c.build = [fields] {
        M message = NewMessage<M>();
        for (const auto& f : fields)
            if (f.set)
                f.set(message, f.layout.value);
        return TRecord(message);
    };
    c.parse = [fields](const TRecord& bytes) -> std::optional<std::vector<TValue>> {
        const auto message = ParseAs<M>(bytes.data(), bytes.size());
        if (!message)
            return std::nullopt;
        std::vector<TValue> values;
        for (const auto& f : fields)
            values.push_back(f.get(*message));
        return values;
    };
    return c;
}

// The bytes a sender of the layout would produce: envelope and fields written by hand. Client
// messages get the header of kIdentity.
inline TRecord HandWritten(const TMessageCase& c, size_t size)
{
    TRecord bytes(std::max(size, c.length));
    bytes.setI32(0, 824156);
    bytes.setI32(4, c.code);
    if (c.header != THeaderKind::None) {
        bytes.setI32(8, kIdentity.user);
        bytes.setI32(12, kIdentity.room);
        bytes.setU32(16, kIdentity.hallKey);
    }
    if (c.header == THeaderKind::H) {
        bytes.setU32(20, kIdentity.tag.value);
        bytes.setU16(24, kIdentity.tag.word);
    }
    for (const auto& f : c.fields)
        WriteField(bytes, f);
    return TRecord(bytes.data(), size);
}

inline void ExpectParsedValues(const TMessageCase& c, const std::optional<std::vector<TValue>>& values)
{
    ASSERT_TRUE(values) << "refused";
    for (size_t i = 0; i < c.fields.size(); ++i)
        EXPECT_EQ((*values)[i], Expected(c.fields[i])) << c.fields[i].name;
}

// The documented least length is accepted with every field read back, one byte less is refused,
// and so is the same message under another code.
inline void ExpectParsedAtLeastLength(const TMessageCase& c)
{
    EXPECT_EQ(c.classCode, c.code);
    EXPECT_EQ(c.classLength, c.length);
    ExpectParsedValues(c, c.parse(HandWritten(c, c.length)));
    EXPECT_FALSE(c.parse(HandWritten(c, c.length - 1))) << "one byte short";
    TRecord otherCode = HandWritten(c, c.length);
    otherCode.setI32(4, c.code + 1);
    EXPECT_FALSE(c.parse(otherCode)) << "another code";
    TRecord noMagic = HandWritten(c, c.length);
    noMagic.setI32(0, 824157);
    EXPECT_FALSE(c.parse(noMagic)) << "no magic";
}

} // namespace vlk::roomtest
