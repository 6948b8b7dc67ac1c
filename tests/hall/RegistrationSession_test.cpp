// Registration against a scripted server over memory endpoints, on the manual clock: requests and
// answers go through the real channel, cipher and receive queue.
#include "hall/RegistrationSession.h"

#include "base/Gbk.h"
#include "base/ManualClock.h"
#include "net/Encrypt.h"
#include "net/support/MemoryUDP.h"
#include "shell/NetHelpers.h"
#include "shell/TextCipher.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace vlk;
using namespace vlk::test;

namespace {

const uint32_t kServerA = inet_addr("127.0.0.1");
const uint32_t kServerB = inet_addr("127.0.0.2");
const uint32_t kServerC = inet_addr("127.0.0.3");
const uint32_t kClient = inet_addr("127.0.0.9");
constexpr uint32_t kStart = 100000;

// What the session asked of its dialog, with the client time of each call.
struct FakeRegisterView : IRegisterView {
    struct Call {
        std::string what;   // "error", "information", "enable", "disable", "close"
        std::string text;
        uint32_t at;
    };
    std::vector<Call> calls;
    // Runs while a message box is up, as the box's own event loop would run timers.
    std::function<void()> whileShown;

    void ShowError(const std::string& text) override { Shown("error", text); }
    void ShowInformation(const std::string& text) override { Shown("information", text); }
    void SetRegisterEnabled(bool enabled) override { calls.push_back({enabled ? "enable" : "disable", {}, GetTickCount()}); }
    void CloseOk() override { calls.push_back({"close", {}, GetTickCount()}); }

    std::vector<Call> Of(const std::string& what) const
    {
        std::vector<Call> out;
        for (const auto& c : calls)
            if (c.what == what)
                out.push_back(c);
        return out;
    }

private:
    void Shown(const char* what, const std::string& text)
    {
        calls.push_back({what, text, GetTickCount()});
        if (whileShown)
            std::exchange(whileShown, nullptr)();
    }
};

struct Request {
    uint32_t to;
    uint16_t port;
    uint32_t at;
    std::vector<uint8_t> plain;
};

struct RegistrationFixture : ::testing::Test {
    ManualClock clock{kStart};
    ClockScope scope{clock};
    TvlkChatCFG cfg;
    FakeRegisterView view;
    TMemoryUDP* clientEndpoint = new TMemoryUDP;
    std::unique_ptr<TRegistrationSession> session;
    TMemoryChannel server;
    std::vector<Request> requests;
    uint32_t lastTo = 0;
    uint16_t lastPort = 0;
    // The server suppresses sequence numbers it has seen from a sender, so a new client channel
    // (which numbers from 0 again) comes from a new port.
    uint16_t clientPort = 5000;

    RegistrationFixture()
    {
        UseServers({kServerA, kServerB});
        session = std::make_unique<TRegistrationSession>(cfg, view, std::unique_ptr<TUDP>(clientEndpoint));
        session->Start();
        server.channel.OnReceive = [this](uint32_t, uint16_t, const uint8_t* d, size_t n) {
            std::vector<uint8_t> plain(d, d + n);
            plain.resize(Cipher().Decrypt(plain, n));
            requests.push_back({lastTo, lastPort, GetTickCount(), plain});
        };
    }
    ~RegistrationFixture() override { session.reset(); }

    void UseServers(std::vector<uint32_t> servers)
    {
        cfg.ServerCount = static_cast<int32_t>(servers.size());
        cfg.ServerAddresses = std::move(servers);
    }

    // Carries datagrams both ways (the server acknowledges what it receives).
    void Pump()
    {
        while (!clientEndpoint->sent.empty() || !server.endpoint->sent.empty()) {
            for (const auto& d : std::exchange(clientEndpoint->sent, {})) {
                lastTo = d.address;
                lastPort = d.port;
                server.Deliver(kClient, clientPort, d.bytes);
            }
            for (const auto& d : std::exchange(server.endpoint->sent, {}))
                clientEndpoint->DoReadPack(kServerA, kHallPort, d.bytes.size(), d.bytes.data());
        }
    }
    // Lets `ms` of client time pass in drain ticks, carrying the datagrams after each.
    void Run(uint32_t ms)
    {
        Pump();
        for (uint32_t t = 0; t < ms; t += TRegistrationSession::kDrainInterval) {
            clock.Advance(TRegistrationSession::kDrainInterval);
            Pump();
        }
    }
    // The server's answer, carried to the client's queue (not yet drained).
    void Answer(int16_t result, int32_t number)
    {
        THallRegisterAnswer answer;
        answer.SetResult(result);
        answer.SetNewUserID(number);
        std::vector<uint8_t> block(answer.data(), answer.data() + answer.size());
        const size_t n = Cipher().Encrypt(block, block.size());
        server.channel.Send(kClient, clientPort, true, n, block.data());
        Pump();
    }
    uint32_t Elapsed(uint32_t at) const { return at - kStart; }

