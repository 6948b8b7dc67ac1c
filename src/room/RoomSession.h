#pragma once
// One entered room, without widgets: its own channel to the room server, the queue drained one
// message per 30 ms tick, keep-alive and the silence time-out, the dispatch of every room command,
// and leaving. The room window owns it and implements IRoomView.
#include "base/Clock.h"
#include "net/Message.h"
#include "net/PackUdp.h"
#include "net/SignalSession.h"
#include "room/LocalUserInfo.h"
#include "room/RoomHeader.h"
#include "room/RoomInfo.h"
#include "room/Crown.h"
#include "room/EventOverTime.h"
#include "room/RoomRights.h"
#include "room/UserManage.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vlk {

// The room window: the chat frame's lines about users (IUserManageHost) and the rest.
class IRoomView : public IUserManageHost {
public:
    // Asks the hall to close this room (it shows "退出%d房间：%s").
    virtual void ExitRoom(const std::string& reason) = 0;
    // A line of HTML on the private chat screen.
    virtual void AddPrivateHTML(const std::string& html) = 0;
};

namespace roomtext {
inline constexpr char kNetworkTimeout[] = "因网络连接超时退出房间！";
inline constexpr char kGuestCannotCollect[] = "游客不能收藏房间！";
} // namespace roomtext

class TRoomSession {
public:
    static constexpr uint32_t kQueueInterval = 30;
    // Ticks between keep-alives: the tag runs past this count (about 30 s).
    static constexpr int kKeepAliveTicks = 1000;
    static constexpr uint32_t kSilenceLimit = 300000;
    static constexpr uint16_t kLinePorts[] = {20011, 20022, 20033};

    // appPath: the program directory with its trailing '/' (pictures of the welcome lines);
    // clientId: the site's client number, sent on entering.
    // sources: what the hall keeps for every room (catalogues, levels, stars).
    TRoomSession(std::string appPath, uint32_t clientId, IRoomView& view, TUserManageSources sources,
                 std::unique_ptr<TUDP> endpoint = std::make_unique<TUDP>());
    ~TRoomSession();
    TRoomSession(const TRoomSession&) = delete;
    TRoomSession& operator=(const TRoomSession&) = delete;

    // Takes the two records of the hall's handshake, opens the channel, starts the queue timer and
    // sends 20013.
    void EnterRoom(const TLocalUserInfo& localUser, const TRoomInfo& room);
    // The leaving sequence: the local user's mic is left, 20015 sent, the channel closed. Runs once;
    // the destructor runs it when nobody did.
    void Leave();

    // Channel thread: deciphers, checks and queues (through the signalling session).
    void DoPackRecv(uint32_t address, uint16_t port, const uint8_t* data, size_t length);
    // GUI thread, every 30 ms.
    void DoQueueTimer();
    void DispatchCommand(const std::vector<uint8_t>& message);
    // Enciphers a copy and sends it reliably to the room server.
    void SendCommand(const TMessage& message);
    void SendKeepAlive();
    void SendEnterRoom();
    void SendLeaveRoom();
    void ExitRoom(const std::string& reason);
    // The local user's rights: level and role combined, and the crown's when the user wears it.
    TRoomRights GetRights() const;

    // The hall's collect button: guests are refused, others ask the server (19019).
    void AddToFavourites();
    // The King and the Queen as the hall last heard of them.
    void SetCrown(const TCrown& crown);
    // The local user's mic: its state and the public panel held (-1 for none).
    void SetMyMic(uint8_t state, int panelIndex);

    const TRoomInfo& Room() const { return room_; }
    const TLocalUserInfo& LocalUser() const { return localUser_; }
    uint16_t ServerPort() const { return serverPort_; }
    uint32_t ServerAddress() const { return room_.ServerAddress(); }
    TConnectionTag Tag() const { return tag_; }
    bool Entered() const { return entered_; }
    TPackUdp& Channel() { return channel_; }
    size_t QueueLength() const { return signalling_.QueueLength(); }
    TRoomIdentity Identity() const { return MakeRoomIdentity(localUser_, room_, tag_); }
    TUserManage& Users() { return users_; }
    TEventOverTime& OverTime() { return overTime_; }

    // Binds the channel to one local address (tests give each client its own).
    uint32_t BindAddress = 0;

private:
    // The tick's own work before a message is taken; false once the room is closing.
    bool OnTick();
    void OnKeepAliveAck(const std::vector<uint8_t>& message);
    void OnEnterAck(const std::vector<uint8_t>& message);
    std::string WelcomeLine(const char* picture, const std::string& text) const;

