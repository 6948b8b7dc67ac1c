// The hall web page over real HTTP on a free loopback port.
#include "HallPage.h"

#include <gtest/gtest.h>
#include <httplib.h>

using namespace vlk::server;

namespace {

constexpr char kConfig[] = R"({
  "title": "测试大厅 & <家>",
  "accounts": [{"number": 10001, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "小明"}],
  "rooms": [{"number": 503, "name": "夜色温柔", "line": 3},
            {"number": 501, "name": "音乐<b>大厅</b>", "line": 1},
            {"number": 502, "name": "K歌之王", "line": 2, "password": "8888"}]
})";
constexpr char kDigest[] = "e10adc3949ba59abbe56e057f20f883e";

struct HallPageTest : ::testing::Test {
    TServerConfig config = ParseServerConfig(kConfig);
    TAccountBook accounts{config.Accounts};
    THallPage page{config, accounts};
    std::unique_ptr<httplib::Client> client;

    HallPageTest()
    {
        page.Start("127.0.0.1", 0);
        client = std::make_unique<httplib::Client>("127.0.0.1", page.Port());
    }
    std::string Get(const std::string& path, int expectedStatus = 200)
    {
        auto result = client->Get(path);
        EXPECT_TRUE(result) << path;
        if (!result)
            return {};
        EXPECT_EQ(result->status, expectedStatus) << path;
        return result->body;
    }
};

size_t Count(const std::string& text, const std::string& part)
{
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(HallPageTest, MemberPageGreetsTheMemberAndListsEveryRoomWithItsLink)
{
    auto result = client->Get(std::string("/hall.html?UserID=10001&password=") + kDigest + "&IsHide=0");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=utf-8");
    const std::string& html = result->body;
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>测试大厅 &amp; &lt;家&gt;</title>"), std::string::npos);
    EXPECT_NE(html.find("欢迎您，小明(10001)"), std::string::npos);
    EXPECT_EQ(html.find("（隐身）"), std::string::npos);
    // Rooms in number order, names escaped, one marker for the one password room.
    const size_t r501 = html.find("<a href=\"vlkroomid:501,0\">音乐&lt;b&gt;大厅&lt;/b&gt;</a>");
    const size_t r502 = html.find("<a href=\"vlkroomid:502,0\">K歌之王</a>");
    const size_t r503 = html.find("<a href=\"vlkroomid:503,0\">夜色温柔</a>");
    ASSERT_NE(r501, std::string::npos);
    ASSERT_NE(r502, std::string::npos);
    ASSERT_NE(r503, std::string::npos);
    EXPECT_LT(r501, r502);
    EXPECT_LT(r502, r503);
    EXPECT_EQ(Count(html, "[密码房间]"), 1u);
    EXPECT_LT(html.find("[密码房间]"), r503);
    EXPECT_GT(html.find("[密码房间]"), r502);
    EXPECT_NE(html.find("<a href=\"webgame:GuessNumber|10001|1|2\">"), std::string::npos);
    EXPECT_NE(html.find("<a href=\"gamecenter:\">"), std::string::npos);
    EXPECT_EQ(html.find("<b>"), std::string::npos);
}

TEST_F(HallPageTest, HiddenMemberIsToldSo)
{
    const std::string html = Get(std::string("/hall.html?UserID=10001&password=") + kDigest + "&IsHide=1");
    EXPECT_NE(html.find("欢迎您，小明(10001) <span class=\"hidden\">（隐身）</span>"), std::string::npos);
}

TEST_F(HallPageTest, AnythingButAMemberWithItsPasswordGetsTheGuestPage)
{
    const std::string digest = kDigest;
    for (const std::string& query : std::vector<std::string>{"", "?UserID=0&password=0&IsHide=0", "?UserID=10001&password=0123&IsHide=0",
                                    "?UserID=10001", "?UserID=abc&password=x", "?UserID=99999&password=" + digest,
                                    "?UserID=-10001&password=" + digest, "?UserID=%ZZ&&=&IsHide=1"}) {
        SCOPED_TRACE(query);
        const std::string html = Get("/hall.html" + query);
        EXPECT_NE(html.find("欢迎您，游客"), std::string::npos);
        EXPECT_EQ(html.find("小明"), std::string::npos);
        EXPECT_EQ(html.find("（隐身）"), std::string::npos);
        EXPECT_NE(html.find("webgame:GuessNumber|0|1|2"), std::string::npos);
        EXPECT_EQ(Count(html, "vlkroomid:"), 6u);
    }
}

TEST_F(HallPageTest, MemberRegisteredMeanwhileIsGreeted)
{
    const std::string digest(32, 'd');
    const auto number = accounts.Register("新人", digest);
    ASSERT_TRUE(number);
    const std::string html = Get("/hall.html?UserID=" + std::to_string(*number) + "&password=" + digest + "&IsHide=0");
    EXPECT_NE(html.find("欢迎您，新人(" + std::to_string(*number) + ")"), std::string::npos);
}

TEST_F(HallPageTest, OtherPathsAreNotFound)
{
    for (const char* path : {"/", "/hall", "/hallXhtml", "/hall.html/x", "/index.html"})
        Get(path, 404);
}

TEST(HallPageStopTest, StopsRightAfterStartAndFreesThePort)
{
    const TServerConfig config = ParseServerConfig(kConfig);
    TAccountBook accounts(config.Accounts);
    uint16_t port = 0;
    {
        THallPage page(config, accounts);
        page.Start("127.0.0.1", 0);
        port = page.Port();
        page.Stop();
    }
    THallPage again(config, accounts);
    again.Start("127.0.0.1", port);
    httplib::Client client("127.0.0.1", port);
    auto result = client.Get("/hall.html");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    THallPage busy(config, accounts);
    EXPECT_THROW(busy.Start("127.0.0.1", port), std::runtime_error);
}

} // namespace
