#include "room/UserManage.h"

#include "base/DebugLog.h"
#include "gifts/Gift.h"
#include "gifts/Seal.h"
#include "shell/TextHelpers.h"
#include "shell/vlkTypeCFG.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string_view>
#include <unordered_set>

namespace vlk {
namespace {

// The seal timer runs a day at a time, so that seals of any length fit its 32-bit interval.
constexpr uint64_t kSealStep = 86400000;
// Date-times further out than this (about 27000 years) are damaged, not seal expiries.
constexpr double kMaxDays = 1e7;

// An element below 1 always counts as shown, one above 255 never does.
bool InShownSet(const TLevelSet& set, int element)
{
    if (element < 1)
        return true;
    return element <= 255 && set.Contains(static_cast<uint8_t>(element));
}

bool Guest(const TRoomUser& user) { return user.Level() == kGuestLevel && user.RoomRole() == 0; }

std::string AsciiLower(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lowered;
}

struct TFormatArg {
    bool IsNumber;
    std::string Text;
};

// The star templates come from UserLevel.ini, which anyone may edit: only %s/%S (a text), %d (a
// number) and %% are filled in, in order and only with an argument of their kind; anything else
// stays as written.
std::string FormatTemplate(std::string_view pattern, const std::vector<TFormatArg>& args)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out += c;
            continue;
        }
        const char kind = pattern[i + 1];
        if (kind == '%') {
            out += '%';
            ++i;
            continue;
        }
        const bool text = kind == 's' || kind == 'S';
        const bool number = kind == 'd' || kind == 'D';
        if ((text || number) && next < args.size() && args[next].IsNumber == number) {
            out += args[next++].Text;
            ++i;
            continue;
        }
        out += c;
    }
    return out;
}

// Milliseconds of a date-time; nothing for a value no clock can hold.
std::optional<int64_t> DateTimeMs(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > kMaxDays)
        return std::nullopt;
    return std::llround(days * kSecondsPerDay * 1000.0);
}

bool FileExists(const std::string& path)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

} // namespace

TUserManage::TUserManage(IUserManageHost& host, TUserManageSources sources) : host_(host), sources_(std::move(sources))
{
    tmr_Seal.OnTimer = [this](TTimer&) { tmr_SealTimer(); };
}

TUserManage::~TUserManage()
{
    for (TAttached& list : views_)
        list.View->ClearRows();
}

void TUserManage::SetLocalUser(int32_t number, const TRoomRights& rights)
{
    localUser_ = number;
    rights_ = rights;
    RefilterViews();
}

TUserManage::TAttached* TUserManage::Find(const IUserView& view)
{
    const auto it = std::find_if(views_.begin(), views_.end(), [&](const TAttached& a) { return a.View == &view; });
    return it == views_.end() ? nullptr : &*it;
}

const TUserManage::TAttached* TUserManage::Find(const IUserView& view) const
{
    return const_cast<TUserManage*>(this)->Find(view);
}

bool TUserManage::AttachView(IUserView& view, TUserListKind kind)
{
    if (Find(view))
        return false;
    views_.push_back({&view, kind, {}});
    view.SetKingID(kingId_);
    view.SetQueenID(queenId_);
    for (const auto& user : users_)
        if (Lists(views_.back(), *user))
            Insert(views_.back(), *user);
    return true;
}

bool TUserManage::DetachView(IUserView& view)
{
    const auto it = std::find_if(views_.begin(), views_.end(), [&](const TAttached& a) { return a.View == &view; });
    if (it == views_.end())
        return false;
    view.ClearRows();
    views_.erase(it);
    return true;
}

const TRoomUser* TUserManage::AddUser(const TRoomUser& user)
{
    const int32_t number = user.UserNumber();
    if (number == 0 || byNumber_.count(number))
        return nullptr;
    if (users_.size() >= kMaxUsers) {
        DebugLog().warn("room users: {} present already, user {} not added", users_.size(), number);
        return nullptr;
    }
    users_.push_back(std::make_unique<TRoomUser>(user));
    TRoomUser* stored = users_.back().get();
    byNumber_.emplace(number, stored);
    for (TAttached& list : views_)
        if (Lists(list, *stored))
            Insert(list, *stored);
    return stored;
}

bool TUserManage::RemoveUser(int32_t number)
{
    const auto it = byNumber_.find(number);
    if (it == byNumber_.end())
        return false;
    for (TAttached& list : views_)
        if (const int row = RowOf(*list.View, number); row >= 0)
            Unlist(list, row);
    const TRoomUser* gone = it->second;
    byNumber_.erase(it);
    users_.erase(std::find_if(users_.begin(), users_.end(), [&](const auto& u) { return u.get() == gone; }));
    return true;
}

