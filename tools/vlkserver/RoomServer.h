#pragma once
// The room server of one line (port 20011, 20022 or 20033), hosting every room of that line. It
// answers the second step of entering a room (the member's and the room's records, after checking
// the room, its password and the hall session) and admits the member for a short while; the room
// window then enters with that admission and keeps its presence with keep-alives until it leaves
// or falls silent.
#include "HostedRoom.h"
#include "OnlineUsers.h"
#include "RoomMember.h"
#include "ServerConfig.h"
#include "SignalServer.h"

#include "base/Clock.h"
#include "hall/HallMessages.h"
#include "room/SessionMessagesOut.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace vlk::server {

namespace roomtext {
inline constexpr char kNoSuchRoom[] = "房间不存在";
inline constexpr char kWrongPassword[] = "房间密码错误";
inline constexpr char kNotLoggedIn[] = "用户未登录大厅";
inline constexpr char kRoomFull[] = "房间人数已满";
} // namespace roomtext

class TRoomServer {
public:
    // The room window gives up after 300 s without a keep-alive answer; the server forgets it as late.
    static constexpr uint32_t kPresenceLost = 300000;
    static constexpr uint32_t kSweepInterval = 10000;
    // The room window enters right after the room information arrives.
    static constexpr uint32_t kAdmissionLife = 60000;
    // Admissions are handed to anyone with a hall session, so they are bounded; the oldest goes.
    static constexpr size_t kMaxAdmissions = 4096;

    TRoomServer(const TServerConfig& config, int32_t line, const TOnlineUsers& online,
                std::unique_ptr<TUDP> endpoint = std::make_unique<TUDP>());

    // Binds the listen address and the line's port; throws TUDPException when it cannot.
    void Start();
    void Stop();

    // One plain message from address:port (main loop).
    void Handle(const std::vector<uint8_t>& message, uint32_t address, uint16_t port);
    // Drops the users whose keep-alives stopped and forgets stale admissions (the sweep timer's work).
    void Sweep();

    uint16_t Port() const { return RoomLinePort(line_); }
    TSignalServer& Server() { return server_; }
    // The wall clock the user list carries; tests set their own.
    std::function<double()> DateTimeNow;

private:
    struct TAdmission {
        TRoomMember Member;
        uint32_t Granted = 0;
    };
    using TAdmissionKey = std::pair<uint32_t, int32_t>;   // hall key, room

    void OnRoomInfo(const TRoomInfoRequest& m, uint32_t address, uint16_t port);
    void OnEnter(const TEnterRoom& m, uint32_t address, uint16_t port);
    void OnKeepAlive(const TKeepAlive& m, uint32_t address, uint16_t port);
    void OnLeave(const TLeaveRoom& m, uint32_t address, uint16_t port);
    THostedRoom* Room(int32_t number);
    // The presence that sent a request with the room header; nothing (and a debug line) otherwise.
    TPresence* Sender(const TRoomRequest& m, uint32_t address, uint16_t port);
    void Admit(const TRoomMember& member, int32_t room);
    TConnectionTag NewTag();

    const TServerConfig& config_;
    int32_t line_;
    const TOnlineUsers& online_;
    TSignalServer server_;
    TTimer sweepTimer_;
    std::mt19937 random_;
    std::map<int32_t, THostedRoom> rooms_;   // the rooms of this line, by number
    std::map<TAdmissionKey, TAdmission> admissions_;
};

} // namespace vlk::server
