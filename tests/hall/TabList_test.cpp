// The tab bar's rules: activation, removal, attention marks, hot tracking and layout.
#include "hall/TabList.h"

#include <gtest/gtest.h>

#include <string>

using namespace vlk;

namespace {

struct FakeTab {
    int state = tsNormal;
    int control = 0;
    TTabRect rect;
    bool visible = true;
};

using List = TTabList<FakeTab, int>;

// Tabs standing for controls 10, 11, ... ; the last one added is active.
List Make(int count)
{
    List list;
    for (int i = 0; i < count; ++i) {
        auto tab = std::make_unique<FakeTab>();
        tab->control = 10 + i;
        list.Add(std::move(tab));
    }
    return list;
}

std::string States(const List& list)
{
    std::string s;
    for (int i = 0; i < list.TabCount(); ++i)
        s += static_cast<char>('0' + list.Tabs(i)->state);
    return s;
}

} // namespace

TEST(TabList, AddActivatesTheNewTabAndKeepsMarks)
{
    List list;
    EXPECT_EQ(list.ActiveTabIndex(), -1);
    EXPECT_EQ(list.ActiveTab(), nullptr);
    list = Make(3);
    EXPECT_EQ(States(list), "001");
    EXPECT_EQ(list.ActiveTabIndex(), 2);

    ASSERT_NE(list.Mark(10), nullptr);
    auto tab = std::make_unique<FakeTab>();
    tab->control = 20;
    list.Add(std::move(tab));
    EXPECT_EQ(States(list), "2001");
    EXPECT_EQ(list.ActiveTabIndex(), 3);
    EXPECT_EQ(list.Tabs(4), nullptr);
    EXPECT_EQ(list.Tabs(-1), nullptr);
}

