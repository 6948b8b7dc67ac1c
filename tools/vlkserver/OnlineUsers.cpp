#include "OnlineUsers.h"

#include <limits>

namespace vlk::server {

TOnlineUsers::TOnlineUsers(size_t capacity) : random_(std::random_device{}()), capacity_(capacity > 0 ? capacity : 1)
{
}

std::optional<TOnlineUser> TOnlineUsers::Add(TOnlineUser& user)
{
    std::optional<TOnlineUser> dropped;
    if (byKey_.size() >= capacity_) {
        dropped = byKey_.at(byAge_.begin()->second).User;
        Remove(dropped->HallKey);
    }
    // Zero is what a client sends before it has logged in, so it never names a session.
    do
        user.HallKey = static_cast<uint32_t>(random_());
    while (user.HallKey == 0 || byKey_.contains(user.HallKey));
    Renew(user);
    user.GuestNumber = 0;
    if (user.UserID == 0) {
        // The table never holds more sessions than there are guest numbers, so a free one exists.
        while (guests_.contains(nextGuest_))
            nextGuest_ = nextGuest_ == std::numeric_limits<int32_t>::max() ? kFirstGuestNumber : nextGuest_ + 1;
        user.GuestNumber = nextGuest_;
        guests_[user.GuestNumber] = user.HallKey;
    }
    const uint64_t order = nextOrder_++;
    byKey_[user.HallKey] = {user, order};
    byAge_[order] = user.HallKey;
    if (user.UserID != 0)
        members_[user.UserID] = user.HallKey;
    return dropped;
}

TOnlineUser* TOnlineUsers::Find(uint32_t hallKey, int32_t userId)
{
    auto it = byKey_.find(hallKey);
    return it != byKey_.end() && it->second.User.UserID == userId ? &it->second.User : nullptr;
}

const TOnlineUser* TOnlineUsers::Find(uint32_t hallKey, int32_t userId) const
{
    return const_cast<TOnlineUsers*>(this)->Find(hallKey, userId);
}

const TOnlineUser* TOnlineUsers::FindMember(int32_t userId) const
{
    auto it = members_.find(userId);
    return it == members_.end() ? nullptr : &byKey_.at(it->second).User;
}

bool TOnlineUsers::Remove(uint32_t hallKey)
{
    auto it = byKey_.find(hallKey);
    if (it == byKey_.end())
        return false;
    byAge_.erase(it->second.Order);
    auto member = members_.find(it->second.User.UserID);
    if (member != members_.end() && member->second == hallKey)
        members_.erase(member);
    auto guest = guests_.find(it->second.User.GuestNumber);
    if (guest != guests_.end() && guest->second == hallKey)
        guests_.erase(guest);
    byKey_.erase(it);
    return true;
}

void TOnlineUsers::Renew(TOnlineUser& user)
{
    user.SessionValue = static_cast<uint32_t>(random_());
    user.SessionWord = static_cast<uint16_t>(random_());
}

std::vector<TOnlineUser> TOnlineUsers::RemoveIdle(uint32_t now, uint32_t maxIdle)
{
    std::vector<TOnlineUser> idle;
    for (const auto& [key, entry] : byKey_)
        if (entry.User.UserID != 0 && now - entry.User.LastSeen > maxIdle)
            idle.push_back(entry.User);
    for (const TOnlineUser& user : idle)
        Remove(user.HallKey);
    return idle;
}

} // namespace vlk::server
