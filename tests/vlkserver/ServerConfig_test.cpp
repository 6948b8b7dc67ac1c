// vlkserver's configuration file: defaults, the shipped sample, and an error naming the field for
// every kind of bad value.
#include "ServerConfig.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>

using namespace vlk;
using namespace vlk::server;
using nlohmann::json;

namespace {

json MinimalConfig()
{
    return json::parse(R"({
      "accounts": [{"number": 10001, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "小明"},
                   {"number": 10002, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "小红"}],
      "rooms": [{"number": 501, "name": "音乐大厅", "line": 1}, {"number": 502, "name": "K歌之王", "line": 2}]
    })");
}

TEST(ServerConfigTest, MinimalConfigTakesTheDefaults)
{
    const TServerConfig c = ParseServerConfig(MinimalConfig().dump());
    EXPECT_EQ(c.Listen, "127.0.0.1");
    EXPECT_EQ(c.ListenAddress, inet_addr("127.0.0.1"));
    EXPECT_EQ(c.HttpPort, 8080);
    EXPECT_EQ(c.HallPageUrl(), "http://127.0.0.1:8080/hall.html");
    EXPECT_EQ(c.SecondUrl, c.HallPageUrl());
    EXPECT_EQ(c.MediaValue, 0);
    EXPECT_EQ(c.King, 0);
    ASSERT_EQ(c.Accounts.size(), 2u);
    EXPECT_EQ(c.Accounts[0].Level, TAccount::kMemberLevel);
    EXPECT_EQ(c.Accounts[0].RoomLimit, TAccount::kDefaultRoomLimit);
    EXPECT_FALSE(c.Accounts[0].Hidden);
    ASSERT_NE(c.FindRoom(502), nullptr);
    EXPECT_EQ(c.FindRoom(502)->Line, 2);
    EXPECT_EQ(c.FindRoom(502)->Password, "");
    EXPECT_EQ(c.FindRoom(999), nullptr);
}

TEST(ServerConfigTest, ShippedSampleIsValid)
{
    const auto path = std::filesystem::path(__FILE__).parent_path() / "../../data/vlkserver.json";
    const TServerConfig c = LoadServerConfig(path.string());
    ASSERT_EQ(c.Accounts.size(), 3u);
    EXPECT_EQ(c.Accounts[0].Number, 10001);
    EXPECT_EQ(c.Accounts[0].Nickname, "小明");
    EXPECT_EQ(c.Accounts[0].PasswordDigest, "e10adc3949ba59abbe56e057f20f883e");   // 123456
    EXPECT_EQ(c.Accounts[2].PasswordDigest, "21218cca77804d2ba1922c33e0151105");   // 888888
    ASSERT_NE(c.FindRoom(502), nullptr);
    EXPECT_EQ(c.FindRoom(502)->Password, "8888");
    EXPECT_EQ(c.FindRoom(503)->Line, 3);
    EXPECT_EQ(c.FindRoom(501)->Admins, std::vector<int32_t>{10002});
    EXPECT_EQ(c.King, 10001);
    EXPECT_EQ(c.Queen, 10002);
    EXPECT_FALSE(c.WeekStars.empty());
}

TEST(ServerConfigTest, UnreadableFileIsAnError)
{
    EXPECT_THROW(LoadServerConfig("/nonexistent/vlkserver.json"), TConfigError);
}

struct BadConfig {
    const char* name;
    std::function<void(json&)> change;
    const char* error;   // the start of the message: the field and what is wrong with it
};

