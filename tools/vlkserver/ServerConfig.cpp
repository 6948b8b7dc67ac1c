#include "ServerConfig.h"

#include "base/Gbk.h"
#include "shell/NetHelpers.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <nlohmann/json.hpp>
#include <pcre2.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <limits>
#include <optional>
#include <set>
#include <iterator>

namespace vlk::server {

namespace {

using nlohmann::json;

// Every wire text is a length byte and room for N GBK bytes; a longer value would be cut silently.
constexpr size_t kNicknameBytes = 30, kRoomNameBytes = 50, kRoomPasswordBytes = 20, kRoomTextBytes = 250;
constexpr size_t kTextStyleBytes = 100, kLinkCaptionBytes = 12, kUrlBytes = 100;
// The word filter travels in the log-in answer, which must stay below the channel's message limit.
constexpr size_t kChatFilterBytes = 60000;
constexpr size_t kMaxStars = 1000;
constexpr size_t kMaxLinks = 4;
constexpr size_t kMaxAdmins = 100;
constexpr int kMaxPublicMics = 16;   // two bits each in the room's 32-bit mic flags
constexpr int32_t kGiftIntervals[] = {200, 125, 100, 70, 50, 30};
constexpr int64_t kMaxI32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMinI32 = std::numeric_limits<int32_t>::min();

[[noreturn]] void Fail(const std::string& field, const std::string& problem)
{
    throw TConfigError(field + ": " + problem);
}

// One JSON object of the file: typed fields with their defaults and bounds, and an error naming
// the field (as "rooms[1].line") for a wrong type, a value out of bounds or an unknown key.
class TObjectReader {
public:
    TObjectReader(const json& value, std::string path) : value_(value), path_(std::move(path))
    {
        if (!value_.is_object())
            Fail(path_.empty() ? "configuration" : path_, "expected an object");
    }

    std::string Field(const char* key) const { return path_.empty() ? key : path_ + "." + key; }

    const json* Get(const char* key, bool required)
    {
        known_.insert(key);
        auto it = value_.find(key);
        if (it == value_.end() || it->is_null()) {
            if (required)
                Fail(Field(key), "missing");
            return nullptr;
        }
        return &*it;
    }

    int64_t Int(const char* key, std::optional<int64_t> fallback, int64_t min, int64_t max)
    {
        const json* v = Get(key, !fallback);
        if (!v)
            return *fallback;
        if (!v->is_number_integer())
            Fail(Field(key), "expected a whole number");
        const int64_t n = v->is_number_unsigned() && v->get<uint64_t>() > static_cast<uint64_t>(kMaxI32)
                              ? kMaxI32 + int64_t{1}
                              : v->get<int64_t>();
        if (n < min || n > max)
            Fail(Field(key), "must lie between " + std::to_string(min) + " and " + std::to_string(max));
        return n;
    }

    std::string Text(const char* key, std::optional<std::string> fallback, size_t maxGbkBytes)
    {
        const json* v = Get(key, !fallback);
        if (!v)
            return *fallback;
        if (!v->is_string())
            Fail(Field(key), "expected a text");
        std::string text = v->get<std::string>();
        if (!IsValidUtf8(text))
            Fail(Field(key), "is not valid UTF-8");
        if (Utf8ToGbk(text).size() > maxGbkBytes)
            Fail(Field(key), "longer than " + std::to_string(maxGbkBytes) + " bytes in GBK");
        return text;
    }

    bool Bool(const char* key, bool fallback)
    {
        const json* v = Get(key, false);
        if (!v)
            return fallback;
        if (!v->is_boolean())
            Fail(Field(key), "expected true or false");
        return v->get<bool>();
    }

    const json* Array(const char* key, bool required, size_t maxItems)
    {
        const json* v = Get(key, required);
        if (!v)
            return nullptr;
        if (!v->is_array())
            Fail(Field(key), "expected a list");
        if (v->size() > maxItems)
            Fail(Field(key), "more than " + std::to_string(maxItems) + " entries");
        return v;
    }

