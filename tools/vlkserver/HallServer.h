#pragma once
// The hall server on port 23456: probes, log-in and log-out, keep-alives, the first step of
// entering a room, registration and web-game results. Sessions live in a TOnlineUsers table it
// shares with the room servers; members whose keep-alives stop are dropped.
#include "AccountBook.h"
#include "OnlineUsers.h"
#include "ServerConfig.h"
#include "SignalServer.h"

#include "base/Clock.h"
#include "hall/HallMessages.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vlk::server {

namespace halltext {
inline constexpr char kUnknownUser[] = "用户不存在";
inline constexpr char kWrongPassword[] = "密码错误";
inline constexpr char kGuestNickname[] = "游客";
} // namespace halltext

class THallServer {
public:
    // The client gives up after 200 s without a keep-alive answer; the server forgets it as late.
    static constexpr uint32_t kSessionLost = 200000;
    static constexpr uint32_t kSweepInterval = 10000;
    static constexpr int32_t kGuestRoomLimit = 2;
    static constexpr int16_t kRegistrationRefused = 1;

    THallServer(const TServerConfig& config, TAccountBook& accounts, TOnlineUsers& online,
                std::unique_ptr<TUDP> endpoint = std::make_unique<TUDP>());

    // Binds the listen address, port 23456; throws TUDPException when it cannot.
    void Start();
    void Stop();

    // One plain message from address:port (main loop).
    void Handle(const std::vector<uint8_t>& message, uint32_t address, uint16_t port);
    // Drops the members whose keep-alives stopped (the sweep timer's work).
    void Sweep();

    TSignalServer& Server() { return server_; }
    // The wall clock sent with the King and Queen; tests set their own.
    std::function<double()> DateTimeNow;

private:
    void OnProbe(uint32_t address, uint16_t port);
    void OnLogin(const THallLogin& m, uint32_t address, uint16_t port);
    void RefuseLogin(const THallLogin& m, const char* error, uint32_t address, uint16_t port);
    void SendHallData(uint32_t address, uint16_t port);
    void OnKeepAlive(const THallKeepAlive& m, uint32_t address, uint16_t port);
    void OnLogout(const THallLogout& m, uint32_t address, uint16_t port);
    void OnEnterRoom(const THallEnterRoom& m, uint32_t address, uint16_t port);
    void OnRegister(const THallRegister& m, uint32_t address, uint16_t port);
    void OnWebGameResult(const THallWebGameResult& m, uint32_t address, uint16_t port);

    const TServerConfig& config_;
    TAccountBook& accounts_;
    TOnlineUsers& online_;
    TSignalServer server_;
    TTimer sweepTimer_;
    double crowned_ = 0;   // the King's and Queen's reign starts with the server
};

} // namespace vlk::server
