#include "chat/ChatLink.h"

#include "shell/TextHelpers.h"

#include <array>

namespace vlk {
namespace {

constexpr std::array<std::string_view, 6> kKindTexts = {"UserInfo:", "PlayFlash:", "RoomID:", "Pay:", "PriMic:",
                                                        "Welcome:"};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace

std::string LinkTarget(std::string_view kindAndValue)
{
    std::string target = "link[";
    target += kindAndValue;
    target += ']';
    return target;
}

std::string_view LinkKindText(TLinkKind kind)
{
    const auto index = static_cast<size_t>(kind);
    return index < kKindTexts.size() ? kKindTexts[index] : std::string_view{};
}

std::optional<TChatLink> ParseChatLink(std::string_view url)
{
    if (Trim(url) == "about:blank")
        return std::nullopt;
    std::string text(url);
    ReplaceAll(text, "about:", "");
    const size_t open = text.find("link[");
    if (open == std::string::npos)
        return std::nullopt;
    const size_t start = open + 5;
    const size_t close = text.find(']', start);
    // No closing bracket: the value runs to the end, as a search for "]" that fails leaves it.
    const std::string value = text.substr(start, close == std::string::npos ? std::string::npos : close - start);
    if (value.empty())
        return std::nullopt;

    TChatLink link;
    const size_t colon = value.find(':');
    if (colon == std::string::npos) {
        link.value = Trim(value);
        return link;
    }
    const std::string kind = Trim(std::string_view(value).substr(0, colon + 1));
    link.value = Trim(std::string_view(value).substr(colon + 1));
    for (size_t i = 0; i < kKindTexts.size(); ++i)
        if (kind == kKindTexts[i])
            link.kind = static_cast<TLinkKind>(i);
    return link;
}

TLinkClick ResolveLinkClick(const TChatLink& link, int32_t localUserId)
{
    TLinkClick click;
    const std::optional<int32_t> number = ParseInt(link.value);
    if (!number)
        return click;
    click.number = *number;
    switch (link.kind) {
    case TLinkKind::UserInfo:
    case TLinkKind::Unknown:
        if (*number != -1 && *number != localUserId) {
            click.action = TLinkAction::SelectUser;
            click.popMenu = *number != 0;
        }
        break;
    case TLinkKind::RoomID:
        click.action = TLinkAction::EnterRoom;
        break;
    case TLinkKind::PriMic:
        if (*number != -1 && *number != localUserId)
            click.action = TLinkAction::RequestVideo;
        break;
    case TLinkKind::Welcome:
        click.action = TLinkAction::Welcome;
        break;
    case TLinkKind::PlayFlash:
    case TLinkKind::Pay:
        break;
    }
    return click;
}

std::string SelectedUserNick(int32_t number, std::string_view suppliedNick)
{
    if (number == 0)
        return "大家";
    std::string nick(suppliedNick);
    ReplaceAll(nick, "%20", " ");
    return nick;
}

} // namespace vlk
