#include "base/Gbk.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace vlk {
namespace {

const std::string kLoginPrompt = "登录号码为数字！";
const std::string kLoginPromptGbk = "\xB5\xC7\xC2\xBC\xBA\xC5\xC2\xEB\xCE\xAA\xCA\xFD\xD7\xD6\xA3\xA1";

TEST(GbkTest, RoundTrips)
{
    struct Case {
        std::string utf8, gbk;
    } cases[] = {
        {kLoginPrompt, kLoginPromptGbk},
        {"", ""},
        {"Room 1: 房间", "Room 1: \xB7\xBF\xBC\xE4"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
    }
    EXPECT_EQ(GbkToWide(kLoginPromptGbk), u"登录号码为数字！");
}

TEST(GbkTest, InvalidGbkBytesBecomeReplacementCharacters)
{
    struct Case {
        std::string gbk, utf8;
    } cases[] = {
        {"\xFF", "\uFFFD"},
        {"a\xB5", "a\uFFFD"},                                // lead byte cut off at the end
        {"\x81\x20" "b", "\uFFFD b"},                        // bad trail byte is read again as itself
        {"\xB5\xC7\xFF\xC2\xBC", "登\uFFFD录"},
        {"\xFF\xFF", "\uFFFD\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(GbkToUtf8(c.gbk), c.utf8);
    }
    EXPECT_EQ(GbkToWide("\xB5\xC7\xFF"), u"登\uFFFD");
}

TEST(GbkTest, CharactersGbkCannotHoldBecomeQuestionMarks)
{
    struct Case {
        std::string utf8, gbk;
    } cases[] = {
        {"a😀b", "a?b"},
        {"한", "?"},
        {"登\xC3(", "\xB5\xC7?("},   // broken UTF-8 in memory is not passed on either
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk);
    }
}

TEST(GbkTest, LimitedNeverSplitsACharacter)
{
    struct Case {
        std::string utf8;
        size_t limit;
        std::string gbk;
    } cases[] = {
        {kLoginPrompt, 16, kLoginPromptGbk},
        {kLoginPrompt, 100, kLoginPromptGbk},
        {kLoginPrompt, 15, kLoginPromptGbk.substr(0, 14)},
        {"a登录", 2, "a"},
        {"a登录", 3, "a\xB5\xC7"},
        {"a登录", 0, ""},
        {"ab😀c", 3, "ab?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8 + " limit " + std::to_string(c.limit));
        EXPECT_EQ(Utf8ToGbkLimited(c.utf8, c.limit), c.gbk);
    }
}

TEST(GbkTest, IsValidUtf8)
{
    struct Case {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"", true},
        {kLoginPrompt, true},
        {"😀", true},
        {"\xC0\xAF", false},           // overlong '/'
        {"\xE0\x80\xAF", false},       // overlong, three bytes
        {"\xED\xA0\x80", false},       // surrogate
        {"\xF4\x90\x80\x80", false},   // above U+10FFFF
        {"\xE7\x99", false},           // cut off
        {kLoginPromptGbk, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid);
    }
}

TEST(GbkTest, FileTextAcceptsBomUtf8AndGbk)
{
    struct Case {
        const char* name;
        std::string bytes, utf8;
    } cases[] = {
        {"BOM", "\xEF\xBB\xBF" + kLoginPrompt, kLoginPrompt},
        {"UTF-8", kLoginPrompt, kLoginPrompt},
        {"GBK", kLoginPromptGbk, kLoginPrompt},
        {"ASCII", "[Setup]\r\nSkin=Default\r\n", "[Setup]\r\nSkin=Default\r\n"},
        {"BOM only", "\xEF\xBB\xBF", ""},
        {"broken after BOM", "\xEF\xBB\xBF" "a\xFF" "b", "a\uFFFD" "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FileTextToUtf8(c.bytes), c.utf8);
    }
}

TEST(GbkTest, ConvertsOnManyThreadsAtOnce)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i)
                if (Utf8ToGbk(kLoginPrompt) != kLoginPromptGbk || GbkToUtf8(kLoginPromptGbk + "\xFF") != kLoginPrompt + "\uFFFD")
                    ++failures[t];
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace
} // namespace vlk