    static TRegistrationFields Complete()
    {
        TRegistrationFields f;
        f.Nickname = "小明";
        f.Password = f.Confirmation = "secret";
        return f;
    }
};

} // namespace

TEST_F(RegistrationFixture, AsksOneServerEveryTwoSecondsAndFailsTwoSecondsAfterTheLast)
{
    const struct {
        const char* name;
        std::vector<uint32_t> servers;
        int32_t count;   // ServerCount as read; may promise more servers than the list holds
        std::vector<uint32_t> asked;
    } cases[] = {
        {"empty list", {}, 0, {}},
        {"one server", {kServerA}, 1, {kServerA}},
        {"three servers", {kServerA, kServerB, kServerC}, 3, {kServerA, kServerB, kServerC}},
        {"count beyond the list", {kServerA, kServerB}, 5, {kServerA, kServerB}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        requests.clear();
        view.calls.clear();
        cfg.ServerAddresses = c.servers;
        cfg.ServerCount = c.count;
        const uint32_t clicked = GetTickCount();
        session->btn_RegisterClick(Complete());
        ASSERT_EQ(view.calls.size(), 1u);
        EXPECT_EQ(view.calls[0].what, "disable");

        const uint32_t failAt = 2000 * static_cast<uint32_t>(c.asked.size() + 1);
        Run(failAt - 100);
        EXPECT_TRUE(view.Of("error").empty()) << "not before " << failAt << " ms";
        ASSERT_EQ(requests.size(), c.asked.size());
        for (size_t i = 0; i < c.asked.size(); ++i) {
            EXPECT_EQ(requests[i].to, c.asked[i]);
            EXPECT_EQ(requests[i].port, kHallPort);
            EXPECT_EQ(requests[i].at - clicked, 2000 * (i + 1));
            EXPECT_EQ(CommandCode(requests[i].plain.data(), requests[i].plain.size()), THallRegister::kCode);
        }

        Run(100);
        const auto errors = view.Of("error");
        ASSERT_EQ(errors.size(), 1u);
        EXPECT_EQ(errors[0].text, "注册失败！");
        EXPECT_EQ(errors[0].at - clicked, failAt);
        EXPECT_EQ(view.calls.back().what, "error");
        EXPECT_EQ(view.calls[view.calls.size() - 2].what, "enable") << "the button is usable again";

        Run(10000);
        EXPECT_EQ(requests.size(), c.asked.size()) << "the attempt is over";
        EXPECT_EQ(view.Of("error").size(), 1u);
    }
}

TEST_F(RegistrationFixture, IncompleteOrMismatchedFieldsAreRefusedWithoutSending)
{
    const struct {
        const char* nickname;
        const char* password;
        const char* confirmation;
        const char* message;
    } cases[] = {
        {"", "pw", "pw", "资料没有填写完整！"},
        {"小明", "", "", "资料没有填写完整！"},
        {"小明", "pw", "", "资料没有填写完整！"},
        {"小明", "", "pw", "资料没有填写完整！"},
        {"小明", "pw", "pW", "两次输入密码不相同！"},
        {"小明", "密码", "密玛", "两次输入密码不相同！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.nickname) + "/" + c.password + "/" + c.confirmation);
        view.calls.clear();
        TRegistrationFields f = Complete();
        f.Nickname = c.nickname;
        f.Password = c.password;
        f.Confirmation = c.confirmation;
        session->btn_RegisterClick(f);
        ASSERT_EQ(view.calls.size(), 1u) << "the button stays as it was";
        EXPECT_EQ(view.calls[0].what, "error");
        EXPECT_EQ(view.calls[0].text, c.message);
    }
    Run(10000);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(view.calls.size(), 1u);
}

TEST_F(RegistrationFixture, TheRequestCarriesEveryFieldCutToItsSizeOnCharacterBoundaries)
{
    TRegistrationFields f;
    f.Nickname = std::string(31, 'n');
    f.Password = f.Confirmation = "密码pw";
    f.HeadPicture = 7;
    f.Sex = 1;
    f.Age = 99;
    f.Country = "a";   // and 25 characters of two GBK bytes each: 51 bytes for a field of 50
    for (int i = 0; i < 25; ++i)
        f.Country += "国";
    f.Province = "浙江";
    f.Telephone = std::string(30, '1');
    f.Mobile = "13800000000";
    f.Email = std::string(28, 'e') + "@example.com";   // 40 characters
    f.QQ = "12345";
    f.Note = std::string(300, 'x');
    session->btn_RegisterClick(f);
    Run(2000);
    ASSERT_EQ(requests.size(), 1u);
    const std::vector<uint8_t>& plain = requests[0].plain;
    ASSERT_EQ(plain.size(), THallRegister::kLength);
    for (size_t i : {8u, 12u, 16u, 19u, 584u, 585u})
        EXPECT_EQ(plain[i], 0) << "byte " << i;

    const TRegistrationRecord r = ParseAs<THallRegister>(plain.data(), plain.size())->Record();
    EXPECT_EQ(r.i32(0), 0);
    EXPECT_EQ(r.Nickname(), std::string(30, 'n'));
    EXPECT_EQ(r.PasswordDigest(), Md5Hex(Utf8ToGbk("密码pw")));
    EXPECT_EQ(r.HeadPicture(), 7);
    EXPECT_EQ(r.Sex(), 1);
    EXPECT_EQ(r.Age(), 99);
    EXPECT_EQ(Utf8ToGbk(r.Country()).size(), 49u) << "the character that does not fit whole is left out";
    EXPECT_EQ(r.Country().substr(0, 4), "a国");
    EXPECT_EQ(r.Province(), "浙江");
    EXPECT_EQ(r.Telephone(), std::string(30, '1'));
    EXPECT_EQ(r.Mobile(), "13800000000");
    EXPECT_EQ(r.Email(), f.Email.substr(0, 30));
    EXPECT_EQ(r.QQ(), "12345");
    EXPECT_EQ(r.Note(), std::string(250, 'x'));
    EXPECT_EQ(r.MacAddress(), GetMacAddress());
}

TEST_F(RegistrationFixture, AnAnswerEndsTheAttempt)
{
    const struct {
        const char* name;
        int16_t result;
        int32_t number;
        bool registered;
    } cases[] = {
        {"accepted", 0, 10123, true},
        {"refused", 1, 0, false},
        {"refused with a number", -1, 10123, false},
        {"accepted without a usable number", 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        requests.clear();
        view.calls.clear();
        session = std::make_unique<TRegistrationSession>(cfg, view, std::unique_ptr<TUDP>(clientEndpoint = new TMemoryUDP));
        session->Start();
        ++clientPort;
        session->btn_RegisterClick(Complete());
        Run(2000);
        ASSERT_EQ(requests.size(), 1u);
        Answer(c.result, c.number);
        Run(100);
        if (c.registered) {
            EXPECT_EQ(session->NewUserID(), c.number);
            ASSERT_EQ(view.calls.size(), 3u);
            EXPECT_EQ(view.calls[1].what, "information");
            EXPECT_EQ(view.calls[1].text, "请牢记您的ID：10123");
            EXPECT_EQ(view.calls[2].what, "close");
        } else {
            EXPECT_EQ(session->NewUserID(), 0);
            ASSERT_EQ(view.calls.size(), 3u);
            EXPECT_EQ(view.calls[1].what, "enable");
            EXPECT_EQ(view.calls[2].what, "error");
            EXPECT_EQ(view.calls[2].text, "注册失败！");
        }
        Run(10000);
        EXPECT_EQ(requests.size(), 1u) << "no other server is asked";
        EXPECT_EQ(view.calls.size(), 3u) << "and no failure follows";
    }
}

TEST_F(RegistrationFixture, AnAnswerAfterTheFailureStillRegisters)
{
    UseServers({kServerA});
    session->btn_RegisterClick(Complete());
    Run(4000);
    ASSERT_EQ(view.Of("error").size(), 1u);
    Answer(0, 10050);
    Run(100);
    EXPECT_EQ(session->NewUserID(), 10050);
    EXPECT_EQ(view.Of("information").at(0).text, "请牢记您的ID：10050");
    EXPECT_EQ(view.calls.back().what, "close");
}

TEST_F(RegistrationFixture, TheFirstNumberGivenIsKept)
{
    session->btn_RegisterClick(Complete());
    Run(4000);
    ASSERT_EQ(requests.size(), 2u) << "both servers were asked";
    // Both answer; the second arrives while the first number is still on the screen.
    Answer(0, 10001);
    view.whileShown = [this] {
        Answer(0, 10002);
        Run(1000);
    };
    Run(100);
    Run(3000);
    EXPECT_EQ(session->NewUserID(), 10001);
    ASSERT_EQ(view.Of("information").size(), 1u);
    EXPECT_EQ(view.Of("information")[0].text, "请牢记您的ID：10001");
    EXPECT_EQ(view.Of("close").size(), 1u);
}

TEST_F(RegistrationFixture, ARefusalOnScreenHoldsBackTheNextAnswerUntilItIsClosed)
{
    session->btn_RegisterClick(Complete());
    Run(4000);
    Answer(1, 0);
    // While the refusal is shown, a second server accepts.
    view.whileShown = [this] {
        Answer(0, 10077);
        Run(1000);
        EXPECT_EQ(session->NewUserID(), 0) << "handled inside the refusal's box";
    };
    Run(100);
    EXPECT_EQ(view.Of("error").size(), 1u);
    Run(2000);
    EXPECT_EQ(session->NewUserID(), 10077);
    EXPECT_EQ(view.calls.back().what, "close");
}
