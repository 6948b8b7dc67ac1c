// The chat view's lines: every line kind against its exact HTML, the rules for the local member,
// anonymous gifts and mic states, picture tags, times, fonts, emoticon codes and escaping of
// what other members wrote.
#include "chat/ChatLines.h"

#include "chat/Emotion.h"
#include "chat/WordFilter.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vlk {
namespace {

using test::TestDir;

// 9:05:03 on some day.
const double kTime = 45000.0 + (9 * 3600 + 5 * 60 + 3) / 86400.0;

std::string Span(int n, const std::string& text) { return "<span class=\"part" + std::to_string(n) + "\">" + text + "</span>"; }
std::string Linked(int n, const std::string& link, const std::string& text)
{
    return Span(n, "<a href=\"link[" + link + "]\">" + text + "</a>");
}
std::string Div(const std::string& cls, const std::string& inner) { return "<div class=\"" + cls + "\">" + inner + "</div>"; }

struct LineCase {
    const char* name;
    std::string html;
    std::string expected;
};

class ChatLinesTest : public ::testing::Test {
protected:
    ChatLinesTest()
    {
        dir.write("Picture/gift.gif", "GIF89a");
        dir.write("Picture/level.png", "png");
    }
    std::string Path(const char* relative) const { return dir.appPath() + relative; }

