// The room's users: the collection, the three lists with their filters, order and counts, the
// lines about users coming and going, and the local user's seal timer.
#include "room/UserManage.h"

#include "base/DateTime.h"
#include "base/ManualClock.h"
#include "gifts/CatalogueFile.h"
#include "gifts/Gift.h"
#include "gifts/Seal.h"
#include "shell/vlkTypeCFG.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace vlk {
namespace {

using test::TestDir;

constexpr int32_t kLocal = 100;
constexpr double kServerNow = 46000.5;   // a date-time on the server's clock

// A list that keeps the rows it is told about and reads them through the model's entries.
class FakeView : public IUserView {
public:
    void InsertRow(int row, const TRoomUser& user) override
    {
        ASSERT_GE(row, 0);
        ASSERT_LE(row, static_cast<int>(rows_.size()));
        rows_.insert(rows_.begin() + row, &user);
    }
    void RemoveRow(int row) override
    {
        ASSERT_GE(row, 0);
        ASSERT_LT(row, static_cast<int>(rows_.size()));
        rows_.erase(rows_.begin() + row);
    }
    void MoveRow(int from, int to) override
    {
        ASSERT_GE(from, 0);
        ASSERT_LT(from, static_cast<int>(rows_.size()));
        ASSERT_GE(to, 0);
        ASSERT_LT(to, static_cast<int>(rows_.size()));
        const TRoomUser* user = rows_[from];
        rows_.erase(rows_.begin() + from);
        rows_.insert(rows_.begin() + to, user);
    }
    void ClearRows() override { rows_.clear(); }
    void Refresh() override { ++refreshes; }
    void SetKingID(int32_t number) override { king = number; }
    void SetQueenID(int32_t number) override { queen = number; }
    void UserCountChange(int count) override { counts.push_back(count); }

    std::vector<int32_t> Numbers() const
    {
        std::vector<int32_t> numbers;
        for (const TRoomUser* user : rows_)
            numbers.push_back(user->UserNumber());
        return numbers;
    }

    int refreshes = 0;
    int32_t king = -1;
    int32_t queen = -1;
    std::vector<int> counts;

private:
    std::vector<const TRoomUser*> rows_;
};

class FakeHost : public IUserManageHost {
public:
    void AddUserEnter(const TRoomUser& user) override { lines.push_back("enter " + std::to_string(user.UserNumber())); }
    void AddWeekStar(const std::string& html) override { lines.push_back("star " + html); }
    void AddKingInRoom(int32_t number, const std::string& nick, const std::string& picture) override
    {
        lines.push_back("king " + std::to_string(number) + " " + nick + " " + picture);
    }
    void AddQueenInRoom(int32_t number, const std::string& nick, const std::string& picture) override
    {
        lines.push_back("queen " + std::to_string(number) + " " + nick + " " + picture);
    }
    void AddUserLeft(int32_t number, const std::string& nick) override
    {
        lines.push_back("left " + std::to_string(number) + " " + nick);
    }
    void AddSystem(int kind, int screen, const std::string& text) override
    {
        lines.push_back("system " + std::to_string(kind) + " " + std::to_string(screen) + " " + text);
    }
    void SelectUser(int32_t number, const std::string& nick) override
    {
        lines.push_back("select " + std::to_string(number) + " " + nick);
    }
    void AskMicAddress(int32_t number) override { lines.push_back("mic " + std::to_string(number)); }
    void ClearSeal(int32_t number, int32_t seal) override
    {
        lines.push_back("clearseal " + std::to_string(number) + " " + std::to_string(seal));
    }

