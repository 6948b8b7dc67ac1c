#pragma once
// vlkserver's configuration: the accounts and rooms it starts with and what the hall hands every
// member at log-in. Read from a JSON file and checked whole before anything starts.
#include "hall/HallMessages.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vlk::server {

// A configuration that cannot be used; the text names the offending field.
class TConfigError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct TAccount {
    // Numbers above this one are left to guests, who go by a number of their own in the rooms.
    static constexpr int32_t kMaxNumber = 1999999999;
    static constexpr uint8_t kMemberLevel = 15;
    static constexpr int32_t kDefaultRoomLimit = 3;

    int32_t Number = 0;
    std::string PasswordDigest;   // 32 lower-case hexadecimal digits
    std::string Nickname;
    uint8_t Level = kMemberLevel;
    int32_t RoomLimit = kDefaultRoomLimit;
    bool Hidden = false;
    int32_t Coins = 0;
    int32_t Points = 0;
};

struct TRoomLink {
    std::string Caption;
    std::string Url;
};

struct TRoomConfig {
    int32_t Number = 0;
    std::string Name;
    int32_t Line = 1;
    std::string Password;   // clear text; empty for an open room
    std::string Notice;
    std::string Welcome;
    int16_t Type = 0;
    int32_t Owner = 0;
    int16_t PublicMics = 3;
    int16_t MaxUsers = 200;
    int32_t MinCoins = 0;
    int32_t ChatInterval = 3;
    int32_t GiftInterval = 100;
    int32_t GiftsPerStep = 1;
    int32_t ChatPermissions = 15;
    int32_t FreeMicMinutes = 0;
    std::string TextStyle;
    std::vector<TRoomLink> Links;
    std::vector<int32_t> Admins;   // member numbers; the owner is not among them
};

struct TServerConfig {
    std::string Listen = "127.0.0.1";
    uint32_t ListenAddress = 0;   // network order, resolved from Listen
    uint16_t HttpPort = 8080;
    std::string Title = "vlkchat 聊天大厅";
    std::string SecondUrl;        // the hall page address unless the file names another
    int32_t MediaValue = 0;
    std::string ChatFilter;
    std::vector<TAccount> Accounts;
    std::vector<TRoomConfig> Rooms;
    std::vector<TStarPair> WeekStars;
    std::vector<TStarPair> MonthStars;
    int32_t King = 0;
    int32_t Queen = 0;
    // Links the hall page follows by itself once loaded, one every 2 s as the hall takes room links
    // no faster (demos and tests; not read from the file).
    std::vector<std::string> PageLinks;

    std::string HallPageUrl() const;
    const TRoomConfig* FindRoom(int32_t number) const;
};

// 32 lower-case hexadecimal digits, as an MD5 digest travels; LowerCase makes any case comparable.
bool IsPasswordDigest(std::string_view text);
std::string LowerCase(std::string text);

// Throws TConfigError for text that is not a valid configuration.
TServerConfig ParseServerConfig(std::string_view json);
// Throws TConfigError also when the file cannot be read.
TServerConfig LoadServerConfig(const std::string& path);

} // namespace vlk::server
