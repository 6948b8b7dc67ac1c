#pragma once
// vlkserver's hall and its three room servers over memory endpoints on a manual clock,
// with clients that talk to them through real channels and the real cipher. Datagrams are carried
// by Settle; what reaches a client is kept deciphered.
#include "HallServer.h"
#include "RoomServer.h"

#include "base/ManualClock.h"
#include "net/Encrypt.h"
#include "net/Envelope.h"
#include "net/support/MemoryUDP.h"
#include "room/LocalUserInfo.h"
#include "room/SessionMessagesIn.h"
#include "room/SessionMessagesOut.h"

#include <arpa/inet.h>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace vlk::test {

// Two members (123456 and 888888), an open room per line and a password room on line 2.
inline constexpr char kHarnessConfig[] = R"({
  "listen": "127.0.0.1", "httpPort": 8080, "mediaValue": 7, "chatFilter": "坏话|脏话",
  "accounts": [
    {"number": 10001, "passwordMd5": "e10adc3949ba59abbe56e057f20f883e", "nickname": "小明",
     "level": 15, "roomLimit": 3, "hidden": true, "coins": 500, "points": 20},
    {"number": 10002, "passwordMd5": "21218cca77804d2ba1922c33e0151105", "nickname": "小红"}
  ],
  "rooms": [
    {"number": 501, "name": "音乐大厅", "line": 1, "notice": "公告", "welcome": "欢迎",
     "publicMics": 3, "maxUsers": 150, "chatInterval": 4, "owner": 10001},
    {"number": 502, "name": "K歌之王", "line": 2, "password": "8888"},
    {"number": 503, "name": "夜色温柔", "line": 3}
  ],
  "weekStars": [{"user": 10001, "gift": 3}],
  "monthStars": [{"user": 10002, "gift": 4}, {"user": 10001, "gift": 5}],
  "king": 10001, "queen": 10002
})";
inline constexpr char kDigest123456[] = "e10adc3949ba59abbe56e057f20f883e";
inline constexpr char kDigest888888[] = "21218cca77804d2ba1922c33e0151105";

class TServerHarness {
public:
    struct TClient {
        TClient(uint32_t a, uint16_t p) : address(a), port(p) {}
        uint32_t address;
        uint16_t port;
        TMemoryChannel link;
        std::vector<std::vector<uint8_t>> received;

        std::vector<int32_t> Codes() const
        {
            std::vector<int32_t> codes;
            for (const auto& m : received)
                codes.push_back(CommandCode(m.data(), m.size()));
            return codes;
        }
        // Every received message of type M, in arrival order.
        template <class M>
        std::vector<M> All() const
        {
            std::vector<M> out;
            for (const auto& m : received)
                if (auto parsed = ParseAs<M>(m.data(), m.size()))
                    out.push_back(*parsed);
            return out;
        }
        template <class M>
        std::optional<M> Last() const
        {
            auto all = All<M>();
            return all.empty() ? std::nullopt : std::optional<M>(all.back());
        }
    };

    ManualClock clock{100000};
    ClockScope scope{clock};
    server::TServerConfig config;
    server::TAccountBook accounts;
    server::TOnlineUsers online;
    std::map<uint16_t, TMemoryUDP*> serverEndpoints;   // by port
    std::unique_ptr<server::THallServer> hall;
    std::vector<std::unique_ptr<server::TRoomServer>> lines;

    explicit TServerHarness(const char* json = kHarnessConfig,
                            size_t sessionCapacity = server::TOnlineUsers::kDefaultCapacity)
        : config(server::ParseServerConfig(json)), accounts(config.Accounts), online(sessionCapacity)
    {
        auto* endpoint = new TMemoryUDP;
        serverEndpoints[kHallPort] = endpoint;
        hall = std::make_unique<server::THallServer>(config, accounts, online, std::unique_ptr<TUDP>(endpoint));
        hall->DateTimeNow = [] { return 46000.25; };
        hall->Start();
        for (int32_t line = 1; line <= 3; ++line) {
            endpoint = new TMemoryUDP;
            serverEndpoints[RoomLinePort(line)] = endpoint;
            lines.push_back(std::make_unique<server::TRoomServer>(config, line, online, std::unique_ptr<TUDP>(endpoint)));
            lines.back()->DateTimeNow = [] { return 46000.5; };
            lines.back()->Start();
        }
    }

    // A client at 127.0.0.x:port.
    TClient& Client(uint8_t host, uint16_t port = 5000)
    {
        const uint32_t address = inet_addr(("127.0.0." + std::to_string(host)).c_str());
        auto& slot = clients_[{address, port}];
        if (!slot) {
            slot = std::make_unique<TClient>(address, port);
            TClient* client = slot.get();
            client->link.channel.OnReceive = [client](uint32_t, uint16_t, const uint8_t* d, size_t n) {
                std::vector<uint8_t> plain(d, d + n);
                Cipher().Decrypt(plain, n);
                client->received.push_back(std::move(plain));
            };
        }
        return *slot;
    }