    TestDir dir;
    const TChatUser alice{1001, "Alice"};
    const TChatUser bob{1002, "Bob"};
    const TChatUser me{7, "Me"};
};

TEST_F(ChatLinesTest, EveryLineKindIsItsExactHtml)
{
    const std::string gif = Path("Picture/gift.gif");
    const std::string png = Path("Picture/level.png");
    const std::string missing = Path("Picture/none.gif");
    const std::string gifTag = "<img src=\"" + gif + "\">";
    const std::string pngTag = "<img src=\"" + png + "\">";
    const TGiftText rose{"玫瑰", "朵", gif, false, true};
    const TGiftText star{"流星", "个", gif, true, false};
    const TChatFont font{"宋体", 10, 255, 0};
    const std::string styled = "<font style=\"font:  10pt; text-decoration:  ; color:#ff0000; font-family: 宋体;\">hi</font>";
    const std::string room = "<a href=\"link[RoomID:12]\">【12房间】</a>";

    const std::vector<LineCase> cases = {
        {"system", SystemMsgLine(2, "【提示】", "充值", "msg"),
         Div("SystemMsg2", Span(1, "【提示】") + Span(2, "msg"))},
        {"system kind 4 has the pay link", SystemMsgLine(4, "【提示】", "充值", "msg"),
         Div("SystemMsg4", Span(1, "【提示】") + Span(2, "msg") + Linked(4, "Pay:", "充值"))},
        {"public chat", ChatMsgLine(false, alice, png, bob, missing, "hi", font, kTime),
         Div("PublicMsg", Span(1, pngTag) + Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 对 ") +
                              Linked(4, "UserInfo:1002", "Bob(1002)") + Span(5, " 说: ") + Span(6, styled) +
                              Span(7, "(9:05:03)"))},
        {"private chat between two others", ChatMsgLine(true, alice, missing, bob, png, "hi", font, kTime),
         Div("WhisperMsg", Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 对 " + pngTag) +
                               Linked(4, "UserInfo:1002", "Bob(1002)") + Span(5, " 悄悄说: ") + Span(6, styled) +
                               Span(7, "(9:05:03)"))},
        {"chat to everybody", ChatMsgLine(false, alice, missing, TChatUser{0, "大家"}, missing, "hi", font, kTime),
         Div("PublicMsg", Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 对 ") + Linked(4, "UserInfo:0", "大家") +
                              Span(5, " 说: ") + Span(6, styled) + Span(7, "(9:05:03)"))},
        {"gift with total", GiftMsgLine({alice, bob, false}, 7, 3, rose, 2, 10),
         Div("GiveMsg", Span(1, "★礼物★：") + Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 给 ") +
                            Linked(4, "UserInfo:1002", "Bob(1002)") + Span(5, " 送 3朵 玫瑰" + gifTag + gifTag) +
                            Span(6, "(共10朵)"))},
        {"gift sent by the local member", GiftTimedMsgLine({me, bob, false}, 7, 3, rose, kTime),
         Div("GiveMsg", Span(1, "★礼物★：") + Span(2, "您") + Span(3, " 给 ") + Linked(4, "UserInfo:1002", "Bob(1002)") +
                            Span(5, " 送 3朵 玫瑰") + Span(6, "(9:05:03)"))},
        {"anonymous gift between others", GiftTimedMsgLine({alice, bob, true}, 7, 1, rose, kTime),
         Div("GiveMsg", Span(1, "★礼物★：") + Span(2, "神秘人") + Span(3, " 给 ") +
                            Linked(4, "UserInfo:1002", "Bob(1002)") + Span(5, " 送 1朵 玫瑰") + Span(6, "(9:05:03)"))},
        {"anonymous gift to the local member", GiftPictureMsgLine({alice, me, true}, 7, 1, rose, kTime),
         Div("GiveMsg", Span(1, "★礼物★：") + Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 匿名 给 ") +
                            Span(4, "您") + Span(5, " 送 1朵 玫瑰" + gifTag) + Span(6, "(9:05:03)"))},
        {"gift with room link", GiftRoomMsgLine({alice, bob, false}, 7, 2, rose, kTime, 12),
         Div("GiveMsg", Span(1, "★礼物★：") + Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 给 ") +
                            Linked(4, "UserInfo:1002", "Bob(1002)") + Span(5, " 送 2朵 玫瑰") + Span(6, "(9:05:03)") +
                            Span(7, room))},
        {"gift in another room", AllGiftMsgLine(gif, {alice, bob, false}, 12, 5, rose, kTime),
         Div("AllGiftMsg", Span(1, gifTag + "★礼物★：") + Span(2, "Alice(1001)") + Span(3, " 在12房间给 ") +
                               Span(4, "Bob(1002)") + Span(5, " 赠送了 5朵 玫瑰，感谢他的支持！") + Span(6, "(9:05:03)") +
                               Span(7, room))},
        {"anonymous gift in another room", AllGiftMsgLine(missing, {alice, bob, true}, 12, 5, rose, kTime),
         Div("AllGiftMsg", Span(1, "★礼物★：") + Span(2, "神秘人") + Span(3, " 在12房间给 ") + Span(4, "Bob(1002)") +
                               Span(5, " 赠送了 5朵 玫瑰，感谢他的支持！") + Span(6, "(9:05:03)") + Span(7, room))},
        {"fireworks with bonus", FireworksMsgLine(alice, false, 7, 2, rose, 30),
         Div("GiveFireworks", Span(1, "★烟花★：") + Linked(2, "UserInfo:1001", "Alice(1001)") +
                                  Span(3, "为本房间所有用户绽放了2朵玫瑰。") + Span(4, "您分红30金币。"))},
        {"anonymous fireworks of the local member", FireworksMsgLine(me, true, 7, 1, star, 0),
         Div("GiveFireworks", Span(1, "★烟花★：") + Span(2, "您") + Span(3, "匿名为本房间所有管理员绽放了1个流星。"))},
        {"anonymous fireworks of another", FireworksMsgLine(alice, true, 7, 1, star, 5),
         Div("GiveFireworks", Span(1, "★烟花★：") + Span(2, "神秘人") + Span(3, "为本房间所有管理员绽放了1个流星。") +
                                  Span(4, "您分红5积分。"))},
        {"fireworks in another room", FireworksRoomMsgLine(gif, alice, false, " Hall ", 12, 1, rose, kTime),
         Div("GiveFireworks", Span(1, gifTag + "★烟花★：") + Span(4, "Alice(1001)") +
                                  Span(5, "为Hall(12)房间所有用户绽放了1朵玫瑰,此房间星光四射，激情无限！") +
                                  Span(6, "(9:05:03)") + Span(7, room))},
        {"lucky gift of another", LuckMsgLine(alice, png, false, 7, "玫瑰", 10, 500),
         Div("GiveLuckMsg", Span(1, "★幸运礼物★：") + Span(3, "恭喜 " + pngTag) +
                                Linked(4, "UserInfo:1001", "Alice(1001)") + Span(5, " 送出 玫瑰 获得10倍奖金共500金币。") +
                                Span(6, "多送多得，礼金翻倍来,快来试试吧！"))},
        {"lucky gift of the local member, anonymous", LuckMsgLine(me, missing, true, 7, "玫瑰", 10, 500),
         Div("GiveLuckMsg", Span(1, "★幸运礼物★：") + Span(3, "恭喜 ") + Span(4, "您") +
                                Span(5, " 匿名送出 玫瑰 获得10倍奖金共500金币。") + Span(6, "多送多得，礼金翻倍来,继续努力！"))},
        {"lucky gift everywhere", LuckLabaMsgLine(gif, alice, false, "玫瑰", 10, 500, 12, kTime),
         Div("GiveLuckLabaMsg", Span(1, gifTag + "★幸运礼物★：<br>") + Span(2, "恭喜 ") + Span(3, "Alice(1001) ") +
                                    Span(4, "送出的 玫瑰, 赢取了10倍奖金共500金币。") + Span(5, "大家快来试试自己的运气吧！") +
                                    Span(6, "(9:05:03)") + Span(7, room))},
        {"loudspeaker", LabaMsgLine(png, "Alice(1001)说：", "hello", 0xFF0000, "[回复]", "UserInfo:1001"),
         "<div class=\"LabaMsg\">" + Span(1, pngTag + "Alice(1001)说：") +
             Span(3, "<font style=\"color:#0000ff;\">hello</font>") + Linked(4, "UserInfo:1001", "[回复]") +
             "<BR></div>"},
        {"loudspeaker gift", LabaGiftMsgLine(gif, "text"), Div("AllGiftMsg", Span(1, gifTag) + Span(3, "text"))},
        {"fun word with two texts", InterestMsgLine(alice, bob, "拍了拍", "的肩膀"),
         Div("InterestMsg", Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, "拍了拍") +
                                Linked(4, "UserInfo:1002", "Bob(1002)") + Span(6, "的肩膀"))},
        {"fun word to everybody", InterestMsgLine(alice, TChatUser{0, "大家"}, "向", "问好"),
         Div("InterestMsg", Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, "向") + Linked(4, "UserInfo:0", "大家") +
                                Span(6, "问好"))},
        {"fun word with one text", InterestMsgLine(alice, bob, "", "跳舞"),
         Div("InterestMsg", Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, "跳舞"))},
        {"leaving the room", OutRoomMsgLine(alice),
         Div("OutRoomMsg", Span(1, "★系统提示★：欢送用户 ") + Span(2, "Alice(1001)") + Span(3, " 离开房间"))},
        {"week star", WeekStarLine("周星"), Div("WeekStar", Span(1, "周星"))},
        {"king", KingInRoomLine(alice, missing),
         Div("KingInRoom", Span(1, "【系统】：") + Span(2, "<img src = \"" + missing + "\">") + Span(3, "城主") +
                               Span(4, "Alice(1001)") + Span(5, "进入房间"))},
        {"queen", QueenInRoomLine(bob, png),
         Div("QueenInRoom", Span(1, "【系统】：") + Span(2, "<img src = \"" + png + "\">") + Span(3, "城后") +
                                Span(4, "Bob(1002)") + Span(5, "进入房间"))},
        {"castle taken", AtfdLine(alice, bob, 300, "维拉", kTime),
         Div("AtfdAtfd", Span(1, "★攻城★：") + Span(2, "Alice(1001)") + Span(3, "用300个骑兵攻下了主城送给了") +
                             Span(4, " Bob(1002) ") + Span(5, ",他们成为了维拉城的城主城后.目前拥有300兵力.") +
                             Span(6, "(9:05:03)"))},
        {"castle reinforced", AtfdDefenseLine(alice, bob, "维拉", 50, 350, kTime),
         Div("AtfdDefense", Span(1, "★攻城★：") + Span(2, "Alice(1001)") + Span(3, " 和 ") + Span(4, "Bob(1002)") +
                                Span(5, " 向维拉城堡增派了50个骑兵,") + Span(6, "他们的守城总兵力达到350个骑兵.") +
                                Span(7, "(9:05:03)"))},
        {"castle empty", AtfdTimeOutLine("维拉"),
         Div("AtfdTimeOut", Span(1, "★攻城★：上任城主的任期已到,现在维拉城堡是一座空城,欢迎各位勇士占城为王."))},
        {"seal stamped, picture unchecked", SealAddLine("Alice", kTime, missing, "Bob"),
         Div("SealAdd", Span(1, "★印章★ ") + Span(2, "Alice") + Span(3, "手起章落,") + Span(4, "Bob") +
                            Span(5, "身上出现了一个大大的印章") + Span(6, "<img src=\"" + missing + "\">") +
                            Span(7, "(09:05:03)"))},
        {"seal removed by a user", SealDelLine(false, "Alice", kTime, png, "Bob"),
         Div("SealDel", Span(1, "★印章★") + Span(2, "Alice") + Span(3, "为") + Span(4, "Bob") +
                            Span(5, "清除了身上的印章") + Span(6, pngTag) + Span(7, "(09:05:03)"))},
        {"seal expired", SealDelLine(true, "Alice", kTime, png, "Bob"),
         Div("SealDel", Span(1, "★印章★") + Span(3, "印章系统有效期到,系统清除了") + Span(4, "Bob") +
                            Span(5, "身上的印章") + Span(6, pngTag) + Span(7, "(09:05:03)"))},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.html, c.expected) << c.name;
}

