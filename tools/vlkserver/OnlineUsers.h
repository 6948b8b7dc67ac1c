#pragma once
// Who is logged in to the hall. A session is found by its hall key, which the log-in answer hands
// out and every later request carries; a member number has at most one session, guests (number 0)
// any number of them. The table is bounded: when it is full the oldest session goes.
// In the rooms a guest cannot go by number 0, which stands for everybody there, so each guest
// session gets a number of its own above every member number.
#include "ServerConfig.h"

#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace vlk::server {

struct TOnlineUser {
    int32_t UserID = 0;
    std::string Nickname;
    std::string PasswordDigest;
    uint8_t Level = 0;
    bool Hidden = false;
    int32_t Coins = 0;
    int32_t Points = 0;
    uint32_t HallKey = 0;
    uint32_t SessionValue = 0;
    uint16_t SessionWord = 0;
    uint32_t Address = 0;   // network order
    uint16_t Port = 0;
    uint32_t LastSeen = 0;  // tick of the log-in or the last keep-alive
    int32_t GuestNumber = 0;   // handed out by TOnlineUsers::Add to guests

    // The number the user goes by in rooms.
    int32_t RoomUserNumber() const { return UserID != 0 ? UserID : GuestNumber; }
};

class TOnlineUsers {
public:
    static constexpr size_t kDefaultCapacity = 4096;
    static constexpr int32_t kFirstGuestNumber = TAccount::kMaxNumber + 1;

    explicit TOnlineUsers(size_t capacity = kDefaultCapacity);

    // Gives the user a fresh hall key and session value and word (and a guest a guest number no
    // other session holds) and adds it; returns the session dropped to make room, if any. A member
    // must not be online already (see FindMember).
    std::optional<TOnlineUser> Add(TOnlineUser& user);
    TOnlineUser* Find(uint32_t hallKey, int32_t userId);
    const TOnlineUser* Find(uint32_t hallKey, int32_t userId) const;
    const TOnlineUser* FindMember(int32_t userId) const;
    bool Remove(uint32_t hallKey);
    // A new session value and word, as each keep-alive answer hands out.
    void Renew(TOnlineUser& user);
    // Drops the members not seen for more than maxIdle ms and returns them. Guests stay: their
    // client never sends keep-alives.
    std::vector<TOnlineUser> RemoveIdle(uint32_t now, uint32_t maxIdle);
    size_t Size() const { return byKey_.size(); }

private:
    struct TEntry {
        TOnlineUser User;
        uint64_t Order;
    };

    std::mt19937 random_;
    size_t capacity_;
    uint64_t nextOrder_ = 0;
    std::unordered_map<uint32_t, TEntry> byKey_;
    std::map<uint64_t, uint32_t> byAge_;   // log-in order -> hall key
    std::unordered_map<int32_t, uint32_t> members_;   // member number -> hall key
    std::unordered_map<int32_t, uint32_t> guests_;    // guest number -> hall key
    int32_t nextGuest_ = kFirstGuestNumber;
};

} // namespace vlk::server
