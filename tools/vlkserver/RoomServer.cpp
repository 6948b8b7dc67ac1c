#include "RoomServer.h"

#include "base/DateTime.h"
#include "base/DebugLog.h"
#include "net/Envelope.h"
#include "room/RoomInfo.h"
#include "room/SessionMessagesIn.h"

namespace vlk::server {

namespace {

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

} // namespace

TRoomServer::TRoomServer(const TServerConfig& config, int32_t line, const TOnlineUsers& online,
                         std::unique_ptr<TUDP> endpoint)
    : DateTimeNow(NowDateTime), config_(config), line_(line), online_(online), server_(std::move(endpoint)),
      random_(std::random_device{}())
{
    server_.OnMessage = [this](const std::vector<uint8_t>& message, uint32_t address, uint16_t port) {
        Handle(message, address, port);
    };
    sweepTimer_.SetInterval(kSweepInterval);
    sweepTimer_.OnTimer = [this](TTimer&) { Sweep(); };
    for (const TRoomConfig& room : config_.Rooms)
        if (room.Line == line_)
            rooms_.try_emplace(room.Number, room, server_);
}

void TRoomServer::Start()
{
    server_.Open(config_.ListenAddress, Port());
    sweepTimer_.SetEnabled(true);
    std::string hosted;
    for (const auto& [number, room] : rooms_)
        hosted += (hosted.empty() ? " " : ", ") + std::to_string(number);
    DebugLog().info("room server of line {} on {}, rooms:{}", line_, Peer(config_.ListenAddress, Port()),
                    hosted.empty() ? " none" : hosted);
}

void TRoomServer::Stop()
{
    sweepTimer_.SetEnabled(false);
    server_.Close();
}

void TRoomServer::Handle(const std::vector<uint8_t>& message, uint32_t address, uint16_t port)
{
    const int32_t code = CommandCode(message.data(), message.size());
    bool parsed = false;
    try {
        switch (code) {
        case TRoomInfoRequest::kCode:
            parsed = ParseAndRun<TRoomInfoRequest>(message, [&](const TRoomInfoRequest& m) { OnRoomInfo(m, address, port); });
            break;
        case TEnterRoom::kCode:
            parsed = ParseAndRun<TEnterRoom>(message, [&](const TEnterRoom& m) { OnEnter(m, address, port); });
            break;
        case TKeepAlive::kCode:
            parsed = ParseAndRun<TKeepAlive>(message, [&](const TKeepAlive& m) { OnKeepAlive(m, address, port); });
            break;
        case TLeaveRoom::kCode:
            parsed = ParseAndRun<TLeaveRoom>(message, [&](const TLeaveRoom& m) { OnLeave(m, address, port); });
            break;
        default:
            DebugLog().debug("line {}: ignored command {} from {}", line_, code, Peer(address, port));
            return;
        }
    } catch (const std::exception& e) {
        DebugLog().debug("line {}: command {} from {} dropped: {}", line_, code, Peer(address, port), e.what());
        return;
    }
    if (!parsed)
        DebugLog().debug("line {}: malformed command {} ({} bytes) from {}", line_, code, message.size(),
                         Peer(address, port));
}

void TRoomServer::OnRoomInfo(const TRoomInfoRequest& m, uint32_t address, uint16_t port)
{
    TRoomInfoAnswer answer;
    answer.SetRoomID(m.RoomID());
    // Even a refusal names this server: the client sends its retry with a room password there.
    answer.SetServerAddress(config_.ListenAddress);
    answer.SetServerPort(Port());
    THostedRoom* room = Room(m.RoomID());
    const TOnlineUser* user = online_.Find(m.HallKey(), m.UserID());
    if (!room)
        answer.SetErrorText(roomtext::kNoSuchRoom);
    else if (!room->Config().Password.empty() && m.RoomPassword() != room->Config().Password)
        answer.SetErrorText(roomtext::kWrongPassword);
    else if (!user)
        answer.SetErrorText(roomtext::kNotLoggedIn);
    else if (!room->HasRoomFor(user->RoomUserNumber()))
        answer.SetErrorText(roomtext::kRoomFull);
    else {
        const TRoomMember member = TRoomMember::Of(*user, room->Config());
        answer.SetLocalUserBytes(RecordView(member.LocalUserInfo()));
        answer.SetRoomInfoBytes(RecordView(MakeRoomInfo(room->Config(), config_.ListenAddress)));
        Admit(member, m.RoomID());
    }
    server_.Send(address, port, answer);
    const std::string error = answer.ErrorText();
    DebugLog().info("room information: {} for room {} from {}: {}", m.UserID(), m.RoomID(), Peer(address, port),
                    error.empty() ? "granted" : error);
}

void TRoomServer::OnEnter(const TEnterRoom& m, uint32_t address, uint16_t port)
{
    THostedRoom* room = Room(m.RoomNumber());
    if (!room) {
        DebugLog().debug("line {}: enter from {} names no room of this line ({})", line_, Peer(address, port),
                         m.RoomNumber());
        return;
    }
    // Only the room information step checks the room password, so entering needs its admission.
    auto it = admissions_.find({m.HallKey(), m.RoomNumber()});
    if (it == admissions_.end() || TickDiff(GetTickCount(), it->second.Granted) > kAdmissionLife
        || it->second.Member.Number != m.UserNumber()) {
        DebugLog().info("room {}: {} from {} refused, no room information was granted", m.RoomNumber(), m.UserNumber(),
                        Peer(address, port));
        return;
    }
    const TRoomMember member = it->second.Member;
    admissions_.erase(it);
    if (!online_.Find(member.HallKey, member.SessionUser)) {
        DebugLog().info("room {}: {} from {} refused, the hall session has ended", m.RoomNumber(), member.Number,
                        Peer(address, port));
        return;
    }
    room->Enter(member, NewTag(), address, port, DateTimeNow());
}

void TRoomServer::OnKeepAlive(const TKeepAlive& m, uint32_t address, uint16_t port)
{
    TPresence* presence = Sender(m, address, port);
    if (!presence)
        return;
    presence->LastSeen = GetTickCount();
    TKeepAliveAck ack;
    ack.SetTag(presence->Tag);
    server_.Send(address, port, ack);
}

void TRoomServer::OnLeave(const TLeaveRoom& m, uint32_t address, uint16_t port)
{
    if (Sender(m, address, port))
        Room(m.RoomNumber())->Leave(m.UserNumber());
}

void TRoomServer::Sweep()
{
    const uint32_t now = GetTickCount();
    for (auto& [number, room] : rooms_)
        room.DropIdle(now, kPresenceLost);
    std::erase_if(admissions_, [&](const auto& a) { return TickDiff(now, a.second.Granted) > kAdmissionLife; });
}

THostedRoom* TRoomServer::Room(int32_t number)
{
    auto it = rooms_.find(number);
    return it == rooms_.end() ? nullptr : &it->second;
}

TPresence* TRoomServer::Sender(const TRoomRequest& m, uint32_t address, uint16_t port)
{
    THostedRoom* room = Room(m.RoomNumber());
    TPresence* presence = room ? room->Authenticate(m, address, port) : nullptr;
    if (!presence)
        DebugLog().debug("line {}: command {} from {} names no presence ({} in room {})", line_, m.Code(),
                         Peer(address, port), m.UserNumber(), m.RoomNumber());
    return presence;
}

void TRoomServer::Admit(const TRoomMember& member, int32_t room)
{
    const TAdmissionKey key{member.HallKey, room};
    if (!admissions_.contains(key) && admissions_.size() >= kMaxAdmissions) {
        auto oldest = admissions_.begin();
        const uint32_t now = GetTickCount();
        for (auto it = admissions_.begin(); it != admissions_.end(); ++it)
            if (TickDiff(now, it->second.Granted) > TickDiff(now, oldest->second.Granted))
                oldest = it;
        admissions_.erase(oldest);
    }
    admissions_[key] = {member, GetTickCount()};
}

TConnectionTag TRoomServer::NewTag()
{
    TConnectionTag tag;
    // A zero tag is what the client sends before it has entered.
    do
        tag = {static_cast<uint32_t>(random_()), static_cast<uint16_t>(random_())};
    while (tag.value == 0);
    return tag;
}

} // namespace vlk::server