// Remove, then set the active index again, as the bar does.
TEST(TabList, RemoveKeepsTheActiveIndexClamped)
{
    struct Case {
        const char* name;
        int activate;
        int control;
        int active;
        const char* states;
    };
    const Case cases[] = {
        {"active last tab: the new last one", 3, 13, 2, "001"},
        {"active middle tab: the next one", 1, 11, 1, "010"},
        {"tab after the active one", 1, 13, 1, "010"},
        {"tab before the active one: the active tab stays", 2, 10, 1, "010"},
        {"no tab for the control", 1, 99, 1, "0100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        List list = Make(4);
        list.SetActiveTabIndex(c.activate);
        const auto removed = list.Remove(c.control);
        EXPECT_EQ(removed != nullptr, c.control != 99);
        EXPECT_LT(list.ActiveTabIndex(), list.TabCount());
        list.SetActiveTabIndex(list.ActiveTabIndex());
        EXPECT_EQ(list.ActiveTabIndex(), c.active);
        EXPECT_EQ(States(list), c.states);
    }

    List one = Make(1);
    ASSERT_NE(one.Remove(10), nullptr);
    EXPECT_EQ(one.SetActiveTabIndex(0), nullptr);
    EXPECT_EQ(one.ActiveTabIndex(), -1);
}

TEST(TabList, RemoveTakesTheFirstTabOfAControlAndForgetsTheHoveredOne)
{
    List list = Make(2);
    auto twin = std::make_unique<FakeTab>();
    twin->control = 10;
    list.Add(std::move(twin));
    FakeTab* first = list.Tabs(0);
    list.TrackHot(first);
    EXPECT_EQ(list.Remove(10).get(), first);
    EXPECT_EQ(list.Hover(), nullptr);
    EXPECT_EQ(list.IndexOf(10), 1);
    // Tracking after the removal must not touch the freed tab.
    const auto change = list.TrackHot(list.Tabs(0));
    EXPECT_EQ(change.Left, nullptr);
}

TEST(TabList, MarkSkipsTheActiveTabAndActivationClearsIt)
{
    List list = Make(3);
    EXPECT_EQ(list.Mark(12), nullptr);
    EXPECT_EQ(list.Mark(99), nullptr);
    EXPECT_EQ(States(list), "001");

    list.TrackHot(list.Tabs(1));
    ASSERT_NE(list.Mark(11), nullptr);
    ASSERT_NE(list.Mark(10), nullptr);
    EXPECT_EQ(States(list), "221");
    list.TrackHot(nullptr);   // leaving a marked tab keeps the mark
    EXPECT_EQ(States(list), "221");

    list.SetActiveTabIndex(0);
    EXPECT_EQ(States(list), "120");
}

TEST(TabList, ActiveIndexIsClampedAndOtherStatesSurvive)
{
    struct Case {
        int index;
        int active;
        const char* states;
    };
    const Case cases[] = {{99, 3, "2301"}, {-5, -1, "2300"}, {-1, -1, "2300"}, {2, 2, "2310"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        List list = Make(4);
        list.Mark(10);
        list.TrackHot(list.Tabs(1));
        list.SetActiveTabIndex(c.index);
        EXPECT_EQ(list.ActiveTabIndex(), c.active);
        EXPECT_EQ(States(list), c.states);
    }
}

TEST(TabList, StateWritesNeverDetachTheActiveTab)
{
    List list = Make(3);
    FakeTab& active = *list.Tabs(2);
    for (int state : {tsNormal, tsAttention, tsHot})
        EXPECT_FALSE(list.SetState(active, state));
    EXPECT_FALSE(list.SetState(*list.Tabs(0), 7));
    EXPECT_TRUE(list.SetState(*list.Tabs(0), tsAttention));
    EXPECT_EQ(States(list), "201");

    EXPECT_TRUE(list.SetState(*list.Tabs(1), tsActive));
    EXPECT_EQ(list.ActiveTabIndex(), 1);
    EXPECT_EQ(States(list), "210");

    FakeTab stranger;
    EXPECT_FALSE(list.SetState(stranger, tsAttention));
}

TEST(TabList, HotTrackingChangesOnlyNormalTabs)
{
    List list = Make(3);
    list.Mark(10);
    FakeTab* marked = list.Tabs(0);
    FakeTab* plain = list.Tabs(1);
    FakeTab* active = list.Tabs(2);

    auto change = list.TrackHot(plain);
    EXPECT_EQ(change.Left, nullptr);
    EXPECT_EQ(change.Entered, plain);
    EXPECT_EQ(States(list), "231");
    change = list.TrackHot(plain);
    EXPECT_EQ(change.Entered, nullptr);

    change = list.TrackHot(active);
    EXPECT_EQ(change.Left, plain);
    EXPECT_EQ(change.Entered, active);
    EXPECT_EQ(States(list), "201");

    change = list.TrackHot(marked);
    EXPECT_EQ(change.Left, active);
    EXPECT_EQ(States(list), "201");

    change = list.TrackHot(nullptr);
    EXPECT_EQ(change.Left, marked);
    EXPECT_EQ(change.Entered, nullptr);
    EXPECT_EQ(list.Hover(), nullptr);
}

TEST(TabList, LayoutAlongEveryEdge)
{
    struct Case {
        TTabPosition position;
        TTabRect second;
    };
    const Case cases[] = {
        {TTabPosition::tpTop, {103, 0, 100, 24}},
        {TTabPosition::tpBottom, {103, 0, 100, 24}},
        {TTabPosition::tpLeft, {0, 103, 640, 100}},
        {TTabPosition::tpRight, {0, 103, 640, 100}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TabRect(1, 100, 3, c.position, 640, 24), c.second);

    List list = Make(8);
    list.Layout(100, 3, TTabPosition::tpBottom, 640, 24);
    EXPECT_TRUE(list.Tabs(6)->visible);    // 618..717: partly inside
    EXPECT_FALSE(list.Tabs(7)->visible);   // starts at 721
    EXPECT_EQ(list.TabAt(0, 0), list.Tabs(0));
    EXPECT_EQ(list.TabAt(99, 23), list.Tabs(0));
    EXPECT_EQ(list.TabAt(101, 5), nullptr);   // in the gap
    EXPECT_EQ(list.TabAt(103, 5), list.Tabs(1));
    EXPECT_EQ(list.TabAt(50, 24), nullptr);
    EXPECT_EQ(list.TabAt(730, 5), nullptr);   // the hidden tab is never hit

    list.Layout(100, 3, TTabPosition::tpLeft, 24, 640);
    EXPECT_EQ(list.TabAt(5, 210), list.Tabs(2));
    EXPECT_FALSE(list.Tabs(7)->visible);
}
