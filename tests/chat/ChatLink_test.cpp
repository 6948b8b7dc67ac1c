// The chat link protocol: which navigations a view cancels, how a link splits into kind and value,
// and which event a click raises.
#include "chat/ChatLink.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vlk {
namespace {

TEST(ChatLink, NavigationsAreParsedIntoKindAndValue)
{
    struct Case {
        const char* url;
        std::optional<TLinkKind> kind;  // nullopt: the navigation proceeds
        const char* value;
    } cases[] = {
        {"about:blank", std::nullopt, ""},
        {"  about:blank ", std::nullopt, ""},
        {"http://example.com/", std::nullopt, ""},
        {"about:link[]", std::nullopt, ""},
        {"about:link[UserInfo:1001]", TLinkKind::UserInfo, "1001"},
        {"link[RoomID:12]", TLinkKind::RoomID, "12"},
        {"about:blanklink[ PriMic: 5 ]", TLinkKind::PriMic, "5"},
        {"link[Pay:]", TLinkKind::Pay, ""},
        {"link[PlayFlash:x]", TLinkKind::PlayFlash, "x"},
        {"link[Welcome:9]tail]", TLinkKind::Welcome, "9"},
        {"link[Other:3]", TLinkKind::Unknown, "3"},
        {"link[42]", TLinkKind::Unknown, "42"},
        {"link[userinfo:1]", TLinkKind::Unknown, "1"},  // kinds are case-sensitive
        {"link[RoomID:12", TLinkKind::RoomID, "12"},   // no closing bracket: the rest is the value
        {"link[RoomID:a:b]", TLinkKind::RoomID, "a:b"},
    };
    for (const auto& c : cases) {
        const auto link = ParseChatLink(c.url);
        ASSERT_EQ(link.has_value(), c.kind.has_value()) << c.url;
        if (link) {
            EXPECT_EQ(link->kind, *c.kind) << c.url;
            EXPECT_EQ(link->value, c.value) << c.url;
        }
    }
}

TEST(ChatLink, ClicksRaiseTheirEvents)
{
    constexpr int32_t kLocal = 7;
    struct Case {
        const char* link;
        TLinkAction action;
        int32_t number;
        bool popMenu;
    } cases[] = {
        {"link[UserInfo:1001]", TLinkAction::SelectUser, 1001, true},
        {"link[UserInfo:0]", TLinkAction::SelectUser, 0, false},  // everybody: no user menu
        {"link[UserInfo:7]", TLinkAction::None, 7, false},        // the local member
        {"link[UserInfo:-1]", TLinkAction::None, -1, false},
        {"link[UserInfo:abc]", TLinkAction::None, 0, false},      // not a whole number
        {"link[Nobody:1001]", TLinkAction::SelectUser, 1001, true},
        {"link[1001]", TLinkAction::SelectUser, 1001, true},
        {"link[RoomID:12]", TLinkAction::EnterRoom, 12, false},
        {"link[RoomID:12x]", TLinkAction::None, 0, false},
        {"link[PriMic:1001]", TLinkAction::RequestVideo, 1001, false},
        {"link[PriMic:7]", TLinkAction::None, 7, false},
        {"link[PriMic:-1]", TLinkAction::None, -1, false},
        {"link[Welcome:1001]", TLinkAction::Welcome, 1001, false},
        {"link[Pay:1]", TLinkAction::None, 1, false},
        {"link[PlayFlash:1]", TLinkAction::None, 1, false},
    };
    for (const auto& c : cases) {
        const auto link = ParseChatLink(c.link);
        ASSERT_TRUE(link) << c.link;
        const TLinkClick click = ResolveLinkClick(*link, kLocal);
        EXPECT_EQ(click.action, c.action) << c.link;
        if (click.action != TLinkAction::None) {
            EXPECT_EQ(click.number, c.number) << c.link;
            EXPECT_EQ(click.popMenu, c.popMenu) << c.link;
        }
    }
}

TEST(ChatLink, TargetsRoundTrip)
{
    for (TLinkKind kind : {TLinkKind::UserInfo, TLinkKind::PlayFlash, TLinkKind::RoomID, TLinkKind::Pay,
                           TLinkKind::PriMic, TLinkKind::Welcome}) {
        const auto link = ParseChatLink(LinkTarget(std::string(LinkKindText(kind)) + "123"));
        ASSERT_TRUE(link);
        EXPECT_EQ(link->kind, kind);
        EXPECT_EQ(link->value, "123");
    }
}

TEST(ChatLink, SelectedUserNick)
{
    EXPECT_EQ(SelectedUserNick(0, "whatever"), "大家");
    EXPECT_EQ(SelectedUserNick(5, "a%20b%20c"), "a b c");
    EXPECT_EQ(SelectedUserNick(5, ""), "");
}

} // namespace
} // namespace vlk