    std::vector<std::string> lines;
};

// A user with whatever the test sets on top of a registered member of rank 10.
TRoomUser User(int32_t number, const std::string& nick = "")
{
    TRoomUser user;
    user.SetUserNumber(number);
    user.SetNickname(nick.empty() ? "用户" + std::to_string(number) : nick);
    user.SetLevel(kMemberLevel);
    user.SetLevelRank(10);
    user.SetLevelPicture("member");
    return user;
}

TRoomUser Hidden(TRoomUser user)
{
    user.SetHidden(true);
    return user;
}

TRoomUser WithRole(TRoomUser user, uint8_t role)
{
    user.SetRoomRole(role);
    return user;
}

TRoomUser WithLevel(TRoomUser user, uint8_t level)
{
    user.SetLevel(level);
    return user;
}

TRoomUser WithMic(TRoomUser user, uint8_t state)
{
    user.SetMicState(state);
    return user;
}

TRoomUser WithRank(TRoomUser user, int16_t levelRank, int32_t roleKind = 0, int16_t roleRank = 0)
{
    user.SetLevelRank(levelRank);
    user.SetRoleKind(roleKind);
    user.SetRoleRank(roleRank);
    return user;
}

TUserEntered Entered(const TRoomUser& user)
{
    TUserEntered m;
    m.SetUserNumber(static_cast<uint32_t>(user.UserNumber()));
    m.SetUser(user);
    return m;
}

TRoomRights Showing(std::initializer_list<uint8_t> elements)
{
    TLevelSet set;
    for (uint8_t e : elements)
        set.Insert(e);
    TRoomRights rights;
    rights.SetShownHiddenLevels(set);
    return rights;
}

TGiftRecord GiftRecord(int32_t number, const std::string& name, const std::string& chatPicture)
{
    TGiftRecord gift;
    gift.SetNumber(number);
    gift.SetName(name);
    gift.SetChatPicture(chatPicture);
    return gift;
}

// The catalogues live in a throw-away program directory: gift 1 has its chat picture, gift 2's is
// missing; seal 7 has a picture.
struct Catalogues {
    Catalogues()
    {
        dir.write("Picture/Gift/rose.gif", "GIF89a");
        dir.write("Picture/Seal/seal7.gif", "GIF89a");
        WriteRecords(dir.appPath() + TGift::kFileName,
                     std::vector<TGiftRecord>{GiftRecord(1, " 玫瑰 ", "rose.gif"), GiftRecord(2, "钻石", "none.gif")});
        TSealRecord seal;
        seal.SetNumber(7);
        seal.SetPicture("seal7.gif");
        WriteRecords(dir.appPath() + TSeal::kFileName, std::vector<TSealRecord>{seal});
        gifts = std::make_unique<TGift>(dir.appPath());
        seals = std::make_unique<TSeal>(dir.appPath());
        levels = std::make_unique<TvlkTypeCFG>(dir.appPath());
    }

    TestDir dir;
    std::unique_ptr<TGift> gifts;
    std::unique_ptr<TSeal> seals;
    std::unique_ptr<TvlkTypeCFG> levels;
};

class UserManageTest : public ::testing::Test {
protected:
    UserManageTest() : clock(1000), scope(clock)
    {
        sources.AppPath = cat.dir.appPath();
        sources.Gifts = cat.gifts.get();
        sources.Seals = cat.seals.get();
        sources.Levels = cat.levels.get();
        sources.WeekStars = &weekStars;
        sources.MonthStars = &monthStars;
        users = std::make_unique<TUserManage>(host, sources);
        users->DateTimeNow = [this] { return localNow; };
        users->SetLocalUser(kLocal, TRoomRights());
        users->AttachView(uvUser, TUserListKind::Users);
        users->AttachView(uvManager, TUserListKind::Managers);
        users->AttachView(uvMicOrder, TUserListKind::MicOrder);
    }

    void Add(std::initializer_list<TRoomUser> list)
    {
        for (const TRoomUser& user : list)
            ASSERT_NE(users->AddUser(user), nullptr) << user.UserNumber();
    }

    // The model's rows and the view's agree.
    std::vector<int32_t> Rows(const FakeView& view) const
    {
        const std::vector<int32_t> numbers = view.Numbers();
        EXPECT_EQ(users->RowCount(view), static_cast<int>(numbers.size()));
        for (size_t i = 0; i < numbers.size(); ++i)
            EXPECT_EQ(users->RowOf(view, numbers[i]), static_cast<int>(i)) << numbers[i];
        return numbers;
    }