const TRoomUser* TUserManage::UserAt(int index) const
{
    return index >= 0 && index < Count() ? users_[static_cast<size_t>(index)].get() : nullptr;
}

const TRoomUser* TUserManage::PresentUser(int32_t number) const
{
    const auto it = byNumber_.find(number);
    return it == byNumber_.end() ? nullptr : it->second;
}

const TRoomUser* TUserManage::FindUser(int32_t number)
{
    if (const TRoomUser* user = PresentUser(number); user || number != 0)
        return user;
    // Never listed (views skip user 0), so it bypasses AddUser.
    auto everybody = std::make_unique<TRoomUser>();
    everybody->SetNickname(usertext::kEverybody);
    users_.push_back(std::move(everybody));
    byNumber_.emplace(0, users_.back().get());
    return users_.back().get();
}

bool TUserManage::IsGuest(int32_t number) const
{
    const TRoomUser* user = PresentUser(number);
    return user && Guest(*user);
}

bool TUserManage::ChangeUser(int32_t number, const std::function<void(TRoomUser&)>& change)
{
    const auto it = byNumber_.find(number);
    if (it == byNumber_.end())
        return false;
    TRoomUser& user = *it->second;
    change(user);
    user.SetUserNumber(number);   // the number is the entry's key
    for (TAttached& list : views_)
        Update(list, user);
    RefreshViews();
    return true;
}

void TUserManage::RefreshViews()
{
    for (TAttached& list : views_)
        list.View->Refresh();
}

void TUserManage::RefilterViews()
{
    for (TAttached& list : views_) {
        // Rows that no longer pass go first, bottom up, so that each removal moves little.
        for (int row = static_cast<int>(list.Rows.size()) - 1; row >= 0; --row)
            if (!Lists(list, *list.Rows[static_cast<size_t>(row)]))
                Unlist(list, row);
        std::unordered_set<int32_t> listed;
        for (const TRoomUser* user : list.Rows)
            listed.insert(user->UserNumber());
        for (const auto& user : users_)
            if (!listed.count(user->UserNumber()) && Lists(list, *user))
                Insert(list, *user);
    }
}

void TUserManage::SetKingID(int32_t number)
{
    const int32_t previous = kingId_;
    kingId_ = number;
    for (TAttached& list : views_) {
        list.View->SetKingID(number);
        if (list.Kind == TUserListKind::MicOrder)
            continue;
        // The former King goes back to his place by rank.
        if (previous != number)
            Reorder(list, previous);
        Reorder(list, number);
    }
}

void TUserManage::SetQueenID(int32_t number)
{
    const int32_t previous = queenId_;
    queenId_ = number;
    for (TAttached& list : views_) {
        list.View->SetQueenID(number);
        if (list.Kind == TUserListKind::MicOrder)
            continue;
        if (previous != number)
            Reorder(list, previous);
        Reorder(list, number);
    }
}

bool TUserManage::IsVisible(const TRoomUser& user) const
{
    if (!user.Hidden() || user.UserNumber() == localUser_)
        return true;
    const TLevelSet shown = rights_.ShownHiddenLevels();
    if (InShownSet(shown, user.Level()))
        return true;
    return user.RoomRole() >= 1 && InShownSet(shown, user.RoomRole());
}

bool TUserManage::MatchesSearch(const TRoomUser& user) const
{
    if (searchText_.empty())
        return true;
    const std::string wanted = AsciiLower(searchText_);
    return AsciiLower(user.Nickname()).find(wanted) != std::string::npos ||
           std::to_string(user.UserNumber()).find(wanted) != std::string::npos;
}

bool TUserManage::uvUserAddUser(const TRoomUser& user) const
{
    return IsVisible(user) && MatchesSearch(user) && (showTourist_ || !Guest(user));
}

bool TUserManage::Tv_ManagerAddUser(const TRoomUser& user) const
{
    return user.RoomRole() != 0 && user.RoomRole() != kTempAdminRole && MatchesSearch(user) && IsVisible(user);
}

bool TUserManage::Tv_Micorder1AddUser(const TRoomUser& user) const
{
    return user.MicState() == micstate::kQueue;
}

void TUserManage::SetShowTourist(bool on)
{
    showTourist_ = on;
    RefilterViews();
}

void TUserManage::bsEditSearchChange(const std::string& text)
{
    searchText_ = Trim(text);
    RefilterViews();
}

std::string TUserManage::CountCaption(TUserListKind kind, int count)
{
    const char* name = kind == TUserListKind::Users ? "朋友" : kind == TUserListKind::Managers ? "管理" : "麦序";
    return std::string(name) + "(" + std::to_string(count) + ")";
}

int TUserManage::RowCount(const IUserView& view) const
{
    const TAttached* list = Find(view);
    return list ? static_cast<int>(list->Rows.size()) : 0;
}

