#pragma once
// The three link schemes through which the hall page drives the client. Any other address is an
// ordinary page the browser opens itself.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vlk {

class THallSession;

struct THallLink {
    enum class Kind { Room, WebGame, GameCenter };
    Kind kind = Kind::Room;
    // Room links: room 0 enters nothing.
    int32_t room = 0;
    uint8_t choice = 0;
    // Web-game links.
    std::string game;
    int32_t user = 0;
    int32_t first = 0;
    int32_t second = 0;
};

// The link an address stands for, or nothing for an ordinary address. The scheme is compared
// without regard to case; numbers that do not parse count as 0.
std::optional<THallLink> ParseHallLink(const std::string& address);

// Acts on a link for the local user: room links enter the room, a web game of the local user sends
// its result, the game centre is started by startGameCenter.
void FollowHallLink(const THallLink& link, THallSession& session, int32_t localUser,
                    const std::function<void()>& startGameCenter);

} // namespace vlk