    // Call after reading every field: a key nobody asked for is most likely a typing error.
    void Finish() const
    {
        for (auto it = value_.begin(); it != value_.end(); ++it)
            if (!known_.contains(it.key()))
                Fail(Field(it.key().c_str()), "unknown field");
    }

private:
    const json& value_;
    std::string path_;
    std::set<std::string> known_;
};

std::string Item(const std::string& list, size_t i)
{
    return list + "[" + std::to_string(i) + "]";
}

TAccount ReadAccount(const json& value, const std::string& path)
{
    TObjectReader r(value, path);
    TAccount a;
    a.Number = static_cast<int32_t>(r.Int("number", std::nullopt, 1, TAccount::kMaxNumber));
    a.PasswordDigest = LowerCase(r.Text("passwordMd5", std::nullopt, 32));
    if (!IsPasswordDigest(a.PasswordDigest))
        Fail(r.Field("passwordMd5"), "expected the MD5 digest of the password as 32 hexadecimal digits");
    a.Nickname = r.Text("nickname", std::nullopt, kNicknameBytes);
    if (a.Nickname.empty())
        Fail(r.Field("nickname"), "must not be empty");
    a.Level = static_cast<uint8_t>(r.Int("level", TAccount::kMemberLevel, 0, 255));
    a.RoomLimit = static_cast<int32_t>(r.Int("roomLimit", TAccount::kDefaultRoomLimit, 1, 100));
    a.Hidden = r.Bool("hidden", false);
    a.Coins = static_cast<int32_t>(r.Int("coins", 0, kMinI32, kMaxI32));
    a.Points = static_cast<int32_t>(r.Int("points", 0, kMinI32, kMaxI32));
    r.Finish();
    return a;
}

TRoomConfig ReadRoom(const json& value, const std::string& path)
{
    TObjectReader r(value, path);
    TRoomConfig room;
    room.Number = static_cast<int32_t>(r.Int("number", std::nullopt, 1, kMaxI32));
    room.Name = r.Text("name", std::nullopt, kRoomNameBytes);
    if (room.Name.empty())
        Fail(r.Field("name"), "must not be empty");
    room.Line = static_cast<int32_t>(r.Int("line", std::nullopt, 1, 3));
    room.Password = r.Text("password", "", kRoomPasswordBytes);
    room.Notice = r.Text("notice", "", kRoomTextBytes);
    room.Welcome = r.Text("welcome", "", kRoomTextBytes);
    room.Type = static_cast<int16_t>(r.Int("type", 0, 0, 3));
    room.Owner = static_cast<int32_t>(r.Int("owner", 0, 0, kMaxI32));
    room.PublicMics = static_cast<int16_t>(r.Int("publicMics", 3, 0, kMaxPublicMics));
    room.MaxUsers = static_cast<int16_t>(r.Int("maxUsers", 200, 1, std::numeric_limits<int16_t>::max()));
    room.MinCoins = static_cast<int32_t>(r.Int("minCoins", 0, 0, kMaxI32));
    room.ChatInterval = static_cast<int32_t>(r.Int("chatInterval", 3, 0, 3600));
    room.GiftInterval = static_cast<int32_t>(r.Int("giftInterval", 100, 30, 200));
    if (std::find(std::begin(kGiftIntervals), std::end(kGiftIntervals), room.GiftInterval) == std::end(kGiftIntervals))
        Fail(r.Field("giftInterval"), "must be 200, 125, 100, 70, 50 or 30");
    room.GiftsPerStep = static_cast<int32_t>(r.Int("giftsPerStep", 1, 1, 100));
    room.ChatPermissions = static_cast<int32_t>(r.Int("chatPermissions", 15, 0, 15));
    room.FreeMicMinutes = static_cast<int32_t>(r.Int("freeMicMinutes", 0, 0, 1440));
    room.TextStyle = r.Text("textStyle", "", kTextStyleBytes);
    if (const json* links = r.Array("links", false, kMaxLinks)) {
        for (size_t i = 0; i < links->size(); ++i) {
            TObjectReader link((*links)[i], Item(r.Field("links"), i));
            room.Links.push_back({link.Text("caption", std::nullopt, kLinkCaptionBytes),
                                  link.Text("url", std::nullopt, kUrlBytes)});
            link.Finish();
        }
    }
    if (const json* admins = r.Array("admins", false, kMaxAdmins)) {
        for (size_t i = 0; i < admins->size(); ++i) {
            const json& number = (*admins)[i];
            if (!number.is_number_integer() || number.get<int64_t>() < 1 || number.get<int64_t>() > TAccount::kMaxNumber)
                Fail(Item(r.Field("admins"), i), "expected a member number");
            room.Admins.push_back(number.get<int32_t>());
        }
    }
    r.Finish();
    return room;
}

std::vector<TStarPair> ReadStars(TObjectReader& r, const char* key)
{
    std::vector<TStarPair> stars;
    if (const json* list = r.Array(key, false, kMaxStars)) {
        for (size_t i = 0; i < list->size(); ++i) {
            TObjectReader star((*list)[i], Item(key, i));
            stars.push_back({static_cast<int32_t>(star.Int("user", std::nullopt, 1, kMaxI32)),
                             static_cast<int32_t>(star.Int("gift", std::nullopt, 0, kMaxI32))});
            star.Finish();
        }
    }
    return stars;
}

void CheckChatFilter(const std::string& pattern)
{
    if (pattern.empty())
        return;
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), PCRE2_UTF,
                                     &error, &offset, nullptr);
    if (code) {
        pcre2_code_free(code);
        return;
    }
    PCRE2_UCHAR message[256];
    pcre2_get_error_message(error, message, sizeof message);
    Fail("chatFilter", "not a valid regular expression at offset " + std::to_string(offset) + ": "
                           + reinterpret_cast<const char*>(message));
}

