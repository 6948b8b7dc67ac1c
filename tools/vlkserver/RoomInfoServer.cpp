#include "RoomInfoServer.h"

#include "base/DebugLog.h"
#include "net/Envelope.h"
#include "room/LocalUserInfo.h"
#include "room/RoomInfo.h"

namespace vlk::server {

namespace {

// Mic kinds 1 to 6 for members; guests may only queue for a mic (kind 6).
constexpr uint8_t kMemberMicKinds = 0x7E;
constexpr uint8_t kGuestMicKinds = 0x40;

// A plain member's or guest's rights: every guarded operation refused (a set of element 0 alone),
// so that only the roles the room server hands out widen them.
TRoomRights PlainRights(bool guest)
{
    TLevelSet refused;
    refused.Insert(0);
    TRoomRights rights;
    rights.SetAdminLevels(refused);
    rights.SetTempAdminLevels(refused);
    rights.SetBlacklistLevels(refused);
    rights.SetBlockAddressLevels(refused);
    rights.SetKickLevels(refused);
    rights.SetMicHoldLevels(refused);
    rights.SetMuteLevels(refused);
    rights.SetLookUpAddressLevels(refused);
    rights.SetMicMenuMask(guest ? kGuestMicKinds : kMemberMicKinds);
    rights.SetCanConnectPrivateMics(!guest);
    return rights;
}

// The room's record as the hall hands it to the room window.
TRoomInfo MakeRoomInfo(const TRoomConfig& room, uint32_t serverAddress)
{
    TRoomInfo info;
    info.SetRoomNumber(room.Number);
    info.SetRoomName(room.Name);
    info.SetRoomType(room.Type);
    info.SetOwnerNumber(room.Owner);
    info.SetPassword(room.Password);
    info.SetLine(static_cast<int16_t>(room.Line));
    info.SetNotice(room.Notice);
    info.SetWelcomeText(room.Welcome);
    info.SetPublicMicCount(room.PublicMics);
    info.SetMaxUsers(room.MaxUsers);
    info.SetMinEnterCoins(room.MinCoins);
    info.SetGiftDisplayInterval(room.GiftInterval);
    info.SetGiftsPerStep(room.GiftsPerStep);
    info.SetChatPermissions(room.ChatPermissions);
    // Every public mic open; none of them free.
    int32_t micFlags = 0;
    for (int mic = 0; mic < room.PublicMics; ++mic)
        micFlags |= 1 << (2 * mic);
    info.SetMicFlags(micFlags);
    info.SetFreeMicMinutes(room.FreeMicMinutes);
    for (size_t i = 0; i < room.Links.size() && i < TRoomInfo::kLinks; ++i) {
        info.SetLinkCaption(i, room.Links[i].Caption);
        info.SetLinkAddress(i, room.Links[i].Url);
    }
    info.SetChatInterval(room.ChatInterval);
    info.SetTextStyle(room.TextStyle);
    info.SetServerAddress(serverAddress);
    info.SetHallValue(RoomLinePort(room.Line));
    return info;
}

TLocalUserInfo MakeLocalUserInfo(const TOnlineUser& user)
{
    const bool guest = user.UserID == 0;
    TLocalUserInfo info;
    info.SetUserNumber(user.UserID);
    info.SetHallKey(user.HallKey);
    info.SetNickname(user.Nickname);
    info.SetCoins(user.Coins);
    info.SetPoints(user.Points);
    info.SetLevel(user.Level);
    info.SetLevelRights(PlainRights(guest));
    return info;
}

} // namespace

TRoomInfoServer::TRoomInfoServer(const TServerConfig& config, int32_t line, const TOnlineUsers& online,
                                 std::unique_ptr<TUDP> endpoint)
    : config_(config), line_(line), online_(online), server_(std::move(endpoint))
{
    server_.OnMessage = [this](const std::vector<uint8_t>& message, uint32_t address, uint16_t port) {
        Handle(message, address, port);
    };
}

void TRoomInfoServer::Start()
{
    server_.Open(config_.ListenAddress, Port());
    DebugLog().info("room information server of line {} on {}", line_, Peer(config_.ListenAddress, Port()));
}

void TRoomInfoServer::Stop()
{
    server_.Close();
}

void TRoomInfoServer::Handle(const std::vector<uint8_t>& message, uint32_t address, uint16_t port)
{
    const int32_t code = CommandCode(message.data(), message.size());
    if (code != TRoomInfoRequest::kCode) {
        DebugLog().debug("line {}: ignored command {} from {}", line_, code, Peer(address, port));
        return;
    }
    try {
        if (!ParseAndRun<TRoomInfoRequest>(message, [&](const TRoomInfoRequest& m) { OnRequest(m, address, port); }))
            DebugLog().debug("line {}: malformed command {} ({} bytes) from {}", line_, code, message.size(),
                             Peer(address, port));
    } catch (const std::exception& e) {
        DebugLog().debug("line {}: command {} from {} dropped: {}", line_, code, Peer(address, port), e.what());
    }
}

void TRoomInfoServer::OnRequest(const TRoomInfoRequest& m, uint32_t address, uint16_t port)
{
    TRoomInfoAnswer answer;
    answer.SetRoomID(m.RoomID());
    // Even a refusal names this server: the client sends its retry with a room password there.
    answer.SetServerAddress(config_.ListenAddress);
    answer.SetServerPort(Port());
    const TRoomConfig* room = config_.FindRoom(m.RoomID());
    const TOnlineUser* user = online_.Find(m.HallKey(), m.UserID());
    if (!room || room->Line != line_)
        answer.SetErrorText(roomtext::kNoSuchRoom);
    else if (!room->Password.empty() && m.RoomPassword() != room->Password)
        answer.SetErrorText(roomtext::kWrongPassword);
    else if (!user)
        answer.SetErrorText(roomtext::kNotLoggedIn);
    else {
        answer.SetLocalUserBytes(RecordView(MakeLocalUserInfo(*user)));
        answer.SetRoomInfoBytes(RecordView(MakeRoomInfo(*room, config_.ListenAddress)));
    }
    server_.Send(address, port, answer);
    const std::string error = answer.ErrorText();
    DebugLog().info("room information: {} for room {} from {}: {}", m.UserID(), m.RoomID(), Peer(address, port),
                    error.empty() ? "granted" : error);
}

} // namespace vlk::server