TEST(ServerConfigTest, BadConfigsNameTheField)
{
    const std::string longName(26, 'x');
    const BadConfig cases[] = {
        {"not an object", [](json& j) { j = json::array(); }, "configuration: expected an object"},
        {"unknown top-level field", [](json& j) { j["titel"] = "x"; }, "titel: unknown field"},
        {"accounts missing", [](json& j) { j.erase("accounts"); }, "accounts: missing"},
        {"rooms not a list", [](json& j) { j["rooms"] = 5; }, "rooms: expected a list"},
        {"listen is a host name", [](json& j) { j["listen"] = "localhost"; }, "listen: expected the dotted"},
        {"listen is the any address", [](json& j) { j["listen"] = "0.0.0.0"; }, "listen: expected the dotted"},
        {"http port out of range", [](json& j) { j["httpPort"] = 70000; }, "httpPort: must lie between 1 and 65535"},
        {"http port as text", [](json& j) { j["httpPort"] = "80"; }, "httpPort: expected a whole number"},
        {"media value too large", [](json& j) { j["mediaValue"] = 4294967296LL; }, "mediaValue: must lie between"},
        {"chat filter not a pattern", [](json& j) { j["chatFilter"] = "(坏话"; }, "chatFilter: not a valid regular expression"},
        {"account number 0", [](json& j) { j["accounts"][0]["number"] = 0; }, "accounts[0].number: must lie between"},
        {"account number among the guests'", [](json& j) { j["accounts"][0]["number"] = 2000000000; },
         "accounts[0].number: must lie between 1 and 1999999999"},
        {"account number twice", [](json& j) { j["accounts"][1]["number"] = 10001; }, "accounts[1].number: account 10001 is listed twice"},
        {"clear password", [](json& j) { j["accounts"][0]["passwordMd5"] = "123456"; }, "accounts[0].passwordMd5: expected the MD5"},
        {"digest not hexadecimal", [](json& j) { j["accounts"][1]["passwordMd5"] = std::string(32, 'g'); }, "accounts[1].passwordMd5"},
        {"nickname missing", [](json& j) { j["accounts"][0].erase("nickname"); }, "accounts[0].nickname: missing"},
        {"nickname of 32 GBK bytes", [](json& j) { j["accounts"][0]["nickname"] = "一二三四五六七八九十一二三四五六"; },
         "accounts[0].nickname: longer than 30 bytes in GBK"},
        {"level above 255", [](json& j) { j["accounts"][0]["level"] = 256; }, "accounts[0].level"},
        {"hidden as a number", [](json& j) { j["accounts"][0]["hidden"] = 1; }, "accounts[0].hidden: expected true or false"},
        {"account field misspelt", [](json& j) { j["accounts"][1]["nickame"] = "x"; }, "accounts[1].nickame: unknown field"},
        {"room line 4", [](json& j) { j["rooms"][1]["line"] = 4; }, "rooms[1].line: must lie between 1 and 3"},
        {"room line missing", [](json& j) { j["rooms"][0].erase("line"); }, "rooms[0].line: missing"},
        {"room number twice", [](json& j) { j["rooms"][1]["number"] = 501; }, "rooms[1].number: room 501 is listed twice"},
        {"empty room name", [](json& j) { j["rooms"][0]["name"] = ""; }, "rooms[0].name: must not be empty"},
        {"room name of 52 bytes", [&](json& j) { j["rooms"][0]["name"] = longName + longName; }, "rooms[0].name: longer than 50"},
        {"room password of 21 characters", [](json& j) { j["rooms"][0]["password"] = std::string(21, '8'); },
         "rooms[0].password: longer than 20"},
        {"room password misspelt", [](json& j) { j["rooms"][0]["pasword"] = "8888"; }, "rooms[0].pasword: unknown field"},
        {"gift interval not a step", [](json& j) { j["rooms"][0]["giftInterval"] = 99; }, "rooms[0].giftInterval: must be 200"},
        {"17 public mics", [](json& j) { j["rooms"][0]["publicMics"] = 17; }, "rooms[0].publicMics"},
        {"five links", [](json& j) { j["rooms"][0]["links"] = json::array({{{"caption", "a"}, {"url", "b"}}, {{"caption", "a"}, {"url", "b"}},
                                                                           {{"caption", "a"}, {"url", "b"}}, {{"caption", "a"}, {"url", "b"}},
                                                                           {{"caption", "a"}, {"url", "b"}}}); },
         "rooms[0].links: more than 4 entries"},
        {"link without url", [](json& j) { j["rooms"][0]["links"] = json::array({{{"caption", "官网"}}}); }, "rooms[0].links[0].url: missing"},
        {"admin without account", [](json& j) { j["rooms"][0]["admins"] = json::array({10002, 10009}); }, "rooms[0].admins[1]: no account 10009"},
        {"admin as text", [](json& j) { j["rooms"][0]["admins"] = json::array({"10002"}); }, "rooms[0].admins[0]: expected a member number"},
        {"admin twice", [](json& j) { j["rooms"][1]["admins"] = json::array({10002, 10002}); }, "rooms[1].admins[1]: 10002 is listed twice"},
        {"owner as admin", [](json& j) { j["rooms"][1]["owner"] = 10001; j["rooms"][1]["admins"] = json::array({10001}); },
         "rooms[1].admins[0]: the owner is not an admin as well"},
        {"owner without account", [](json& j) { j["rooms"][1]["owner"] = 10009; }, "rooms[1].owner: no account 10009"},
        {"king without account", [](json& j) { j["king"] = 99999; }, "king: no account 99999"},
        {"queen negative", [](json& j) { j["queen"] = -1; }, "queen: must lie between"},
        {"week star without account", [](json& j) { j["weekStars"] = json::array({{{"user", 10002}, {"gift", 1}}, {{"user", 4}, {"gift", 1}}}); },
         "weekStars[1].user: no account 4"},
        {"month star without gift", [](json& j) { j["monthStars"] = json::array({{{"user", 10001}}}); }, "monthStars[0].gift: missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        json config = MinimalConfig();
        c.change(config);
        try {
            ParseServerConfig(config.dump());
            ADD_FAILURE() << "accepted";
        } catch (const TConfigError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.error, 0), 0u) << e.what();
        }
    }
}

TEST(ServerConfigTest, TextThatIsNotJsonIsAnError)
{
    for (const char* text : {"", "{", "{\"accounts\": [], }", "\xff\xfe{}"}) {
        SCOPED_TRACE(text);
        try {
            ParseServerConfig(text);
            ADD_FAILURE() << "accepted";
        } catch (const TConfigError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("not valid JSON", 0), 0u) << e.what();
        }
    }
}

} // namespace