    // Enciphers the message, sends it from the client to the server on port and lets everything settle.
    void Send(TClient& client, uint16_t port, const TMessage& message)
    {
        SendBytes(client, port, std::vector<uint8_t>(message.data(), message.data() + message.size()));
    }
    void SendBytes(TClient& client, uint16_t port, std::vector<uint8_t> plain)
    {
        const size_t n = Cipher().Encrypt(plain, plain.size());
        client.link.channel.Send(config.ListenAddress, port, true, n, plain.data());
        Settle();
    }
    // A datagram as it comes from the network, past every channel and cipher.
    void SendRaw(TClient& client, uint16_t port, const std::vector<uint8_t>& datagram)
    {
        serverEndpoints.at(port)->DoReadPack(client.address, client.port, datagram.size(), datagram.data());
        Settle();
    }

    // Carries datagrams both ways and lets the servers drain their queues, until nothing moves.
    void Settle()
    {
        for (int idle = 0; idle < 3;) {
            bool moved = false;
            for (auto& [key, client] : clients_)
                for (const auto& d : std::exchange(client->link.endpoint->sent, {})) {
                    moved = true;
                    if (d.address == config.ListenAddress && serverEndpoints.contains(d.port))
                        serverEndpoints[d.port]->DoReadPack(client->address, client->port, d.bytes.size(), d.bytes.data());
                }
            for (auto& [port, endpoint] : serverEndpoints)
                for (const auto& d : std::exchange(endpoint->sent, {})) {
                    moved = true;
                    auto it = clients_.find({d.address, d.port});
                    if (it != clients_.end())
                        it->second->link.Deliver(config.ListenAddress, port, d.bytes);
                }
            clock.Advance(server::TSignalServer::kDrainInterval);
            idle = moved ? 0 : idle + 1;
        }
    }

    // Lets time pass with nothing in flight. The drain timers have nothing to do meanwhile, so they
    // are held, which spares firing them every millisecond of a long wait. What the servers' own
    // timers sent meanwhile is delivered at the end.
    void Idle(uint32_t ms)
    {
        Settle();
        hall->Server().Signalling().Stop();
        for (auto& line : lines)
            line->Server().Signalling().Stop();
        clock.Advance(ms);
        hall->Server().Signalling().Start();
        for (auto& line : lines)
            line->Server().Signalling().Start();
        Settle();
    }

    // Logs the client in; returns the user record of the answer.
    THallUserInfo LogIn(TClient& client, int32_t userId, const std::string& digest)
    {
        THallLogin login;
        login.SetUserID(userId);
        login.SetPasswordDigest(digest);
        Send(client, kHallPort, login);
        return client.Last<THallLoginAnswer>().value().UserInfo();
    }

    THallEnterRoomAnswer EnterRoom(TClient& client, const THallUserInfo& user, int32_t room)
    {
        THallEnterRoom enter;
        enter.SetHallKey(user.HallKey());
        enter.SetUserID(user.UserID());
        enter.SetRoomID(room);
        enter.SetSessionValue(user.SessionValue());
        enter.SetSessionWord(user.SessionWord());
        Send(client, kHallPort, enter);
        return client.Last<THallEnterRoomAnswer>().value();
    }

    TRoomInfoAnswer RoomInfo(TClient& client, const THallUserInfo& user, int32_t room, uint16_t port,
                             const std::string& roomPassword = {})
    {
        TRoomInfoRequest request;
        request.SetUserID(user.UserID());
        request.SetRoomID(room);
        request.SetHallKey(user.HallKey());
        request.SetPasswordDigest(user.PasswordDigest());
        request.SetRoomPassword(roomPassword);
        request.SetTargetAddress(config.ListenAddress);
        request.SetTargetPort(port);
        Send(client, port, request);
        return client.Last<TRoomInfoAnswer>().value();
    }

    uint16_t LinePort(int32_t room) const { return RoomLinePort(config.FindRoom(room)->Line); }

    // Enters the room as a member's hall and room window do: the room information through
    // hallClient, then 20013 from window. The identity the window's later requests carry, tag
    // included; nothing when either step is refused.
    std::optional<TRoomIdentity> Enter(TClient& hallClient, TClient& window, const THallUserInfo& user, int32_t room,
                                       const std::string& roomPassword = {})
    {
        const auto info = RoomInfo(hallClient, user, room, LinePort(room), roomPassword);
        if (!info.ErrorText().empty())
            return std::nullopt;
        const auto local = TLocalUserInfo::Parse(info.LocalUserBytes().data(), TLocalUserInfo::kSize).value();
        const size_t acks = window.All<TEnterAck>().size();
        Send(window, LinePort(room), TEnterRoom({local.UserNumber(), room, local.HallKey(), {}}));
        const auto all = window.All<TEnterAck>();
        if (all.size() == acks)
            return std::nullopt;
        return TRoomIdentity{local.UserNumber(), room, local.HallKey(), all.back().Tag()};
    }

private:
    std::map<std::pair<uint32_t, uint16_t>, std::unique_ptr<TClient>> clients_;
};

} // namespace vlk::test
