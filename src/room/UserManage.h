#pragma once
// TUserManage: the users present in one room, the user lists that mirror them, and what the room
// window is told when users come and go. Qt-free: each list implements IUserView, the room window
// implements IUserManageHost.
//
// The model decides which users each list shows and in which order, so a list only draws the rows
// it is given: the users list and the managers list run King first, then Queen, then by ascending
// sort rank and user number; the mic order list keeps queue order.
#include "base/Clock.h"
#include "base/DateTime.h"
#include "hall/HallMessages.h"
#include "room/RoomRights.h"
#include "room/RoomUser.h"
#include "room/SessionMessagesIn.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vlk {

class TGift;
class TSeal;
class TvlkTypeCFG;

// The room window's three lists (tabs "朋友", "管理", "麦序"), each with its own filter.
enum class TUserListKind { Users, Managers, MicOrder };

// Moves in the mic order list.
enum TMoveDirec : int { FirstUP = 0, MoveUP = 1, MoveDown = 2, LastDown = 3 };

// A list of users. Rows refer to the model's entries: an entry handed to InsertRow stays valid
// until its row is removed or the rows are cleared. A view must be detached before it is
// destroyed, unless it outlives the model.
class IUserView {
public:
    virtual ~IUserView() = default;
    virtual void InsertRow(int row, const TRoomUser& user) = 0;
    virtual void RemoveRow(int row) = 0;
    // The row at `from` moves so that it ends up at `to` (an index of the list after the move).
    virtual void MoveRow(int from, int to) = 0;
    virtual void ClearRows() = 0;
    // Entries changed in place (mic state, mute, role, seal): draw the rows again.
    virtual void Refresh() = 0;
    // Whose rows get the King's and the Queen's head picture.
    virtual void SetKingID(int32_t number) = 0;
    virtual void SetQueenID(int32_t number) = 0;
    // The number of rows changed; the room window writes it into the list's tab (CountCaption).
    virtual void UserCountChange(int count) = 0;
};

// What the model asks of the room window.
class IUserManageHost {
public:
    virtual ~IUserManageHost() = default;
    // The chat frame's lines about users coming and going.
    virtual void AddUserEnter(const TRoomUser& user) = 0;
    virtual void AddWeekStar(const std::string& html) = 0;
    virtual void AddKingInRoom(int32_t number, const std::string& nickname, const std::string& picture) = 0;
    virtual void AddQueenInRoom(int32_t number, const std::string& nickname, const std::string& picture) = 0;
    virtual void AddUserLeft(int32_t number, const std::string& nickname) = 0;
    virtual void AddSystem(int kind, int screen, const std::string& text) = 0;
    // A user picked in a list becomes the chat target and the gift receiver.
    virtual void SelectUser(int32_t number, const std::string& nickname) = 0;
    // Sends 20120: the media address of a user on a public mic.
    virtual void AskMicAddress(int32_t number) = 0;
    // Sends 20218 from the system (requester 0): the seal on the user has run out.
    virtual void ClearSeal(int32_t number, int32_t sealNumber) = 0;
};

// What the hall keeps for every room and the model reads. A missing source gives no lines or
// pictures of its kind.
struct TUserManageSources {
    std::string AppPath;   // the program directory with its trailing '/'
    const TGift* Gifts = nullptr;
    const TSeal* Seals = nullptr;
    const TvlkTypeCFG* Levels = nullptr;
    const std::vector<TStarPair>* WeekStars = nullptr;
    const std::vector<TStarPair>* MonthStars = nullptr;
};

namespace usertext {
inline constexpr char kEverybody[] = "大家";
inline constexpr char kUserGone[] = "你操作的用户已不在房间！";
inline constexpr char kWeekStar[] = "周星";
inline constexpr char kMonthStar[] = "月星";
} // namespace usertext

class TUserManage {
public:
    // The room's user limit is a 16-bit number; the server cannot make the model grow further.
    static constexpr size_t kMaxUsers = 32768;

    TUserManage(IUserManageHost& host, TUserManageSources sources);
    // Clears the rows of every view still attached before the entries go.
    ~TUserManage();
    TUserManage(const TUserManage&) = delete;
    TUserManage& operator=(const TUserManage&) = delete;

    // The local user and the combined rights that decide which hidden users he sees; the lists
    // are filtered again.
    void SetLocalUser(int32_t number, const TRoomRights& rights);
    int32_t LocalUser() const { return localUser_; }

    // Gives the view the King and Queen and lists the present users it shows; false when it was
    // attached already.
    bool AttachView(IUserView& view, TUserListKind kind);
    // Clears the view's rows (they would point at entries it no longer hears about) and lets it go.
    bool DetachView(IUserView& view);