// Numbers that name a member must name a configured account.
void CheckMember(const TServerConfig& config, int32_t number, const std::string& field)
{
    if (number == 0)
        return;
    const bool known = std::any_of(config.Accounts.begin(), config.Accounts.end(),
                                   [&](const TAccount& a) { return a.Number == number; });
    if (!known)
        Fail(field, "no account " + std::to_string(number));
}

} // namespace

bool IsPasswordDigest(std::string_view text)
{
    return text.size() == 32
           && std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

std::string LowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string TServerConfig::HallPageUrl() const
{
    return "http://" + Listen + ":" + std::to_string(HttpPort) + "/hall.html";
}

const TRoomConfig* TServerConfig::FindRoom(int32_t number) const
{
    auto it = std::find_if(Rooms.begin(), Rooms.end(), [&](const TRoomConfig& r) { return r.Number == number; });
    return it == Rooms.end() ? nullptr : &*it;
}

TServerConfig ParseServerConfig(std::string_view text)
{
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        throw TConfigError(std::string("not valid JSON: ") + e.what());
    }
    TObjectReader r(root, "");
    TServerConfig config;
    config.Listen = r.Text("listen", config.Listen, 15);
    config.ListenAddress = ResolveHost(config.Listen);
    if (config.ListenAddress == 0 || IPToText(config.ListenAddress) != config.Listen)
        Fail("listen", "expected the dotted IPv4 address of one local interface, such as 127.0.0.1");
    config.HttpPort = static_cast<uint16_t>(r.Int("httpPort", config.HttpPort, 1, 65535));
    config.Title = r.Text("title", config.Title, 200);
    config.SecondUrl = r.Text("secondUrl", config.HallPageUrl(), kUrlBytes);
    config.MediaValue = static_cast<int32_t>(r.Int("mediaValue", 0, kMinI32, kMaxI32));
    config.ChatFilter = r.Text("chatFilter", "", kChatFilterBytes);
    CheckChatFilter(config.ChatFilter);

    const json* accounts = r.Array("accounts", true, 100000);
    std::set<int32_t> numbers;
    for (size_t i = 0; i < accounts->size(); ++i) {
        config.Accounts.push_back(ReadAccount((*accounts)[i], Item("accounts", i)));
        if (!numbers.insert(config.Accounts.back().Number).second)
            Fail(Item("accounts", i) + ".number", "account " + std::to_string(config.Accounts.back().Number) + " is listed twice");
    }
    const json* rooms = r.Array("rooms", true, 10000);
    std::set<int32_t> roomNumbers;
    for (size_t i = 0; i < rooms->size(); ++i) {
        config.Rooms.push_back(ReadRoom((*rooms)[i], Item("rooms", i)));
        if (!roomNumbers.insert(config.Rooms.back().Number).second)
            Fail(Item("rooms", i) + ".number", "room " + std::to_string(config.Rooms.back().Number) + " is listed twice");
        const TRoomConfig& room = config.Rooms.back();
        CheckMember(config, room.Owner, Item("rooms", i) + ".owner");
        std::set<int32_t> admins;
        for (size_t k = 0; k < room.Admins.size(); ++k) {
            const std::string field = Item(Item("rooms", i) + ".admins", k);
            CheckMember(config, room.Admins[k], field);
            if (room.Admins[k] == room.Owner)
                Fail(field, "the owner is not an admin as well");
            if (!admins.insert(room.Admins[k]).second)
                Fail(field, std::to_string(room.Admins[k]) + " is listed twice");
        }
    }
    config.WeekStars = ReadStars(r, "weekStars");
    config.MonthStars = ReadStars(r, "monthStars");
    for (size_t i = 0; i < config.WeekStars.size(); ++i)
        CheckMember(config, config.WeekStars[i].UserID, Item("weekStars", i) + ".user");
    for (size_t i = 0; i < config.MonthStars.size(); ++i)
        CheckMember(config, config.MonthStars[i].UserID, Item("monthStars", i) + ".user");
    config.King = static_cast<int32_t>(r.Int("king", 0, 0, kMaxI32));
    CheckMember(config, config.King, "king");
    config.Queen = static_cast<int32_t>(r.Int("queen", 0, 0, kMaxI32));
    CheckMember(config, config.Queen, "queen");
    r.Finish();
    return config;
}

TServerConfig LoadServerConfig(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw TConfigError(path + ": cannot be read");
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    try {
        return ParseServerConfig(text);
    } catch (const TConfigError& e) {
        throw TConfigError(path + ": " + e.what());
    }
}

} // namespace vlk::server
