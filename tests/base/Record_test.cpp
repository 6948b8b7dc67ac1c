#include "base/Record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace vlk {
namespace {

TEST(RecordTest, ReadsLittleEndianAtAnyOffset)
{
    const uint8_t bytes[] = {0xAA, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88, 0xFE, 0xFF};
    TRecord r(bytes, sizeof bytes);
    EXPECT_EQ(r.u8(0), 0xAA);
    EXPECT_EQ(r.u16(1), 0x0201);
    EXPECT_EQ(r.u32(1), 0x04030201u);
    EXPECT_EQ(r.i32(1), 0x04030201);
    EXPECT_EQ(r.i64(1), static_cast<int64_t>(0x8807060504030201ull));
    EXPECT_EQ(r.i16(9), -2);
    EXPECT_EQ(r.u16(9), 0xFFFE);
}

TEST(RecordTest, WritesLittleEndianAndRoundTrips)
{
    TRecord r(23);
    r.setI32(1, -2);
    EXPECT_EQ(r.raw(1, 4), std::string("\xFE\xFF\xFF\xFF", 4));
    r.setU16(5, 0xBEEF);
    EXPECT_EQ(r.raw(5, 2), "\xEF\xBE");
    r.setI64(7, std::numeric_limits<int64_t>::min());
    EXPECT_EQ(r.i64(7), std::numeric_limits<int64_t>::min());
    r.setDatetime(15, 45000.75);   // 2023-03-15 18:00
    EXPECT_EQ(r.raw(15, 8), std::string("\x00\x00\x00\x00\x18\xF9\xE5\x40", 8));
    EXPECT_EQ(r.datetime(15), 45000.75);
    EXPECT_EQ(r.i32(1), -2);
    EXPECT_EQ(r.u16(5), 0xBEEF);
}

TEST(RecordTest, AccessOutsideTheRecordThrows)
{
    TRecord r(8);
    const size_t huge = std::numeric_limits<size_t>::max();
    struct Case {
        const char* name;
        std::function<void()> access;
    } cases[] = {
        {"u8 past end", [&] { r.u8(8); }},
        {"u16 straddling end", [&] { r.u16(7); }},
        {"i32 straddling end", [&] { r.i32(5); }},
        {"f64 straddling end", [&] { r.f64(1); }},
        {"setU32 straddling end", [&] { r.setU32(5, 1); }},
        {"text room past end", [&] { r.text(2, 6); }},
        {"setText room past end", [&] { r.setText(0, 8, "a"); }},
        {"raw past end", [&] { r.raw(4, 5); }},
        {"setRaw past end", [&] { r.setRaw(6, "abc"); }},
        {"offset that wraps", [&] { r.u16(huge); }},
        {"length that wraps", [&] { r.raw(1, huge); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.access(), std::out_of_range);
    }
    EXPECT_NO_THROW(r.f64(0));
    EXPECT_NO_THROW(r.text(2, 5));
    EXPECT_EQ(r.raw(8, 0), "");
}

TEST(RecordTest, TextReadsGbkAndClampsTheLengthToTheField)
{
    struct Case {
        const char* name;
        std::string field;   // length byte and room
        size_t room;
        std::string utf8;
    } cases[] = {
        {"GBK", std::string("\x04\xB5\xC7\xC2\xBC\x00", 6), 5, "登录"},
        {"length above room", std::string("\xC8" "abcdefgh", 9), 5, "abcde"},
        {"empty", std::string("\x00" "abc", 4), 3, ""},
        {"room ends inside a character", std::string("\xFF" "a\xB5\xC7", 4), 2, "a\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TRecord r(c.field.size() + 2);
        r.setRaw(2, c.field);
        EXPECT_EQ(r.text(2, c.room), c.utf8);
    }
}

TEST(RecordTest, SetTextCutsWholeCharactersAndZeroesTheRest)
{
    TRecord r(std::vector<uint8_t>(9, 0xAA).data(), 9);
    r.setText(1, 6, "登录号码");
    EXPECT_EQ(r.raw(0, 9), std::string("\xAA\x06\xB5\xC7\xC2\xBC\xBA\xC5\xAA", 9));
    EXPECT_EQ(r.text(1, 6), "登录号");

    r.setText(1, 5, "登录号码");
    EXPECT_EQ(r.raw(0, 9), std::string("\xAA\x04\xB5\xC7\xC2\xBC\x00\xC5\xAA", 9)) << "byte 7 is outside the field";

    r.setText(1, 6, "ab");
    EXPECT_EQ(r.raw(0, 9), std::string("\xAA\x02" "ab\x00\x00\x00\x00\xAA", 9));
}

TEST(RecordTest, SetTextLengthByteNeverExceeds255)
{
    TRecord r(301);
    r.setText(0, 300, std::string(300, 'x'));
    EXPECT_EQ(r.u8(0), 255);
    EXPECT_EQ(r.text(0, 300), std::string(255, 'x'));
    EXPECT_EQ(r.u8(256), 0);
}

} // namespace
} // namespace vlk
