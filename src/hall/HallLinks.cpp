#include "hall/HallLinks.h"

#include "hall/HallSession.h"
#include "shell/TextHelpers.h"

#include <cctype>
#include <string_view>
#include <vector>

namespace vlk {

namespace {

constexpr std::string_view kRoomScheme = "vlkroomid:";
constexpr std::string_view kWebGameScheme = "webgame:";
constexpr std::string_view kGameCenterScheme = "gamecenter:";

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

int32_t NumberOrZero(std::string_view text)
{
    return ParseInt(text).value_or(0);
}

std::vector<std::string_view> Fields(std::string_view text, char separator)
{
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

} // namespace

std::optional<THallLink> ParseHallLink(const std::string& address)
{
    const std::string_view text = address;
    THallLink link;
    if (StartsWithNoCase(text, kRoomScheme)) {
        const std::string_view rest = text.substr(kRoomScheme.size());
        const size_t comma = rest.find(',');
        if (comma != std::string_view::npos) {
            link.room = NumberOrZero(rest.substr(0, comma));
            link.choice = static_cast<uint8_t>(NumberOrZero(rest.substr(comma + 1)));
        }
        return link;
    }
    if (StartsWithNoCase(text, kWebGameScheme)) {
        link.kind = THallLink::Kind::WebGame;
        const auto fields = Fields(text.substr(kWebGameScheme.size()), '|');
        auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
        link.game = std::string(field(0));
        link.user = NumberOrZero(field(1));
        link.first = NumberOrZero(field(2));
        link.second = NumberOrZero(field(3));
        return link;
    }
    if (StartsWithNoCase(text, kGameCenterScheme)) {
        link.kind = THallLink::Kind::GameCenter;
        return link;
    }
    return std::nullopt;
}

void FollowHallLink(const THallLink& link, THallSession& session, int32_t localUser,
                    const std::function<void()>& startGameCenter)
{
    switch (link.kind) {
    case THallLink::Kind::Room:
        session.SetLinkChoice(link.choice);
        if (link.room > 0)
            session.RequestRoom(link.room);
        break;
    case THallLink::Kind::WebGame:
        if (link.user == localUser)
            session.SendWebGameResult(link.game, link.first, link.second);
        break;
    case THallLink::Kind::GameCenter:
        startGameCenter();
        break;
    }
}

} // namespace vlk