TEST_F(ChatLinesTest, MicStateLines)
{
    const std::vector<LineCase> cases = {
        {"another member moves to the public mic", MicStateMsgLine(alice, alice, 1, 6, 7),
         Div("ReqVideoMsg", Span(1, "【提示】：") + Linked(2, "UserInfo:1001", "Alice(1001)") +
                                Span(3, " 由 排麦(进入麦序) 转为上 公麦"))},
        {"the local member opens a private mic", MicStateMsgLine(me, me, 2, 0, 7),
         Div("ReqVideoMsg", Span(1, "【提示】：") + Span(2, "您") + Span(3, " 由 不在麦 转为上 私麦(任何人可连接)"))},
        {"another member opens a private mic (flag bit masked)", MicStateMsgLine(alice, alice, 0x80 | 5, 0, 7),
         Div("ReqVideoMsg", Span(1, "【提示】：") + Linked(2, "UserInfo:1001", "Alice(1001) ") +
                                Span(3, "开始在私麦(收费私麦)上主持节目啦！") + Linked(4, "PriMic:1001", "点击打开私麦"))},
        {"a member holds another onto the mic", MicStateMsgLine(alice, bob, 1, 0, 7),
         Div("HoldMicMsg", Span(1, "【提示】：") + Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 把 ") +
                               Linked(4, "UserInfo:1002", "Bob(1002)") + Span(5, " 抱上 公麦"))},
        {"the local member is held onto the mic", MicStateMsgLine(alice, me, 1, 0, 7),
         Div("HoldMicMsg", Span(1, "【提示】：") + Linked(2, "UserInfo:1001", "Alice(1001)") + Span(3, " 把 ") +
                               Span(4, "您") + Span(5, " 抱上 公麦"))},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.html, c.expected) << c.name;
}

