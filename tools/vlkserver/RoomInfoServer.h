#pragma once
// The room-information server of one line (port 20011, 20022 or 20033): the second step of entering
// a room. It checks the room and its password and the member's hall session and answers with the
// member's and the room's records and the address of the room server.
#include "OnlineUsers.h"
#include "ServerConfig.h"
#include "SignalServer.h"

#include "hall/HallMessages.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vlk::server {

namespace roomtext {
inline constexpr char kNoSuchRoom[] = "房间不存在";
inline constexpr char kWrongPassword[] = "房间密码错误";
inline constexpr char kNotLoggedIn[] = "用户未登录大厅";
} // namespace roomtext

class TRoomInfoServer {
public:
    TRoomInfoServer(const TServerConfig& config, int32_t line, const TOnlineUsers& online,
                    std::unique_ptr<TUDP> endpoint = std::make_unique<TUDP>());

    // Binds the listen address and the line's port; throws TUDPException when it cannot.
    void Start();
    void Stop();

    // One plain message from address:port (main loop).
    void Handle(const std::vector<uint8_t>& message, uint32_t address, uint16_t port);

    uint16_t Port() const { return RoomLinePort(line_); }
    TSignalServer& Server() { return server_; }

private:
    void OnRequest(const TRoomInfoRequest& m, uint32_t address, uint16_t port);

    const TServerConfig& config_;
    int32_t line_;
    const TOnlineUsers& online_;
    TSignalServer server_;
};

} // namespace vlk::server
