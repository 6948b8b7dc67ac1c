#include "room/RoomSession.h"

#include "base/DebugLog.h"
#include "net/Encrypt.h"
#include "room/AdminMessagesIn.h"
#include "room/AdminMessagesOut.h"
#include "room/MicMessagesOut.h"
#include "room/RoomCommands.h"
#include "room/SessionMessagesIn.h"
#include "room/SessionMessagesOut.h"
#include "shell/NetHelpers.h"
#include "shell/TextHelpers.h"

namespace vlk {

namespace {

// Where an answer carries the tag of the request it answers.
size_t AnswerTagOffset(int32_t answerCode)
{
    using namespace roomcmd;
    switch (answerCode) {
    case kKickResult:
    case kMuteResult: return 21;
    case kExchangeResult:
    case kMicRequestResult: return 8;
    case kLocalSendAddress: return 32;
    case kOneToOneRefused: return 51;
    default: return 20;
    }
}

} // namespace

TRoomSession::TRoomSession(std::string appPath, uint32_t clientId, IRoomView& view, TUserManageSources sources,
                           std::unique_ptr<TUDP> endpoint)
    : appPath_(std::move(appPath)), clientId_(clientId), view_(view), channel_(std::move(endpoint)),
      signalling_(channel_, Cipher(), kQueueInterval), users_(view, std::move(sources)),
      lastAckTick_(GetTickCount())
{
    overTime_.SetExpiryHandler([this](const std::string& text) { view_.AddSystem(2, 0, text); });
    signalling_.BeforeDrain = [this] { return OnTick(); };
    signalling_.OnDispatch = [this](const std::vector<uint8_t>& message, uint32_t, uint16_t) {
        DispatchCommand(message);
    };
}

TRoomSession::~TRoomSession()
{
    Leave();
}

void TRoomSession::EnterRoom(const TLocalUserInfo& localUser, const TRoomInfo& room)
{
    localUser_ = localUser;
    room_ = room;
    const int16_t line = room_.Line();
    serverPort_ = line >= 1 && line <= 3 ? kLinePorts[line - 1] : 0;
    users_.SetLocalUser(localUser_.UserNumber(), GetRights());
    channel_.BindAddress = BindAddress;
    channel_.SetActive(true);
    entered_ = true;
    signalling_.Start();
    SendEnterRoom();
}

void TRoomSession::Leave()
{
    if (!entered_ || std::exchange(left_, true))
        return;
    signalling_.Stop();
    // Holding a mic, public or private, the server is told before the room goes.
    if (myPanelIndex_ >= 0 || myMicState_ != 0)
        SendCommand(TLeaveMic(Identity()));
    SendLeaveRoom();
    channel_.SetActive(false);
}

void TRoomSession::DoPackRecv(uint32_t address, uint16_t port, const uint8_t* data, size_t length)
{
    signalling_.DoPackRecv(address, port, data, length);
}

void TRoomSession::DoQueueTimer()
{
    signalling_.DoQueueTimer();
}

bool TRoomSession::OnTick()
{
    overTime_.CheckExpired();
    if (++keepAliveTag_ > kKeepAliveTicks) {
        SendKeepAlive();
        keepAliveTag_ = 0;
        if (TickDiff(GetTickCount(), lastAckTick_) > kSilenceLimit) {
            signalling_.Stop();
            ExitRoom(roomtext::kNetworkTimeout);
            return false;
        }
    }
    return true;
}

void TRoomSession::SendCommand(const TMessage& message)
{
    // Nothing goes out before entering or after leaving: the channel is closed then.
    if (!channel_.Active())
        return;
    signalling_.SendCommand(ServerAddress(), serverPort_, message.size(), message.data());
}

void TRoomSession::SendKeepAlive()
{
    SendCommand(TKeepAlive(Identity()));
}

void TRoomSession::SendEnterRoom()
{
    TEnterRoom enter(MakeRoomIdentity(localUser_, room_, {}));
    enter.SetClientID(clientId_);
    enter.SetMacAddress(GetMacAddress());
    SendCommand(enter);
}

void TRoomSession::SendLeaveRoom()
{
    SendCommand(TLeaveRoom(Identity()));
}

void TRoomSession::ExitRoom(const std::string& reason)
{
    DebugLog().info("leaving room {}: {}", room_.RoomNumber(), reason);
    view_.ExitRoom(reason);
}

TRoomRights TRoomSession::GetRights() const
{
    TRoomRights rights = TRoomRights::Combine(localUser_.LevelRights(), localUser_.RoleRights());
    const int32_t me = localUser_.UserNumber();
    if (me != 0 && me == crown_.King)
        rights = TRoomRights::Combine(rights, crown_.KingRights);
    if (me != 0 && me == crown_.Queen)
        rights = TRoomRights::Combine(rights, crown_.QueenRights);
    return rights;
}

void TRoomSession::AddToFavourites()
{
    if (localUser_.Level() == kGuestLevel && localUser_.RoomRole() == 0) {
        view_.AddSystem(1, 0, roomtext::kGuestCannotCollect);
        return;
    }
    SendCommand(TAddToFavourites(Identity()));
}

void TRoomSession::OnFavouritesResult(const std::vector<uint8_t>& message)
{
    const auto result = ParseAs<TFavouritesResult>(message.data(), message.size());
    if (!result)
        return;
    view_.AddSystem(1, 0, "收藏" + std::to_string(result->RoomNumber()) + (result->Result() == 0 ? "房间成功！" : "房间失败！"));
}

void TRoomSession::SetCrown(const TCrown& crown)
{
    crown_ = crown;
    users_.SetKingID(crown.King);
    users_.SetQueenID(crown.Queen);
    if (entered_)
        users_.SetLocalUser(localUser_.UserNumber(), GetRights());
}

void TRoomSession::OnUserEntered(const std::vector<uint8_t>& message)
{
    if (const auto entered = ParseAs<TUserEntered>(message.data(), message.size()))
        users_.UserEntered(*entered);
}

void TRoomSession::OnUserLeft(const std::vector<uint8_t>& message)
{
    if (const auto left = ParseAs<TUserLeft>(message.data(), message.size()))
        users_.UserLeft(static_cast<int32_t>(left->UserNumber()));
}

void TRoomSession::OnUserListPage(const std::vector<uint8_t>& message)
{
    if (const auto page = ParseAs<TUserListPage>(message.data(), message.size()))
        users_.UserListPage(*page);
}

void TRoomSession::SetMyMic(uint8_t state, int panelIndex)
{
    myMicState_ = state;
    myPanelIndex_ = panelIndex;
}

void TRoomSession::OnKeepAliveAck(const std::vector<uint8_t>& message)
{
    const auto ack = ParseAs<TKeepAliveAck>(message.data(), message.size());
    if (!ack)
        return;
    lastAckTick_ = GetTickCount();
    tag_ = ack->Tag();
}

std::string TRoomSession::WelcomeLine(const char* picture, const std::string& text) const
{
    return "<img src=\"" + appPath_ + picture + "\" /><font style=\"" + room_.TextStyle() + "\">" + StripTags(text)
           + "</font><br />";
}

void TRoomSession::OnEnterAck(const std::vector<uint8_t>& message)
{
    const auto ack = ParseAs<TEnterAck>(message.data(), message.size());
    if (!ack)
        return;
    tag_ = ack->Tag();
    if (!Trim(room_.WelcomeText()).empty())
        view_.AddPrivateHTML(WelcomeLine("Picture/Room/Welcome.gif", room_.WelcomeText()));
    if (!Trim(room_.Notice()).empty())
        view_.AddPrivateHTML(WelcomeLine("Picture/Room/Node.gif", room_.Notice()));
}

void TRoomSession::DispatchCommand(const std::vector<uint8_t>& message)
{
    using namespace roomcmd;
    const int32_t code = CommandCode(message.data(), message.size());
    // An answer ends the wait of the request it answers, whatever its handler makes of it.
    if (TEventOverTime::AnsweredRequest(code) != 0) {
        const size_t offset = AnswerTagOffset(code);
        if (message.size() >= offset + 4)
            overTime_.RemoveAnswered(code, TRecord(message.data(), message.size()).i32(offset));
    }
    switch (code) {
    case kMicPositions: OnMicPositions(message); break;
    case kAnnouncement: OnAnnouncement(message); break;
    case kLuxuryList: OnLuxuryList(message); break;
    case kLoudspeakerNotice: OnLoudspeakerNotice(message); break;
    case kGiftInAllRooms: OnGiftInAllRooms(message); break;
    case kRoomRestart: OnRoomRestart(message); break;
    case kDiceResult: OnDiceResult(message); break;
    case kMuteNotice: OnMuteNotice(message); break;
    case kWeekStarLine: OnWeekStarLine(message); break;
    case kSealPutOn: OnSealPutOn(message); break;
    case kSealCleared: OnSealCleared(message); break;
    case kMicQueue:
    case kMicQueueList: OnMicQueue(message); break;
    case kRoomSettingsChanged: OnRoomSettingsChanged(message); break;
    case kFireworksShare: OnFireworksShare(message); break;
    case kUserLeft: OnUserLeft(message); break;
    case kGameWin: OnGameWin(message); break;
    case kTempAdminRemoved: OnTempAdminRemoved(message); break;
    case kTakenOffPrivateMic: OnTakenOffPrivateMic(message); break;
    case kUserGotMic: OnUserGotMic(message); break;
    case kMicTimeAdded: OnMicTimeAdded(message); break;
    case kMicQueueMoved: OnMicQueueMoved(message); break;
    case kUserEntered: OnUserEntered(message); break;
    case kVideoClosed: OnVideoClosed(message); break;
    case kRoomNotice: OnRoomNotice(message); break;
    case kKickNotice: OnKickNotice(message); break;
    case kPublicChat: OnPublicChat(message); break;
    case kUserLeftMic: OnUserLeftMic(message); break;
    case kPanelMode: OnPanelMode(message); break;
    case kTempAdminAdded: OnTempAdminAdded(message); break;
    case kAdminAdded: OnAdminAdded(message); break;
    case kAdminRemoved: OnAdminRemoved(message); break;
    case kLuckyGiftWon: OnLuckyGiftWon(message); break;
    case kGiftSent: OnGiftSent(message); break;
    case kFunWordNotice: OnFunWordNotice(message); break;
    case kKeepAliveAck: OnKeepAliveAck(message); break;
    case kBalance: OnBalance(message); break;
    case kLocalSendAddress: OnLocalSendAddress(message); break;
    case kUserInformationAnswer: OnUserInformation(message); break;
    case kKickResult: OnKickResult(message); break;
    case kUserAddressAnswer: OnUserAddress(message); break;
    case kPaidMicEnded: OnPaidMicEnded(message); break;
    case kPrivateChat: OnPrivateChat(message); break;
    case kChatRefused: OnChatRefused(message); break;
    case kFavouritesResult: OnFavouritesResult(message); break;
    case kMuteResult: OnMuteResult(message); break;
    case kSealResult: OnSealResult(message); break;
    case kGiftResult: OnGiftResult(message); break;
    case kFunWordResult: OnFunWordResult(message); break;
    case kExchangeResult: OnExchangeResult(message); break;
    case kOneToOneRefused: OnOneToOneRefused(message); break;
    case kOneToOneRequest: OnOneToOneRequest(message); break;
    case kOneToOneAnswer: OnOneToOneAnswer(message); break;
    case kOneToOneGranted: OnOneToOneGranted(message); break;
    case kEnterAck: OnEnterAck(message); break;
    case kUserListPage: OnUserListPage(message); break;
    case kMicAddress: OnMicAddress(message); break;
    case kClearSealResult: OnClearSealResult(message); break;
    case kGiftValueCredited: OnGiftValueCredited(message); break;
    case kStopWatchingPrivateMic: OnViewerLeft(message); break;
    case kBanPrivateMicViewer: OnBannedFromPrivateMic(message); break;
    case kViewerBanAnswer: OnViewerBanAnswer(message); break;
    case kPaidMicPrice: OnPaidMicPrice(message); break;
    case kPaidMicGiftFailed: OnPaidMicGiftFailed(message); break;
    case kMicRequestResult: OnMicRequestResult(message); break;
    case kTakeDownResult: OnTakeDownResult(message); break;
    case kHoldUpResult: OnHoldUpResult(message); break;
    case kAddMicTimeResult: OnAddMicTimeResult(message); break;
    case kMicQueueResult: OnMicQueueResult(message); break;
    case kRoomSettings: OnRoomSettings(message); break;
    case kBlacklist:
    case kAdminList:
    case kTempAdminList: OnManagementList(message); break;
    case kBlockedAddresses: OnBlockedAddresses(message); break;
    case kDeputyOwnerResult: OnDeputyOwnerResult(message); break;
    case kBlockedAddressResult: OnBlockedAddressResult(message); break;
    case kCloseRoomResult: OnCloseRoomResult(message); break;
    case kAddAdminResult:
    case kRemoveAdminResult: OnAdminResult(message); break;
    case kAddToBlacklistResult:
    case kRemoveFromBlacklistResult: OnBlacklistResult(message); break;
    case kRecordRequest: OnRecordRequest(message); break;
    case kRecordAnswer: OnRecordAnswer(message); break;
    case kPurchaseBalance: OnPurchaseBalance(message); break;
    default: break;
    }
}

} // namespace vlk