    // Users (8041, 8016, 20121).
    void OnUserEntered(const std::vector<uint8_t>& message);
    void OnUserLeft(const std::vector<uint8_t>& message);
    void OnUserListPage(const std::vector<uint8_t>& message);
    // Chat.
    void OnAnnouncement(const std::vector<uint8_t>& message);
    void OnDiceResult(const std::vector<uint8_t>& message);
    void OnGameWin(const std::vector<uint8_t>& message);
    void OnPublicChat(const std::vector<uint8_t>& message);
    void OnFunWordNotice(const std::vector<uint8_t>& message);
    void OnPrivateChat(const std::vector<uint8_t>& message);
    void OnChatRefused(const std::vector<uint8_t>& message);
    void OnFunWordResult(const std::vector<uint8_t>& message);
    // Mics.
    void OnMicPositions(const std::vector<uint8_t>& message);
    void OnMicQueue(const std::vector<uint8_t>& message);
    void OnTakenOffPrivateMic(const std::vector<uint8_t>& message);
    void OnUserGotMic(const std::vector<uint8_t>& message);
    void OnMicTimeAdded(const std::vector<uint8_t>& message);
    void OnMicQueueMoved(const std::vector<uint8_t>& message);
    void OnVideoClosed(const std::vector<uint8_t>& message);
    void OnUserLeftMic(const std::vector<uint8_t>& message);
    void OnPanelMode(const std::vector<uint8_t>& message);
    void OnLocalSendAddress(const std::vector<uint8_t>& message);
    void OnPaidMicEnded(const std::vector<uint8_t>& message);
    void OnOneToOneRefused(const std::vector<uint8_t>& message);
    void OnOneToOneRequest(const std::vector<uint8_t>& message);
    void OnOneToOneAnswer(const std::vector<uint8_t>& message);
    void OnOneToOneGranted(const std::vector<uint8_t>& message);
    void OnMicAddress(const std::vector<uint8_t>& message);
    void OnViewerLeft(const std::vector<uint8_t>& message);
    void OnBannedFromPrivateMic(const std::vector<uint8_t>& message);
    void OnViewerBanAnswer(const std::vector<uint8_t>& message);
    void OnPaidMicPrice(const std::vector<uint8_t>& message);
    void OnPaidMicGiftFailed(const std::vector<uint8_t>& message);
    void OnMicRequestResult(const std::vector<uint8_t>& message);
    void OnTakeDownResult(const std::vector<uint8_t>& message);
    void OnHoldUpResult(const std::vector<uint8_t>& message);
    void OnAddMicTimeResult(const std::vector<uint8_t>& message);
    void OnMicQueueResult(const std::vector<uint8_t>& message);
    void OnRecordRequest(const std::vector<uint8_t>& message);
    void OnRecordAnswer(const std::vector<uint8_t>& message);
    // Administration.
    void OnRoomRestart(const std::vector<uint8_t>& message);
    void OnMuteNotice(const std::vector<uint8_t>& message);
    void OnRoomSettingsChanged(const std::vector<uint8_t>& message);
    void OnTempAdminRemoved(const std::vector<uint8_t>& message);
    void OnRoomNotice(const std::vector<uint8_t>& message);
    void OnKickNotice(const std::vector<uint8_t>& message);
    void OnTempAdminAdded(const std::vector<uint8_t>& message);
    void OnAdminAdded(const std::vector<uint8_t>& message);
    void OnAdminRemoved(const std::vector<uint8_t>& message);
    void OnUserInformation(const std::vector<uint8_t>& message);
    void OnKickResult(const std::vector<uint8_t>& message);
    void OnUserAddress(const std::vector<uint8_t>& message);
    void OnFavouritesResult(const std::vector<uint8_t>& message);
    void OnMuteResult(const std::vector<uint8_t>& message);
    void OnRoomSettings(const std::vector<uint8_t>& message);
    void OnManagementList(const std::vector<uint8_t>& message);
    void OnBlockedAddresses(const std::vector<uint8_t>& message);
    void OnDeputyOwnerResult(const std::vector<uint8_t>& message);
    void OnBlockedAddressResult(const std::vector<uint8_t>& message);
    void OnCloseRoomResult(const std::vector<uint8_t>& message);
    void OnAdminResult(const std::vector<uint8_t>& message);
    void OnBlacklistResult(const std::vector<uint8_t>& message);
    // Gifts, seals, loudspeaker, balances.
    void OnLuxuryList(const std::vector<uint8_t>& message);
    void OnLoudspeakerNotice(const std::vector<uint8_t>& message);
    void OnGiftInAllRooms(const std::vector<uint8_t>& message);
    void OnWeekStarLine(const std::vector<uint8_t>& message);
    void OnSealPutOn(const std::vector<uint8_t>& message);
    void OnSealCleared(const std::vector<uint8_t>& message);
    void OnFireworksShare(const std::vector<uint8_t>& message);
    void OnLuckyGiftWon(const std::vector<uint8_t>& message);
    void OnGiftSent(const std::vector<uint8_t>& message);
    void OnBalance(const std::vector<uint8_t>& message);
    void OnSealResult(const std::vector<uint8_t>& message);
    void OnGiftResult(const std::vector<uint8_t>& message);
    void OnExchangeResult(const std::vector<uint8_t>& message);
    void OnClearSealResult(const std::vector<uint8_t>& message);
    void OnGiftValueCredited(const std::vector<uint8_t>& message);
    void OnPurchaseBalance(const std::vector<uint8_t>& message);

    std::string appPath_;
    uint32_t clientId_;
    IRoomView& view_;
    TPackUdp channel_;
    TSignalSession signalling_;
    TRoomInfo room_;
    TLocalUserInfo localUser_;
    TCrown crown_;
    TEventOverTime overTime_;
    TUserManage users_;
    uint16_t serverPort_ = 0;
    TConnectionTag tag_;
    uint32_t lastAckTick_;
    int keepAliveTag_ = 0;
    uint8_t myMicState_ = 0;
    int myPanelIndex_ = -1;
    bool entered_ = false;
    bool left_ = false;
};

} // namespace vlk
