#include "shell/TextHelpers.h"

#include <gtest/gtest.h>

#include <optional>

using namespace vlk;

TEST(TextHelpers, TrimAndIntegerRules)
{
    EXPECT_EQ(Trim(std::string(" \t 12 3\r\n\0\0", 11)), "12 3");
    EXPECT_EQ(Trim("   "), "");

    const struct {
        const char* text;
        std::optional<int32_t> value;
    } cases[] = {
        {"0", 0}, {"10001", 10001}, {"-5", -5}, {"+7", 7}, {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt}, {"$1F", 31}, {"0x10", 16},
        {"$FFFFFFFF", -1}, {"", std::nullopt}, {"-", std::nullopt}, {"12a", std::nullopt},
        {" 12", std::nullopt}, {"abc", std::nullopt}, {"99999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseInt(c.text), c.value) << c.text;
}

TEST(TextHelpers, StripAngleBracketsAndTags)
{
    const struct {
        const char* text;
        const char* brackets;
        const char* tags;
    } cases[] = {
        {"plain", "plain", "plain"},
        {"<b>bold</b> text", "bbold/b text", "bold text"},
        {"a > b < c", "a  b  c", "a > b < c"},      // the first '>' comes before the first '<'
        {"x<unclosed", "xunclosed", "x<unclosed"},
        {"one\r\ntwo<i>", "one", "one"},
        {"lone\nnewline", "lone\nnewline", "lone\nnewline"},
        {"<a href=\"x\">名字</a>说：你好", "a href=\"x\"名字/a说：你好", "名字说：你好"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StripAngleBrackets(c.text), c.brackets) << c.text;
        EXPECT_EQ(StripTags(c.text), c.tags) << c.text;
    }
    EXPECT_EQ(EscapeHtml("<b a=\"1\">'小明' & co</b>"), "&lt;b a=&quot;1&quot;&gt;&#39;小明&#39; &amp; co&lt;/b&gt;");
}

TEST(TextHelpers, MicStateTextUsesTheLowSevenBits)
{
    const struct {
        int32_t state;
        const char* text;
    } cases[] = {
        {0, "不在麦"}, {1, "公麦"}, {2, "私麦(任何人可连接)"}, {3, "私麦(仅好友可连接)"},
        {4, "私麦(需确认可连接)"}, {5, "私麦(收费私麦)"}, {6, "排麦(进入麦序)"}, {7, ""},
        {128 + 1, "公麦"}, {-1, ""}, {127, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MicStateText(c.state), c.text) << c.state;
}

TEST(TextHelpers, ColoursSwapRedAndBlue)
{
    EXPECT_EQ(ColorToWeb(0x000000FF), "#ff0000");
    EXPECT_EQ(ColorToWeb(0x00FF0000), "#0000ff");
    EXPECT_EQ(ColorToWeb(0x00123456), "#563412");
    EXPECT_EQ(ColorToWeb(0x00000000), "#000000");

    const struct {
        const char* web;
        uint32_t colour;
    } cases[] = {
        {"#ff0000", 0x000000FF}, {"#563412", 0x00123456}, {"#1ff0000", 0x000000FF},   // low 24 bits only
        {"ff0000", 0}, {"#xyz", 0}, {"", 0}, {"255", 0x00FF0000},   // without '#' it is decimal
    };
    for (const auto& c : cases)
        EXPECT_EQ(WebToColor(c.web), c.colour) << c.web;
    for (uint32_t colour : {0x00ABCDEFu, 0x00010203u})
        EXPECT_EQ(WebToColor(ColorToWeb(colour)), colour);
}

TEST(TextHelpers, Bits)
{
    EXPECT_TRUE(BitIsSet(0x80000000u, 31));
    EXPECT_FALSE(BitIsSet(0x7FFFFFFFu, 31));
    EXPECT_TRUE(BitIsSet(5, 2));
    EXPECT_FALSE(BitIsSet(5, 1));
    EXPECT_FALSE(BitIsSet(0xFFFFFFFFu, 32)) << "a bit past the value is never set";
    EXPECT_EQ(BitValue(3, true), 8u);
    EXPECT_EQ(BitValue(3, false), 0u);
    EXPECT_EQ(BitValue(31, true), 0x80000000u);
}