int TUserManage::RowOf(const IUserView& view, int32_t number) const
{
    const TAttached* list = Find(view);
    if (!list)
        return -1;
    const auto it = std::find_if(list->Rows.begin(), list->Rows.end(),
                                 [&](const TRoomUser* u) { return u->UserNumber() == number; });
    return it == list->Rows.end() ? -1 : static_cast<int>(it - list->Rows.begin());
}

bool TUserManage::MoveUser(IUserView& view, int32_t number, TMoveDirec direction)
{
    TAttached* list = Find(view);
    if (!list || list->Kind != TUserListKind::MicOrder)
        return false;
    const int from = RowOf(view, number);
    if (from < 0)
        return false;
    const int last = static_cast<int>(list->Rows.size()) - 1;
    int to = from;
    switch (direction) {
    case FirstUP: to = 0; break;
    case MoveUP: to = std::max(from - 1, 0); break;
    case MoveDown: to = std::min(from + 1, last); break;
    case LastDown: to = last; break;
    }
    if (to == from)
        return false;
    const TRoomUser* user = list->Rows[static_cast<size_t>(from)];
    list->Rows.erase(list->Rows.begin() + from);
    list->Rows.insert(list->Rows.begin() + to, user);
    view.MoveRow(from, to);
    view.Refresh();
    return true;
}

void TUserManage::RemoveAll(IUserView& view)
{
    TAttached* list = Find(view);
    if (!list)
        return;
    list->Rows.clear();
    view.ClearRows();
    view.UserCountChange(0);
}

bool TUserManage::Lists(const TAttached& list, const TRoomUser& user) const
{
    if (user.UserNumber() == 0)
        return false;
    switch (list.Kind) {
    case TUserListKind::Users: return uvUserAddUser(user);
    case TUserListKind::Managers: return Tv_ManagerAddUser(user);
    case TUserListKind::MicOrder: return Tv_Micorder1AddUser(user);
    }
    return false;
}

int TUserManage::InsertPosition(const TAttached& list, const TRoomUser& user) const
{
    const int count = static_cast<int>(list.Rows.size());
    if (list.Kind == TUserListKind::MicOrder)
        return count;
    const int32_t number = user.UserNumber();
    if (number == kingId_)
        return 0;
    if (number == queenId_)
        return count > 0 && list.Rows[0]->UserNumber() == kingId_ ? 1 : 0;
    // The King and Queen lead; below them the rows run by rank, then number.
    auto first = list.Rows.begin();
    while (first != list.Rows.end() && ((*first)->UserNumber() == kingId_ || (*first)->UserNumber() == queenId_))
        ++first;
    const int16_t rank = user.ShownRank();
    const auto at = std::partition_point(first, list.Rows.end(), [&](const TRoomUser* row) {
        const int16_t rowRank = row->ShownRank();
        return rowRank < rank || (rowRank == rank && row->UserNumber() < number);
    });
    return static_cast<int>(at - list.Rows.begin());
}

void TUserManage::Insert(TAttached& list, const TRoomUser& user)
{
    const int row = InsertPosition(list, user);
    list.Rows.insert(list.Rows.begin() + row, &user);
    list.View->InsertRow(row, user);
    list.View->UserCountChange(static_cast<int>(list.Rows.size()));
}

void TUserManage::Unlist(TAttached& list, int row)
{
    list.Rows.erase(list.Rows.begin() + row);
    list.View->RemoveRow(row);
    list.View->UserCountChange(static_cast<int>(list.Rows.size()));
}

void TUserManage::Update(TAttached& list, const TRoomUser& user)
{
    const int row = RowOf(*list.View, user.UserNumber());
    const bool listed = Lists(list, user);
    if (row >= 0 && !listed)
        Unlist(list, row);
    else if (row < 0 && listed)
        Insert(list, user);
    else if (row >= 0 && list.Kind != TUserListKind::MicOrder)
        Reorder(list, user.UserNumber());   // a new role or level may bring a new rank
}

void TUserManage::Reorder(TAttached& list, int32_t number)
{
    const int from = RowOf(*list.View, number);
    if (from < 0)
        return;
    const TRoomUser* user = list.Rows[static_cast<size_t>(from)];
    list.Rows.erase(list.Rows.begin() + from);
    const int to = InsertPosition(list, *user);
    list.Rows.insert(list.Rows.begin() + to, user);
    if (to != from)
        list.View->MoveRow(from, to);
}

void TUserManage::UserListPage(const TUserListPage& page)
{
    if (!page.Fits())
        return;
    for (const TRoomUser& record : page.Users()) {
        // A number present already keeps its first record and is not announced again.
        const TRoomUser* user = AddUser(record);
        if (!user)
            continue;
        if (user->UserNumber() == localUser_ && user->SealNumber() > 0)
            StartSealTimer(*user, page.ServerTime());
        if (IsVisible(*user))
            Announce(*user);
        if (user->MicState() == micstate::kPublic)
            host_.AskMicAddress(user->UserNumber());
    }
    RefreshViews();
}

