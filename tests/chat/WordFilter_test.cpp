// The word filter: matches become one "X" per UTF-16 character, in text only, and a broken or
// hostile pattern never hides or hangs the chat.
#include "chat/WordFilter.h"

#include <gtest/gtest.h>

#include <string>

namespace vlk {
namespace {

TEST(WordFilter, MatchesBecomeXs)
{
    struct Case {
        const char* pattern;
        std::string text;
        std::string expected;
    } cases[] = {
        {"", "bad worse bad", "bad worse bad"},
        {"bad|worse", "bad worse bad", "XXX XXXXX XXX"},
        {"坏蛋", "你是坏蛋!", "你是XX!"},
        {"\\x{1F600}", "a\xF0\x9F\x98\x80z", "aXXz"},  // outside the basic plane: two UTF-16 characters
        {"bad", "Bad bad", "Bad XXX"},                  // case-sensitive like the pattern
        {"(?i)bad", "Bad bAD bad", "XXX XXX XXX"},      // every match, whatever case form came first
        {"x*", "abc", "abc"},                           // empty matches hide nothing
        {"a(?=b)", "ab ac", "Xb ac"},
        {"font|src|bad", "<font color=\"#ff0000\">bad</font><img src=\"/p/bad.gif\">", "<font color=\"#ff0000\">XXX</font><img src=\"/p/bad.gif\">"},
        {"b.d", "b<b>a</b>d bod", "b<b>a</b>d XXX"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TWordFilter(c.pattern).Apply(c.text), c.expected) << c.pattern << " / " << c.text;
}

TEST(WordFilter, BrokenPatternFiltersNothing)
{
    const TWordFilter filter("bad(");
    EXPECT_FALSE(filter.Valid());
    EXPECT_EQ(filter.Apply("bad"), "bad");
}

TEST(WordFilter, CatastrophicPatternStaysBounded)
{
    const TWordFilter filter("(a+)+(b|c)");
    const std::string text(40, 'a');
    EXPECT_EQ(filter.Apply(text + "b!"), std::string(41, 'X') + "!");
    EXPECT_EQ(filter.Apply(text), text);  // gives up at the match limit instead of running for hours
}

TEST(WordFilter, InvalidUtf8TextIsStillFiltered)
{
    EXPECT_EQ(TWordFilter("bad").Apply("\xff" "bad\xfe"), "\xff" "XXX\xfe");
}

} // namespace
} // namespace vlk
