#include "HallServer.h"

#include "base/DateTime.h"
#include "base/DebugLog.h"
#include "net/Envelope.h"
#include "shell/NetHelpers.h"
#include "shell/TextHelpers.h"

namespace vlk::server {

namespace {

// What the room windows need of the King and Queen: their numbers and when their reign began.
std::string KingQueenRecord(int32_t king, int32_t queen, double since)
{
    TRecord record(THallKingQueen::kRecordSize);
    record.setI32(0, king);
    record.setI32(36, queen);
    record.setDatetime(80, since);
    record.setDatetime(88, since);
    return record.raw(0, record.size());
}

} // namespace

THallServer::THallServer(const TServerConfig& config, TAccountBook& accounts, TOnlineUsers& online,
                         std::unique_ptr<TUDP> endpoint)
    : DateTimeNow(NowDateTime), config_(config), accounts_(accounts), online_(online), server_(std::move(endpoint)),
      crowned_(NowDateTime())
{
    server_.OnMessage = [this](const std::vector<uint8_t>& message, uint32_t address, uint16_t port) {
        Handle(message, address, port);
    };
    sweepTimer_.SetInterval(kSweepInterval);
    sweepTimer_.OnTimer = [this](TTimer&) { Sweep(); };
}

void THallServer::Start()
{
    server_.Open(config_.ListenAddress, kHallPort);
    sweepTimer_.SetEnabled(true);
    DebugLog().info("hall server on {}", Peer(config_.ListenAddress, kHallPort));
}

void THallServer::Stop()
{
    sweepTimer_.SetEnabled(false);
    server_.Close();
}

void THallServer::Handle(const std::vector<uint8_t>& message, uint32_t address, uint16_t port)
{
    const int32_t code = CommandCode(message.data(), message.size());
    bool parsed = false;
    try {
        switch (code) {
        case THallProbe::kCode:
            parsed = ParseAndRun<THallProbe>(message, [&](const THallProbe&) { OnProbe(address, port); });
            break;
        case THallLogin::kCode:
            parsed = ParseAndRun<THallLogin>(message, [&](const THallLogin& m) { OnLogin(m, address, port); });
            break;
        case THallKeepAlive::kCode:
            parsed = ParseAndRun<THallKeepAlive>(message, [&](const THallKeepAlive& m) { OnKeepAlive(m, address, port); });
            break;
        case THallLogout::kCode:
            parsed = ParseAndRun<THallLogout>(message, [&](const THallLogout& m) { OnLogout(m, address, port); });
            break;
        case THallEnterRoom::kCode:
            parsed = ParseAndRun<THallEnterRoom>(message, [&](const THallEnterRoom& m) { OnEnterRoom(m, address, port); });
            break;
        case THallRegister::kCode:
            parsed = ParseAndRun<THallRegister>(message, [&](const THallRegister& m) { OnRegister(m, address, port); });
            break;
        case THallWebGameResult::kCode:
            parsed = ParseAndRun<THallWebGameResult>(message,
                                                     [&](const THallWebGameResult& m) { OnWebGameResult(m, address, port); });
            break;
        default:
            DebugLog().debug("hall: ignored command {} from {}", code, Peer(address, port));
            return;
        }
    } catch (const std::exception& e) {
        DebugLog().debug("hall: command {} from {} dropped: {}", code, Peer(address, port), e.what());
        return;
    }
    if (!parsed)
        DebugLog().debug("hall: malformed command {} ({} bytes) from {}", code, message.size(), Peer(address, port));
}

void THallServer::OnProbe(uint32_t address, uint16_t port)
{
    server_.Send(address, port, THallProbeAnswer());
}

void THallServer::OnLogin(const THallLogin& m, uint32_t address, uint16_t port)
{
    const int32_t userId = m.UserID();
    const std::string digest = LowerCase(m.PasswordDigest());
    TOnlineUser user;
    THallUserInfo info;
    if (userId == 0 && digest.empty()) {
        user.Nickname = halltext::kGuestNickname;
        user.Level = THallUserInfo::kGuestLevel;
        info.SetRoomLimit(kGuestRoomLimit);
    } else {
        const auto account = accounts_.Find(userId);
        if (!account) {
            RefuseLogin(m, halltext::kUnknownUser, address, port);
            return;
        }
        if (account->PasswordDigest != digest) {
            RefuseLogin(m, halltext::kWrongPassword, address, port);
            return;
        }
        user.Nickname = account->Nickname;
        user.Level = account->Level;
        user.Coins = account->Coins;
        user.Points = account->Points;
        user.Hidden = account->Hidden;
        info.SetRoomLimit(account->RoomLimit);
        info.SetHidden(account->Hidden ? 1 : 0);
    }
    if (userId != 0) {
        if (const TOnlineUser* earlier = online_.FindMember(userId)) {
            THallLoggedInElsewhere elsewhere;
            elsewhere.SetUserID(userId);
            server_.Send(earlier->Address, earlier->Port, elsewhere);
            DebugLog().info("log-in: {} logs in again from {}; the session at {} is told and closed", userId,
                            Peer(address, port), Peer(earlier->Address, earlier->Port));
            online_.Remove(earlier->HallKey);
        }
    }
    user.UserID = userId;
    user.PasswordDigest = digest;
    user.Address = address;
    user.Port = port;
    user.LastSeen = GetTickCount();
    if (const auto dropped = online_.Add(user))
        DebugLog().info("log-in: the session table is full; the oldest session ({} from {}) is closed",
                        dropped->UserID, Peer(dropped->Address, dropped->Port));

    info.SetUserID(userId);
    info.SetPasswordDigest(digest);
    info.SetNickname(user.Nickname);
    info.SetLevel(user.Level);
    info.SetHallKey(user.HallKey);
    info.SetSessionValue(user.SessionValue);
    info.SetSessionWord(user.SessionWord);
    THallLoginAnswer answer(config_.ChatFilter);
    answer.SetMediaValue(config_.MediaValue);
    answer.SetHallPageURL(config_.HallPageUrl());
    answer.SetSecondURL(config_.SecondUrl);
    answer.SetUserInfo(info);
    server_.Send(address, port, answer);
    SendHallData(address, port);
    DebugLog().info("log-in: {} ({}) from {}, {} online", userId, user.Nickname, Peer(address, port), online_.Size());
}

void THallServer::RefuseLogin(const THallLogin& m, const char* error, uint32_t address, uint16_t port)
{
    THallLoginAnswer answer("");
    answer.SetErrorText(error);
    server_.Send(address, port, answer);
    DebugLog().info("log-in refused: {} from {}: {}", m.UserID(), Peer(address, port), error);
}

void THallServer::SendHallData(uint32_t address, uint16_t port)
{
    server_.Send(address, port, THallWeekStars(config_.WeekStars));
    server_.Send(address, port, THallMonthStars(config_.MonthStars));
    THallKingQueen kingQueen;
    kingQueen.SetServerTime(DateTimeNow());
    kingQueen.SetRecord(KingQueenRecord(config_.King, config_.Queen, crowned_));
    server_.Send(address, port, kingQueen);
    // Rights that add nothing: the King and Queen rule in name only on this server.
    server_.Send(address, port, THallKingQueenRights());
}

void THallServer::OnKeepAlive(const THallKeepAlive& m, uint32_t address, uint16_t port)
{
    TOnlineUser* user = online_.Find(m.HallKey(), m.UserID());
    if (!user) {
        DebugLog().debug("hall: keep-alive of {} from {} names no session", m.UserID(), Peer(address, port));
        return;
    }
    user->LastSeen = GetTickCount();
    user->Address = address;
    user->Port = port;
    online_.Renew(*user);
    THallKeepAliveAnswer answer;
    answer.SetSessionValue(user->SessionValue);
    answer.SetSessionWord(user->SessionWord);
    server_.Send(address, port, answer);
}

void THallServer::OnLogout(const THallLogout& m, uint32_t address, uint16_t port)
{
    if (online_.Find(m.HallKey(), m.UserID()) && online_.Remove(m.HallKey()))
        DebugLog().info("log-out: {} from {}, {} online", m.UserID(), Peer(address, port), online_.Size());
    else
        DebugLog().debug("hall: log-out of {} from {} names no session", m.UserID(), Peer(address, port));
}

void THallServer::OnEnterRoom(const THallEnterRoom& m, uint32_t address, uint16_t port)
{
    THallEnterRoomAnswer answer;
    answer.SetRoomID(m.RoomID());
    const TRoomConfig* room = config_.FindRoom(m.RoomID());
    if (!online_.Find(m.HallKey(), m.UserID()))
        answer.SetResult(THallEnterRoomAnswer::NotLoggedIn);
    else if (!room)
        answer.SetResult(THallEnterRoomAnswer::NoSuchRoom);
    else {
        answer.SetResult(THallEnterRoomAnswer::Accepted);
        answer.SetLine(room->Line);
    }
    server_.Send(address, port, answer);
    DebugLog().info("enter room: {} asks for room {} from {}: result {}, line {}", m.UserID(), m.RoomID(),
                    Peer(address, port), answer.Result(), answer.Line());
}

void THallServer::OnRegister(const THallRegister& m, uint32_t address, uint16_t port)
{
    const TRegistrationRecord record = m.Record();
    const std::string nickname = Trim(record.Nickname());
    const std::string digest = LowerCase(record.PasswordDigest());
    THallRegisterAnswer answer;
    std::optional<int32_t> number;
    if (nickname.empty() || !IsPasswordDigest(digest))
        DebugLog().info("registration from {} refused: no nickname or no password digest", Peer(address, port));
    else if (!(number = accounts_.Register(nickname, digest)))
        DebugLog().info("registration from {} refused: {} members registered already", Peer(address, port),
                        TAccountBook::kMaxRegistrations);
    if (number) {
        answer.SetNewUserID(*number);
        DebugLog().info("registration: {} ({}) from {}", *number, nickname, Peer(address, port));
    } else {
        answer.SetResult(kRegistrationRefused);
    }
    server_.Send(address, port, answer);
}

void THallServer::OnWebGameResult(const THallWebGameResult& m, uint32_t address, uint16_t port)
{
    DebugLog().info("web game result from {} ({}) at {}: {} {} {}", m.UserID(), m.Nickname(), Peer(address, port),
                    m.GameName(), m.FirstValue(), m.SecondValue());
}

void THallServer::Sweep()
{
    for (const TOnlineUser& user : online_.RemoveIdle(GetTickCount(), kSessionLost))
        DebugLog().info("session lost: {} ({}) at {} sent no keep-alive for {} s", user.UserID, user.Nickname,
                        Peer(user.Address, user.Port), kSessionLost / 1000);
}

} // namespace vlk::server
