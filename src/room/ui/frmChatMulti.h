#pragma once
// A room's window inside the hall: one per room tab. It owns the room session and shows the room's
// name and notice, the room's lines and the three user lists ("朋友", "管理", "麦序") with their
// search box and the user menu.
#include "room/RoomSession.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QSplitter;
class QTabWidget;
class QTextBrowser;

namespace vlk {

class TSubMenu;
class TUserView;
class TvlkChatCFG;

class TfrmChatMulti : public QWidget, private IRoomView {
    Q_OBJECT
public:
    TfrmChatMulti(const TvlkChatCFG& cfg, TUserManageSources sources, QWidget* parent = nullptr);
    ~TfrmChatMulti() override;

    // Takes the two records of the hall's handshake (raw bytes, as the hall received them) and enters.
    void EnterRoom(const std::string& localUserInfo, const std::string& roomInfo);
    // Arranges the lists and the lines as the member's layout setting says.
    void ApplyLayout();
    void AddToFavourites() { session_->AddToFavourites(); }

    int32_t RoomID() const { return session_->Room().RoomNumber(); }
    TRoomSession& Session() { return *session_; }
    TUserView* UserView(TUserListKind kind) const;

    // Set by the hall.
    std::function<void(TfrmChatMulti* room, int32_t roomId, const QString& reason)> OnExitRoom;
    std::function<void(TfrmChatMulti* room)> OnAttention;

private:
    // IRoomView
    void ExitRoom(const std::string& reason) override;
    void AddPrivateHTML(const std::string& html) override;
    void AddUserEnter(const TRoomUser& user) override;
    void AddWeekStar(const std::string& html) override;
    void AddKingInRoom(int32_t number, const std::string& nickname, const std::string& picture) override;
    void AddQueenInRoom(int32_t number, const std::string& nickname, const std::string& picture) override;
    void AddUserLeft(int32_t number, const std::string& nickname) override;
    void AddSystem(int kind, int screen, const std::string& text) override;
    void SelectUser(int32_t number, const std::string& nickname) override;
    void AskMicAddress(int32_t number) override;
    void ClearSeal(int32_t number, int32_t sealNumber) override;

    void FormCreate();
    TUserView* MakeUserView(const char* name, TUserListKind kind);
    void AddLine(const QString& html);

    const TvlkChatCFG& cfg_;
    std::unique_ptr<TRoomSession> session_;

    QLabel* lblRoomName;
    QLabel* lblRoomNotice;
    QSplitter* pnlBody;
    QTextBrowser* txtRoomLines;
    QWidget* pnlUsers;
    QLineEdit* bsEditSearch;
    QTabWidget* pgcUser;
    TUserView* uvUser;
    TUserView* uvManager;
    TUserView* uvMicOrder;
    TSubMenu* mnuUser;
};

} // namespace vlk
