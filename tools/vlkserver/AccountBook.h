#pragma once
// The members the server knows: those of the configuration and those registered since it started.
// The hall page reads it on its own thread while the hall registers new members, hence the lock.
#include "ServerConfig.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vlk::server {

class TAccountBook {
public:
    static constexpr int32_t kFirstRegisteredNumber = 10000;
    // Anyone can register, so the process holds at most this many new members.
    static constexpr size_t kMaxRegistrations = 10000;

    explicit TAccountBook(const std::vector<TAccount>& accounts);

    std::optional<TAccount> Find(int32_t number) const;
    // The new member's number: the lowest free one from kFirstRegisteredNumber up; nothing once
    // kMaxRegistrations members have registered.
    std::optional<int32_t> Register(const std::string& nickname, const std::string& passwordDigest);

private:
    mutable std::mutex lock_;
    std::map<int32_t, TAccount> accounts_;
    size_t registered_ = 0;
    int32_t nextFree_ = kFirstRegisteredNumber;
};

} // namespace vlk::server