void TUserManage::UserEntered(const TUserEntered& message)
{
    if (static_cast<int32_t>(message.UserNumber()) == localUser_)
        return;
    if (const TRoomUser* user = AddUser(message.User()); user && IsVisible(*user))
        Announce(*user);
    RefreshViews();
}

bool TUserManage::UserLeft(int32_t number)
{
    // User 0 stands for everybody and never leaves.
    const TRoomUser* user = number == 0 ? nullptr : PresentUser(number);
    if (!user)
        return false;
    if (IsVisible(*user))
        host_.AddUserLeft(number, user->Nickname());
    RemoveUser(number);
    RefreshViews();
    return true;
}

void TUserManage::uvUserSelectUser(int32_t number)
{
    const TRoomUser* user = PresentUser(number);
    if (!user)
        host_.AddSystem(2, 0, usertext::kUserGone);
    else if (number != localUser_)
        host_.SelectUser(number, user->Nickname());
}

std::string TUserManage::uvUserSeal(int32_t sealNumber) const
{
    if (!sources_.Seals)
        return {};
    const TSealRecord* seal = sources_.Seals->FindSeal(sealNumber);
    return seal ? sources_.Seals->PicturePath(*seal) : std::string();
}

std::string TUserManage::GetUserRolePic(int32_t number) const
{
    const TRoomUser* user = PresentUser(number);
    return user ? sources_.AppPath + "Picture/User/" + Trim(user->ShownPicture()) + ".bmp" : std::string();
}

void TUserManage::Announce(const TRoomUser& user)
{
    host_.AddUserEnter(user);
    if (sources_.Levels) {
        AnnounceStars(user, sources_.WeekStars, sources_.Levels->WeekStarTemplate, usertext::kWeekStar);
        AnnounceStars(user, sources_.MonthStars, sources_.Levels->MonthStarTemplate, usertext::kMonthStar);
    }
    const int32_t number = user.UserNumber();
    if (number == kingId_)
        host_.AddKingInRoom(number, user.Nickname(), sources_.AppPath + "Picture/User/King.gif");
    if (number == queenId_)
        host_.AddQueenInRoom(number, user.Nickname(), sources_.AppPath + "Picture/User/Queen.gif");
}

void TUserManage::AnnounceStars(const TRoomUser& user, const std::vector<TStarPair>* stars,
                                const std::string& lineTemplate, const char* title)
{
    if (!stars || !sources_.Gifts)
        return;
    for (const TStarPair& star : *stars) {
        if (star.UserID != user.UserNumber())
            continue;
        const TGiftRecord* gift = sources_.Gifts->FindGift(star.GiftID);
        if (!gift)
            continue;
        const std::string picture = sources_.Gifts->ChatPicturePath(*gift);
        const std::string tag = FileExists(picture) ? "<img src = \"" + picture + "\">" : std::string();
        host_.AddWeekStar(FormatTemplate(lineTemplate, {{false, tag + Trim(gift->Name()) + title},
                                                        {false, EscapeHtml(user.Nickname())},   // markup of other members reaches the chat as text
                                                        {true, std::to_string(user.UserNumber())}}));
    }
}

void TUserManage::StartSealTimer(const TRoomUser& user, double serverTime)
{
    const auto local = DateTimeMs(DateTimeNow());
    const auto server = DateTimeMs(serverTime);
    const auto expiry = DateTimeMs(user.SealExpiry());
    if (!local || !server || !expiry)
        return;
    // The stored expiry stays on the server's clock; only the timer is set on ours, shifted by the
    // clock difference in whole seconds.
    const int64_t shiftSeconds = (*local - *server) / 1000;
    const int64_t left = *expiry + shiftSeconds * 1000 - *local;
    if (left <= 0)
        return;
    sealRemaining_ = static_cast<uint64_t>(left / 1000 + 1) * 1000;
    tmr_Seal.SetInterval(static_cast<uint32_t>(std::min(sealRemaining_, kSealStep)));
    tmr_Seal.SetEnabled(true);
}

void TUserManage::tmr_SealTimer()
{
    sealRemaining_ -= std::min<uint64_t>(sealRemaining_, tmr_Seal.Interval());
    if (sealRemaining_ > 0) {
        if (sealRemaining_ < tmr_Seal.Interval())
            tmr_Seal.SetInterval(static_cast<uint32_t>(sealRemaining_));
        return;
    }
    tmr_Seal.SetEnabled(false);
    if (const TRoomUser* me = PresentUser(localUser_))
        host_.ClearSeal(localUser_, me->SealNumber());
}

} // namespace vlk
