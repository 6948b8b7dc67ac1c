#pragma once
// The chat views' link protocol: every clickable item targets "link[" + kind + value + "]"; the
// view cancels the navigation and dispatches the click from the parsed link.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlk {

// The index of each kind is its number in the link-kind table; Unknown is dispatched like UserInfo.
enum class TLinkKind { UserInfo = 0, PlayFlash, RoomID, Pay, PriMic, Welcome, Unknown };

struct TChatLink {
    TLinkKind kind = TLinkKind::Unknown;
    std::string value;  // trimmed
};

// "link[" + kindAndValue + "]", e.g. LinkTarget("RoomID:12") == "link[RoomID:12]".
std::string LinkTarget(std::string_view kindAndValue);
// The kind text of the table ("UserInfo:" ...), empty for Unknown.
std::string_view LinkKindText(TLinkKind kind);

// What a navigation to url means to a chat view: nullopt lets the navigation proceed (about:blank,
// no "link[", or an empty link value); otherwise the navigation is cancelled and the link returned.
std::optional<TChatLink> ParseChatLink(std::string_view url);

enum class TLinkAction { None, SelectUser, EnterRoom, RequestVideo, Welcome };

struct TLinkClick {
    TLinkAction action = TLinkAction::None;
    int32_t number = 0;
    // SelectUser only: also show the user operation menu (not for "everybody", number 0).
    bool popMenu = false;
};

// The event a click on link raises in the view of localUserId. Values that are not whole numbers,
// the local member and -1 raise nothing.
TLinkClick ResolveLinkClick(const TChatLink& link, int32_t localUserId);

// The nick handed with a selected user: "大家" (everybody) for 0, else the supplied nick with every
// "%20" turned into a blank.
std::string SelectedUserNick(int32_t number, std::string_view suppliedNick);

} // namespace vlk