    ManualClock clock;
    ClockScope scope;
    Catalogues cat;
    std::vector<TStarPair> weekStars, monthStars;
    TUserManageSources sources;
    double localNow = kServerNow;
    FakeHost host;
    // Declared before the model, so that they outlive it.
    FakeView uvUser, uvManager, uvMicOrder;
    std::unique_ptr<TUserManage> users;
};

using Numbers = std::vector<int32_t>;

TEST_F(UserManageTest, TheFirstRecordOfANumberStaysAndUserZeroIsEverybody)
{
    TRoomUser first = User(101, "甲");
    const TRoomUser* stored = users->AddUser(first);
    ASSERT_NE(stored, nullptr);
    first.SetNickname("changed");
    EXPECT_EQ(stored->Nickname(), "甲") << "the model keeps its own copy";
    EXPECT_EQ(users->AddUser(User(101, "乙")), nullptr);
    EXPECT_EQ(users->PresentUser(101)->Nickname(), "甲");
    EXPECT_EQ(users->AddUser(User(0, "零")), nullptr) << "0 is never a real user";
    EXPECT_EQ(users->Count(), 1);
    EXPECT_EQ(users->UserAt(0), stored);
    EXPECT_EQ(users->UserAt(1), nullptr);
    EXPECT_EQ(users->UserAt(-1), nullptr);

    EXPECT_EQ(users->FindUser(555), nullptr);
    EXPECT_EQ(users->PresentUser(0), nullptr);
    const TRoomUser* everybody = users->FindUser(0);
    ASSERT_NE(everybody, nullptr);
    EXPECT_EQ(everybody->UserNumber(), 0);
    EXPECT_EQ(everybody->Nickname(), "大家");
    EXPECT_EQ(users->FindUser(0), everybody);
    EXPECT_EQ(users->Count(), 2);
    users->RefilterViews();
    EXPECT_EQ(Rows(uvUser), Numbers{101}) << "no list shows user 0";

    EXPECT_TRUE(users->RemoveUser(101));
    EXPECT_FALSE(users->RemoveUser(101));
    EXPECT_EQ(users->PresentUser(101), nullptr);
    EXPECT_EQ(Rows(uvUser), Numbers{});
}

TEST_F(UserManageTest, EachListShowsTheUsersItsFilterLets)
{
    struct Case {
        const char* name;
        TRoomUser user;
        bool inUsers, inManagers, inMicOrder, guest;
    } cases[] = {
        {"member", User(101), true, false, false, false},
        {"admin", WithRole(User(102), kAdminRole), true, true, false, false},
        {"temporary admin", WithRole(User(103), kTempAdminRole), true, false, false, false},
        {"server role", WithRole(User(104), 5), true, true, false, false},
        {"guest", WithLevel(User(105), kGuestLevel), true, false, false, true},
        {"guest level with a role", WithRole(WithLevel(User(106), kGuestLevel), kAdminRole), true, true, false, false},
        {"in the mic queue", WithMic(User(107), micstate::kQueue), true, false, true, false},
        {"on a public mic", WithMic(User(108), micstate::kPublic), true, false, false, false},
        {"hidden admin in the queue", Hidden(WithMic(WithRole(User(109), kAdminRole), micstate::kQueue)), false, false,
         true, false},
        {"hidden, the local user", Hidden(WithRole(User(kLocal), kAdminRole)), true, true, false, false},
    };
    for (const auto& c : cases) {
        users->AddUser(c.user);
        const int32_t n = c.user.UserNumber();
        EXPECT_EQ(users->RowOf(uvUser, n) >= 0, c.inUsers) << c.name;
        EXPECT_EQ(users->RowOf(uvManager, n) >= 0, c.inManagers) << c.name;
        EXPECT_EQ(users->RowOf(uvMicOrder, n) >= 0, c.inMicOrder) << c.name;
        EXPECT_EQ(users->IsGuest(n), c.guest) << c.name;
    }
    users->SetShowTourist(false);
    EXPECT_EQ(users->RowOf(uvUser, 105), -1) << "guests leave the users list";
    EXPECT_GE(users->RowOf(uvUser, 106), 0) << "a guest level with a room role is no guest";
    users->SetShowTourist(true);
    EXPECT_GE(users->RowOf(uvUser, 105), 0);
    EXPECT_FALSE(users->IsGuest(999)) << "an absent user is no guest";
}

TEST_F(UserManageTest, HiddenUsersShowOnlyThroughTheVisibilitySet)
{
    struct Case {
        const char* name;
        TRoomRights rights;
        TRoomUser user;
        bool visible;
    } cases[] = {
        {"not hidden", TRoomRights(), User(101), true},
        {"no right", TRoomRights(), Hidden(User(101)), false},
        {"level in the set", Showing({15}), Hidden(User(101)), true},
        {"another level in the set", Showing({16}), Hidden(User(101)), false},
        {"role in the set", Showing({13}), Hidden(WithRole(User(101), 13)), true},
        {"role 0 is not tested", Showing({0}), Hidden(User(101)), false},
        {"level 0 always shows", TRoomRights(), Hidden(WithLevel(User(101), 0)), true},
        {"level 255 in the set", Showing({255}), Hidden(WithLevel(User(101), 255)), true},
        {"himself", TRoomRights(), Hidden(User(kLocal)), true},
    };
    for (const auto& c : cases) {
        users->SetLocalUser(kLocal, c.rights);
        EXPECT_EQ(users->IsVisible(c.user), c.visible) << c.name;
    }

    // A hidden member entering is neither listed nor announced to a viewer without the right...
    users->SetLocalUser(kLocal, TRoomRights());
    users->UserEntered(Entered(Hidden(WithRole(User(101), kAdminRole))));
    EXPECT_NE(users->PresentUser(101), nullptr);
    EXPECT_EQ(Rows(uvUser), Numbers{});
    EXPECT_EQ(Rows(uvManager), Numbers{});
    EXPECT_TRUE(host.lines.empty());
    // ...and shows up once the viewer's rights let him see the level.
    users->SetLocalUser(kLocal, Showing({15}));
    EXPECT_EQ(Rows(uvUser), Numbers{101});
    EXPECT_EQ(Rows(uvManager), Numbers{101});
    users->SetLocalUser(kLocal, TRoomRights());
    EXPECT_EQ(Rows(uvUser), Numbers{});

    // The hidden user himself sees and announces his own entry.
    users->UserListPage(TUserListPage({Hidden(User(kLocal))}));
    EXPECT_EQ(Rows(uvUser), Numbers{kLocal});
    EXPECT_EQ(host.lines, std::vector<std::string>{"enter 100"});
}

TEST_F(UserManageTest, SearchMatchesNicknamesWithoutCaseAndNumbers)
{
    Add({User(1200, "Alice"), User(3412, "bob"), User(555, "x12y"), User(777, "Carol"),
         WithRole(User(888, "管理员"), kAdminRole), WithMic(User(999, "queue"), micstate::kQueue)});
    users->bsEditSearchChange("  12 ");
    EXPECT_EQ(users->SearchText(), "12");
    EXPECT_EQ(Rows(uvUser), (Numbers{555, 1200, 3412}));
    EXPECT_EQ(Rows(uvManager), Numbers{});
    EXPECT_EQ(Rows(uvMicOrder), Numbers{999}) << "the mic order is not searched";

    users->bsEditSearchChange("aLI");
    EXPECT_EQ(Rows(uvUser), Numbers{1200});
    users->bsEditSearchChange("管理");
    EXPECT_EQ(Rows(uvUser), Numbers{888});
    EXPECT_EQ(Rows(uvManager), Numbers{888});
    users->bsEditSearchChange(" ");
    EXPECT_EQ(Rows(uvUser), (Numbers{555, 777, 888, 999, 1200, 3412}));
}

TEST_F(UserManageTest, RowsRunByRankThenNumber)
{
    Add({WithRank(User(301), 3), WithRank(User(101), 1), WithRank(User(201), 2)});
    EXPECT_EQ(Rows(uvUser), (Numbers{101, 201, 301}));

    Add({WithRank(User(230), 2), WithRank(User(220), 2)});
    EXPECT_EQ(Rows(uvUser), (Numbers{101, 201, 220, 230, 301}));

    // Role kinds 5 to 12 rank by the role, any other kind by the level.
    Add({WithRank(User(400), 9, 8, -1), WithRank(User(401), 0, 4, 99), WithRank(User(402), 0, 13, 99)});
    EXPECT_EQ(Rows(uvUser), (Numbers{400, 401, 402, 101, 201, 220, 230, 301}));

    // A new role brings its rank along.
    users->ChangeUser(301, [](TRoomUser& u) { u.SetRoleKind(6);
        u.SetRoleRank(-5); });
    EXPECT_EQ(Rows(uvUser), (Numbers{301, 400, 401, 402, 101, 201, 220, 230}));
}

TEST_F(UserManageTest, KingAndQueenLeadTheSortedLists)
{
    users->SetKingID(500);
    users->SetQueenID(600);
    EXPECT_EQ(uvUser.king, 500);
    EXPECT_EQ(uvMicOrder.queen, 600);

    // The Queen arriving when the King is the only row goes below him.
    Add({WithMic(User(500), micstate::kQueue), WithMic(User(600), micstate::kQueue)});
    EXPECT_EQ(Rows(uvUser), (Numbers{500, 600}));
    Add({WithRank(User(101), 1), WithRank(User(102), 0)});
    EXPECT_EQ(Rows(uvUser), (Numbers{500, 600, 102, 101}));

    // A new King goes first; the old one goes back to his place by rank.
    users->SetKingID(101);
    EXPECT_EQ(Rows(uvUser), (Numbers{101, 600, 102, 500}));
    // Setting the Queen while the King is listed makes her the second row.
    users->SetQueenID(102);
    EXPECT_EQ(Rows(uvUser), (Numbers{101, 102, 500, 600}));
    users->SetKingID(0);
    EXPECT_EQ(Rows(uvUser), (Numbers{102, 101, 500, 600}));

    // The mic order stays in queue order: its row index is what the server is told.
    EXPECT_EQ(Rows(uvMicOrder), (Numbers{500, 600}));
    users->SetQueenID(600);
    EXPECT_EQ(Rows(uvMicOrder), (Numbers{500, 600}));
}

TEST_F(UserManageTest, AttachingListsThePresentUsersAndDetachingClearsTheRows)
{
    users->SetKingID(7);
    Add({User(101), WithRole(User(102), kAdminRole)});
    FakeView late;
    EXPECT_TRUE(users->AttachView(late, TUserListKind::Managers));
    EXPECT_FALSE(users->AttachView(late, TUserListKind::Users));
    EXPECT_EQ(late.king, 7);
    EXPECT_EQ(late.queen, 0);
    EXPECT_EQ(Rows(late), Numbers{102});

    EXPECT_TRUE(users->DetachView(late));
    EXPECT_FALSE(users->DetachView(late));
    EXPECT_EQ(late.Numbers(), Numbers{});
    users->RemoveUser(102);   // a detached view hears nothing more
    EXPECT_EQ(late.counts, std::vector<int>{1});

    {
        FakeView view;
        auto other = std::make_unique<TUserManage>(host, sources);
        other->AttachView(view, TUserListKind::Users);
        other->AddUser(User(5));
        EXPECT_EQ(view.Numbers(), Numbers{5});
        other.reset();
        EXPECT_EQ(view.Numbers(), Numbers{}) << "rows go before the entries they point at";
    }
}

TEST_F(UserManageTest, CountsFollowTheRowsAndFillTheTabCaptions)
{
    Add({User(101), WithRole(User(102), kAdminRole), Hidden(User(103))});
    users->RemoveUser(101);
    users->RemoveUser(103);
    EXPECT_EQ(uvUser.counts, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(uvManager.counts, std::vector<int>{1});
    EXPECT_TRUE(uvMicOrder.counts.empty());

    EXPECT_EQ(TUserManage::CountCaption(TUserListKind::Users, 12), "朋友(12)");
    EXPECT_EQ(TUserManage::CountCaption(TUserListKind::Managers, 0), "管理(0)");
    EXPECT_EQ(TUserManage::CountCaption(TUserListKind::MicOrder, 3), "麦序(3)");
}

TEST_F(UserManageTest, ChangingAUserListsItAgainAndRepaints)
{
    Add({User(101), User(102)});
    const int before = uvUser.refreshes;
    EXPECT_TRUE(users->ChangeUser(101, [](TRoomUser& u) { u.SetRoomRole(kAdminRole); }));
    EXPECT_EQ(Rows(uvManager), Numbers{101});
    EXPECT_EQ(uvUser.refreshes, before + 1);

    users->ChangeUser(102, [](TRoomUser& u) { u.SetMicState(micstate::kQueue); });
    users->ChangeUser(101, [](TRoomUser& u) { u.SetMicState(micstate::kQueue); });
    EXPECT_EQ(Rows(uvMicOrder), (Numbers{102, 101})) << "the queue keeps arrival order";
    users->ChangeUser(102, [](TRoomUser& u) { u.SetMicState(micstate::kPublic); });
    EXPECT_EQ(Rows(uvMicOrder), Numbers{101});

    // The number is the entry's key and cannot be changed through it.
    users->ChangeUser(101, [](TRoomUser& u) { u.SetUserNumber(999); });
    EXPECT_NE(users->PresentUser(101), nullptr);
    EXPECT_EQ(users->PresentUser(101)->UserNumber(), 101);

    // Messages about absent users do nothing.
    const int refreshes = uvUser.refreshes;
    bool called = false;
    EXPECT_FALSE(users->ChangeUser(555, [&](TRoomUser&) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_EQ(uvUser.refreshes, refreshes);
    EXPECT_FALSE(users->UserLeft(555));
    EXPECT_TRUE(host.lines.empty());
}

TEST_F(UserManageTest, TheMicOrderMovesRowsOnRequest)
{
    struct Case {
        int32_t user;
        TMoveDirec move;
        bool moved;
        Numbers after;
    } cases[] = {
        {3, FirstUP, true, {3, 1, 2}},   {1, FirstUP, false, {1, 2, 3}}, {1, MoveUP, false, {1, 2, 3}},
        {2, MoveUP, true, {2, 1, 3}},    {2, MoveDown, true, {1, 3, 2}}, {3, MoveDown, false, {1, 2, 3}},
        {1, LastDown, true, {2, 3, 1}},  {9, FirstUP, false, {1, 2, 3}},
    };
    Add({WithMic(User(1), micstate::kQueue), WithMic(User(2), micstate::kQueue), WithMic(User(3), micstate::kQueue),
         User(9)});
    for (const auto& c : cases) {
        users->RemoveAll(uvMicOrder);
        users->RefilterViews();
        ASSERT_EQ(Rows(uvMicOrder), (Numbers{1, 2, 3}));
        const int refreshes = uvMicOrder.refreshes;
        EXPECT_EQ(users->MoveUser(uvMicOrder, c.user, c.move), c.moved) << c.user << " " << c.move;
        EXPECT_EQ(Rows(uvMicOrder), c.after) << c.user << " " << c.move;
        EXPECT_EQ(uvMicOrder.refreshes, refreshes + (c.moved ? 1 : 0));
    }
    EXPECT_FALSE(users->MoveUser(uvUser, 3, FirstUP)) << "the sorted lists keep their order";

    users->RemoveAll(uvMicOrder);
    EXPECT_EQ(Rows(uvMicOrder), Numbers{});
    EXPECT_EQ(uvMicOrder.counts.back(), 0);
}

TEST_F(UserManageTest, AUserListPageAddsAnnouncesAndAsksForMicAddresses)
{
    users->UserListPage(TUserListPage({WithMic(User(101), micstate::kPublic), Hidden(User(102)), User(101, "again"),
                                       WithMic(Hidden(User(103)), micstate::kPublic)}));
    EXPECT_EQ(host.lines, (std::vector<std::string>{"enter 101", "mic 101", "mic 103"}));
    EXPECT_EQ(users->Count(), 3);
    EXPECT_EQ(users->PresentUser(101)->Nickname(), "用户101");
    EXPECT_EQ(Rows(uvUser), Numbers{101});
    EXPECT_EQ(uvUser.refreshes, 1);

    // A page whose count runs past its bytes is not read.
    TUserListPage damaged({User(104)});
    damaged.setI32(20, 2);
    users->UserListPage(damaged);
    EXPECT_EQ(users->PresentUser(104), nullptr);
}

TEST_F(UserManageTest, EnteringAndLeavingAreAnnouncedToThoseWhoSeeThem)
{
    users->UserEntered(Entered(User(kLocal)));
    EXPECT_EQ(users->PresentUser(kLocal), nullptr) << "the local user's own entry is ignored";

    users->UserEntered(Entered(User(101, "甲")));
    users->UserEntered(Entered(User(101, "乙")));
    users->UserEntered(Entered(Hidden(User(102))));
    EXPECT_EQ(Rows(uvUser), Numbers{101});

    EXPECT_TRUE(users->UserLeft(101));
    EXPECT_TRUE(users->UserLeft(102));
    EXPECT_FALSE(users->UserLeft(101));
    users->FindUser(0);
    EXPECT_FALSE(users->UserLeft(0)) << "everybody never leaves";
    EXPECT_EQ(host.lines, (std::vector<std::string>{"enter 101", "left 101 甲"}));
    EXPECT_EQ(users->PresentUser(102), nullptr) << "an unseen user leaves silently";
    EXPECT_EQ(Rows(uvUser), Numbers{});
}

TEST_F(UserManageTest, StarAndKingLinesFollowTheEnteredLine)
{
    const std::string gifts = cat.dir.appPath() + "Picture/Gift/";
    const std::string pictures = cat.dir.appPath() + "Picture/User/";
    weekStars = {{101, 1}, {102, 1}, {101, 2}, {101, 99}};
    monthStars = {{101, 1}};
    users->SetKingID(101);
    users->SetQueenID(101);
    users->UserEntered(Entered(User(101, "A<b>")));
    EXPECT_EQ(host.lines, (std::vector<std::string>{
                              "enter 101",
                              "star 【系统】：<img src = \"" + gifts + "rose.gif\">玫瑰周星 A&lt;b&gt;(101) 进入房间",
                              "star 【系统】：钻石周星 A&lt;b&gt;(101) 进入房间",
                              "star 【系统】：<img src = \"" + gifts + "rose.gif\">玫瑰月星 A&lt;b&gt;(101) 进入房间",
                              "king 101 A<b> " + pictures + "King.gif",
                              "queen 101 A<b> " + pictures + "Queen.gif",
                          }));
}

TEST_F(UserManageTest, StarTemplatesFillOnlyThePlacesTheyMayHold)
{
    cat.levels->WeekStarTemplate = "%d%%%s|%x|%n|%s|%s|%S%";
    weekStars = {{101, 2}};
    users->UserEntered(Entered(User(101, "甲%s")));
    ASSERT_EQ(host.lines.size(), 2u);
    EXPECT_EQ(host.lines[1], "star %d%钻石周星|%x|%n|甲%s|%s|%S%");
}

struct SealCase {
    const char* name;
    double localShiftSeconds;   // local clock minus server clock
    double expiryAfterServer;   // seconds
    uint64_t timerMs;           // 0: no timer
};

class UserManageSealTest : public UserManageTest, public ::testing::WithParamInterface<SealCase> {};

TEST_P(UserManageSealTest, TheSealTimerRunsOnTheLocalClock)
{
    const SealCase& c = GetParam();
    localNow = kServerNow + c.localShiftSeconds / kSecondsPerDay;
    TRoomUser me = User(kLocal);
    me.SetSealNumber(7);
    me.SetSealExpiry(kServerNow + c.expiryAfterServer / kSecondsPerDay);
    TUserListPage page({me});
    page.SetServerTime(kServerNow);
    users->UserListPage(page);
    EXPECT_EQ(users->PresentUser(kLocal)->bytes(), me.bytes()) << "the record keeps the server's clock";
    if (c.timerMs == 0) {
        EXPECT_FALSE(users->tmr_Seal.Enabled());
        return;
    }
    ASSERT_TRUE(users->tmr_Seal.Enabled());
    for (uint64_t left = c.timerMs - 1; left > 0;) {
        const uint32_t step = static_cast<uint32_t>(std::min<uint64_t>(left, 1u << 30));
        clock.Advance(step);
        left -= step;
    }
    EXPECT_EQ(host.lines, std::vector<std::string>{"enter 100"});
    clock.Advance(1);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"enter 100", "clearseal 100 7"}));
    EXPECT_FALSE(users->tmr_Seal.Enabled());
}

INSTANTIATE_TEST_SUITE_P(
    UserManageClocks, UserManageSealTest,
    ::testing::Values(SealCase{"local behind", -30, 90, 91000}, SealCase{"local ahead", 30, 90, 91000},
                      SealCase{"same clock", 0, 90, 91000},
                      SealCase{"the shift counts whole seconds", 30.6, 90, 90000},
                      SealCase{"sixty days", 0, 60 * 86400.0, 60 * 86400000ull + 1000},
                      SealCase{"expired", -30, -1, 0}, SealCase{"expiring now", 0, 0, 0},
                      SealCase{"damaged expiry", 0, std::numeric_limits<double>::quiet_NaN(), 0},
                      SealCase{"far beyond any clock", 0, 1e300, 0}),
    [](const auto& info) {
        std::string name;
        for (const char* p = info.param.name; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST_F(UserManageTest, OnlyTheLocalUsersSealIsTimedAndOnlyWhileHeIsPresent)
{
    TRoomUser other = User(101);
    other.SetSealNumber(7);
    other.SetSealExpiry(kServerNow + 10 / kSecondsPerDay);
    TRoomUser me = User(kLocal);
    me.SetSealNumber(8);
    me.SetSealExpiry(kServerNow + 10 / kSecondsPerDay);
    TUserListPage page({other});
    page.SetServerTime(kServerNow);
    users->UserListPage(page);
    EXPECT_FALSE(users->tmr_Seal.Enabled());

    TUserListPage mine({me});
    mine.SetServerTime(kServerNow);
    users->UserListPage(mine);
    ASSERT_TRUE(users->tmr_Seal.Enabled());
    users->RemoveUser(kLocal);
    clock.Advance(11000);
    EXPECT_FALSE(users->tmr_Seal.Enabled());
    EXPECT_EQ(host.lines, (std::vector<std::string>{"enter 101", "enter 100"}));
}

TEST_F(UserManageTest, SelectingAUserInAList)
{
    Add({User(101, "甲"), User(kLocal)});
    users->uvUserSelectUser(101);
    users->uvUserSelectUser(kLocal);
    users->uvUserSelectUser(555);
    EXPECT_EQ(host.lines, (std::vector<std::string>{"select 101 甲", "system 2 0 你操作的用户已不在房间！"}));
}

TEST_F(UserManageTest, PicturesOfSealsAndRoles)
{
    EXPECT_EQ(users->uvUserSeal(7), cat.dir.appPath() + "Picture/Seal/seal7.gif");
    EXPECT_EQ(users->uvUserSeal(8), "");
    EXPECT_EQ(users->uvUserSeal(0), "");

    TRoomUser roleShown = WithRank(User(101), 1, 8);
    roleShown.SetRolePicture("boss ");
    TRoomUser levelShown = WithRank(User(102), 1, 13);
    levelShown.SetRolePicture("boss");
    Add({roleShown, levelShown});
    EXPECT_EQ(users->GetUserRolePic(101), cat.dir.appPath() + "Picture/User/boss.bmp");
    EXPECT_EQ(users->GetUserRolePic(102), cat.dir.appPath() + "Picture/User/member.bmp");
    EXPECT_EQ(users->GetUserRolePic(555), "");
}

TEST_F(UserManageTest, TheServerCannotGrowTheRoomWithoutBound)
{
    for (int32_t n = 1; n <= static_cast<int32_t>(TUserManage::kMaxUsers); ++n)
        ASSERT_NE(users->AddUser(User(n)), nullptr) << n;
    EXPECT_EQ(users->AddUser(User(1000000)), nullptr);
    EXPECT_EQ(users->Count(), static_cast<int>(TUserManage::kMaxUsers));
    EXPECT_EQ(users->RowCount(uvUser), static_cast<int>(TUserManage::kMaxUsers));
    users->bsEditSearchChange("32768");
    EXPECT_EQ(Rows(uvUser), Numbers{32768});
}

} // namespace
} // namespace vlk