TEST_F(ChatLinesTest, TextsOfOtherMembersCannotAddMarkup)
{
    const TChatUser evil{66, "<img src=x onerror=alert(1)>\""};
    const std::string line = ChatMsgLine(false, evil, "", TChatUser{0, "<b>all</b>"}, "", "hi",
                                         TChatFont{"x;}</font><script>", 9, 0, 0}, kTime);
    EXPECT_EQ(line.find("<img"), std::string::npos) << line;
    EXPECT_EQ(line.find("<b>"), std::string::npos) << line;
    EXPECT_EQ(line.find("<script"), std::string::npos) << line;
    EXPECT_NE(line.find("&lt;img src=x onerror=alert(1)&gt;&quot;(66)"), std::string::npos) << line;
    EXPECT_NE(line.find("font-family: ;"), std::string::npos) << line;

    const std::string laba = LabaMsgLine("", "a", "m", 0, "n", "x\"><script>");
    EXPECT_EQ(laba.find("<script"), std::string::npos) << laba;
}

TEST(ChatLines, FontStylesAndColours)
{
    struct Case {
        TChatFont font;
        std::string expected;
    } cases[] = {
        {{"Arial", 12, 0x00FF8000, 1 | 2 | 4 | 8},
         "<font style=\"font:italic bold 12pt; text-decoration: underline line-through; color:#0080ff; font-family: Arial;\">m</font>"},
        {{"宋体", 9, 0, 2}, "<font style=\"font:italic  9pt; text-decoration:  ; color:#000000; font-family: 宋体;\">m</font>"},
        {{"Sans", 9, 0x0000FF, 4}, "<font style=\"font:  9pt; text-decoration: underline ; color:#ff0000; font-family: Sans;\">m</font>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StyleChatMessage("m", c.font), c.expected);
}

TEST(ChatLines, TimesOfDay)
{
    struct Case {
        double dateTime;
        bool twoDigitHour;
        const char* expected;
    } cases[] = {
        {45000.0, false, "0:00:00"},
        {45000.0 + 0.5, false, "12:00:00"},
        {45000.0 + 0.5, true, "12:00:00"},
        {45000.0 + (3600.0 + 1) / 86400, true, "01:00:01"},
        {45000.0 + (86399.9996) / 86400, false, "0:00:00"},  // rounds to midnight, not "24:00:00"
        {45000.0 + (23 * 3600 + 59 * 60 + 59) / 86400.0, false, "23:59:59"},
        {-1.25, false, "6:00:00"},  // before 1899-12-30 the fraction is still the time of day
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeText(c.dateTime, c.twoDigitHour), c.expected) << c.dateTime;
}

class ChatEmoticonTest : public ::testing::Test {
protected:
    ChatEmoticonTest()
    {
        dir.write("Picture/Emotion/Emotion.xml",
                  "<?xml version=\"1.0\" encoding=\"utf-8\"?><FACESETTING><CUSTOMFACEGROUP name=\"g\">" + Face(kSmile) +
                      Face(kNoFile) + "</CUSTOMFACEGROUP></FACESETTING>");
        dir.write("Picture/Emotion/" + std::string(kSmile) + ".gif", "GIF89a");
        dir.write("Picture/Emotion/" + std::string(kSmile) + "s.bmp", "BM" + std::string(60, '\0'));
        dir.write("Picture/Emotion/" + std::string(kNoFile) + "s.bmp", "BM" + std::string(60, '\0'));
    }
    static std::string Face(const char* id)
    {
        return "<FACE id=\"" + std::string(id) + "\" tip=\"t\"><FILEORG>" + id + ".gif</FILEORG><FILEFIXED>" + id +
               "s.bmp</FILEFIXED></FACE>";
    }
    std::string Picture() const { return "<IMG src=\"" + dir.appPath() + "Picture/Emotion/" + kSmile + ".gif\">"; }

    static constexpr const char* kSmile = "0123456789abcdefABCDEF0123456789";
    static constexpr const char* kNoFile = "ffffffffffffffffffffffffffffffff";
    TestDir dir;
};

TEST_F(ChatEmoticonTest, CodesBecomePicturesOnlyWhenKnownAndPresent)
{
    TEmotion emotion(dir.appPath());
    const std::string smile = std::string("{") + kSmile + "}";
    const std::string shorter = "{" + std::string(kSmile).substr(1) + "}";
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"known code", "a" + smile + "b", "a" + Picture() + "b"},
        {"every occurrence", smile + smile, Picture() + Picture()},
        {"31 characters stay text", shorter, shorter},
        {"code not in the catalogue", "{00000000000000000000000000000000}", "{00000000000000000000000000000000}"},
        {"picture file missing", std::string("{") + kNoFile + "}", std::string("{") + kNoFile + "}"},
        {"code behind an opening brace", "{" + smile, "{" + Picture()},
        {"code inside a tag is left alone", "<font face=\"" + smile + "\">x</font>",
         "<font face=\"" + smile + "\">x</font>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertEmotion(c.text, emotion), c.expected) << c.name;
}

TEST_F(ChatEmoticonTest, FilterRunsAfterEmoticonsWithoutBreakingPictures)
{
    TEmotion emotion(dir.appPath());
    const TWordFilter filter("bad|gif|Emotion");
    EXPECT_EQ(TransformMessage(std::string("bad{") + kSmile + "}gif", emotion, filter), "XXX" + Picture() + "XXX");
}

} // namespace
} // namespace vlk