    // Stores a copy and lists it in every view that shows it; nothing for a number already present,
    // for user 0 (never a real user) and beyond kMaxUsers.
    const TRoomUser* AddUser(const TRoomUser& user);
    // Unlists the user in every view, then frees the entry; whether it was present.
    bool RemoveUser(int32_t number);
    int Count() const { return static_cast<int>(users_.size()); }
    const TRoomUser* UserAt(int index) const;
    // Looking up 0 when absent adds the pseudo-user "大家", who stands for everybody.
    const TRoomUser* FindUser(int32_t number);
    // The present user, without ever adding one.
    const TRoomUser* PresentUser(int32_t number) const;
    // Present, level 16 and no room role.
    bool IsGuest(int32_t number) const;
    // Changes a present user's entry in place, lists or unlists it again in every view and
    // repaints them; whether the user was present. The change must keep the user number.
    bool ChangeUser(int32_t number, const std::function<void(TRoomUser&)>& change);

    void RefreshViews();
    void RefilterViews();
    void SetKingID(int32_t number);
    void SetQueenID(int32_t number);
    int32_t KingID() const { return kingId_; }
    int32_t QueenID() const { return queenId_; }

    // Whether the local user may see the user: hidden users only through the visibility set.
    bool IsVisible(const TRoomUser& user) const;
    bool MatchesSearch(const TRoomUser& user) const;
    // The three lists' filters.
    bool uvUserAddUser(const TRoomUser& user) const;
    bool Tv_ManagerAddUser(const TRoomUser& user) const;
    bool Tv_Micorder1AddUser(const TRoomUser& user) const;
    // Guests in the users list; on at creation.
    void SetShowTourist(bool on);
    // The search box's text, trimmed; the lists are filtered again.
    void bsEditSearchChange(const std::string& text);
    const std::string& SearchText() const { return searchText_; }
    static std::string CountCaption(TUserListKind kind, int count);

    int RowCount(const IUserView& view) const;
    // The user's row in the view, -1 when it has none.
    int RowOf(const IUserView& view, int32_t number) const;
    // Only the mic order list moves rows on request; the move is reported with MoveRow and a
    // repaint. Whether the row moved.
    bool MoveUser(IUserView& view, int32_t number, TMoveDirec direction);
    // Empties the view's rows (the mic queue is replaced whole).
    void RemoveAll(IUserView& view);

    // 20121: a page of the present users.
    void UserListPage(const TUserListPage& page);
    // 8041: a user entered.
    void UserEntered(const TUserEntered& message);
    // 8016: the user left; whether he was present. The room window then clears his panels and
    // drops him from its own lists.
    bool UserLeft(int32_t number);
    // A click on a row of any list.
    void uvUserSelectUser(int32_t number);
    // The seal's picture file; empty for a seal the catalogue does not hold.
    std::string uvUserSeal(int32_t sealNumber) const;
    // The role or level picture of a present user for the audio/video panels; empty when absent.
    std::string GetUserRolePic(int32_t number) const;

    // Counts down the local user's seal; started by the user list page.
    TTimer tmr_Seal;
    // The local wall clock as a date-time; tests set their own.
    std::function<double()> DateTimeNow = NowDateTime;

private:
    struct TAttached {
        IUserView* View;
        TUserListKind Kind;
        std::vector<const TRoomUser*> Rows;
    };

    TAttached* Find(const IUserView& view);
    const TAttached* Find(const IUserView& view) const;
    bool Lists(const TAttached& list, const TRoomUser& user) const;
    int InsertPosition(const TAttached& list, const TRoomUser& user) const;
    void Insert(TAttached& list, const TRoomUser& user);
    void Unlist(TAttached& list, int row);
    // Lists, unlists or puts the user's row back in order.
    void Update(TAttached& list, const TRoomUser& user);
    void Reorder(TAttached& list, int32_t number);
    void Announce(const TRoomUser& user);
    void AnnounceStars(const TRoomUser& user, const std::vector<TStarPair>* stars, const std::string& lineTemplate,
                       const char* title);
    void StartSealTimer(const TRoomUser& user, double serverTime);
    void tmr_SealTimer();

    IUserManageHost& host_;
    TUserManageSources sources_;
    std::vector<std::unique_ptr<TRoomUser>> users_;   // arrival order
    std::unordered_map<int32_t, TRoomUser*> byNumber_;
    std::vector<TAttached> views_;
    int32_t localUser_ = 0;
    TRoomRights rights_;
    int32_t kingId_ = 0;
    int32_t queenId_ = 0;
    std::string searchText_;
    bool showTourist_ = true;
    uint64_t sealRemaining_ = 0;   // ms still to run on tmr_Seal
};

} // namespace vlk
