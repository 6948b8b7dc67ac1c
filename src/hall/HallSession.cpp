#include "hall/HallSession.h"

#include "base/DateTime.h"
#include "base/DebugLog.h"
#include "shell/NetHelpers.h"
#include "shell/TextHelpers.h"

#include <cmath>
#include <random>

namespace vlk {

using namespace halltext;

THallSession::THallSession(TvlkChatCFG& cfg, THallUserInfo& user, IHallView& view, std::unique_ptr<TUDP> endpoint)
    : DateTimeNow(NowDateTime), cfg_(cfg), user_(user), view_(view), channel_(std::move(endpoint)),
      signalling_(channel_, Cipher(), kDrainInterval), lastEnterTick_(GetTickCount())
{
    // Only the datagram knows who answered a probe: the receive path writes it into the message.
    signalling_.BeforeQueue = [](std::vector<uint8_t>& message, uint32_t address, uint16_t port) {
        if (CommandCode(message.data(), message.size()) != THallProbeAnswer::kCode)
            return;
        if (message.size() < THallProbeAnswer::kLength)
            message.resize(THallProbeAnswer::kLength);
        THallProbeAnswer answer(message.data(), message.size());
        answer.SetSenderAddress(address);
        answer.SetSenderPort(port);
        message.assign(answer.data(), answer.data() + answer.size());
    };
    signalling_.OnDispatch = [this](const std::vector<uint8_t>& message, uint32_t, uint16_t) { Dispatch(message); };
    probeTimer_.SetInterval(kProbeInterval);
    probeTimer_.OnTimer = [this](TTimer&) { ProbeRound(); };
    keepAliveTimer_.SetInterval(kKeepAliveInterval);
    keepAliveTimer_.OnTimer = [this](TTimer&) { KeepAlive(); };
    lastAnswerTick_ = lastEnterTick_ = GetTickCount();
}

THallSession::~THallSession()
{
    Close();
}

void THallSession::Start()
{
    channel_.BindAddress = BindAddress;
    channel_.SetActive(true);
    signalling_.Start();
    currentServer_ = cfg_.ServerAddresses.empty() ? 0 : cfg_.ServerAddresses.front();
    lastAnswerTick_ = GetTickCount();
    serverFound_ = false;
    probeTimer_.Tag = 0;
    probeTimer_.SetEnabled(true);
    keepAliveTimer_.SetEnabled(true);
    ProbeRound();
}

void THallSession::Close()
{
    if (closed_)
        return;
    closed_ = true;
    if (serverFound_ && channel_.Active()) {
        THallLogout logout;
        logout.SetHallKey(user_.HallKey());
        logout.SetUserID(user_.UserID());
        logout.SetSessionValue(user_.SessionValue());
        logout.SetSessionWord(user_.SessionWord());
        Send(currentServer_, kHallPort, logout);
    }
    probeTimer_.SetEnabled(false);
    keepAliveTimer_.SetEnabled(false);
    signalling_.Stop();
    channel_.SetActive(false);
}

void THallSession::Send(uint32_t address, uint16_t port, const TMessage& message)
{
    signalling_.SendCommand(address, port, message.size(), message.data());
}

void THallSession::ProbeRound()
{
    if (probeTimer_.Tag >= kProbeRounds) {
        probeTimer_.SetEnabled(false);
        probeTimer_.Tag = 0;
        view_.ShowNotice(kLoginTitle, kServerTimeout, [this] { view_.Restart(); });
        return;
    }
    if (!serverFound_) {
        view_.ShowStatus(kProbing);
        THallProbe probe;
        probe.SetHallKey(user_.HallKey());
        probe.SetUserID(user_.UserID());
        for (int i = 0; i < cfg_.ServerCount && i < static_cast<int>(cfg_.ServerAddresses.size()); ++i)
            Send(cfg_.ServerAddresses[i], kHallPort, probe);
    }
    ++probeTimer_.Tag;
}

void THallSession::KeepAlive()
{
    if (!serverFound_ || user_.UserID() == 0)
        return;
    THallKeepAlive keepAlive;
    keepAlive.SetUserID(user_.UserID());
    keepAlive.SetHallKey(user_.HallKey());
    keepAlive.SetSessionValue(user_.SessionValue());
    keepAlive.SetSessionWord(user_.SessionWord());
    Send(currentServer_, kHallPort, keepAlive);
    if (TickDiff(GetTickCount(), lastAnswerTick_) > kSessionLost)
        LoseSession(kNetworkTimeout);
}

void THallSession::LoseSession(const char* question)
{
    keepAliveTimer_.SetEnabled(false);
    signalling_.Stop();
    view_.CloseAllRoomTabs();
    view_.Ask(kLoginTitle, question, [this](bool yes) {
        if (yes)
            view_.Restart();
        else
            view_.CloseHall();
    });
}

void THallSession::Dispatch(const std::vector<uint8_t>& message)
{
    const void* d = message.data();
    const size_t n = message.size();
    switch (CommandCode(message.data(), n)) {
    case THallProbeAnswer::kCode:
        if (auto m = ParseAs<THallProbeAnswer>(d, n))
            OnProbeAnswer(*m);
        break;
    case THallKeepAliveAnswer::kCode:
        if (auto m = ParseAs<THallKeepAliveAnswer>(d, n)) {
            user_.SetSessionValue(m->SessionValue());
            user_.SetSessionWord(m->SessionWord());
            lastAnswerTick_ = GetTickCount();
        }
        break;
    case THallLoginAnswer::kCode:
        if (auto m = ParseAs<THallLoginAnswer>(d, n))
            OnLoginAnswer(*m);
        break;
    case THallLoggedInElsewhere::kCode:
        if (auto m = ParseAs<THallLoggedInElsewhere>(d, n))
            OnLoggedInElsewhere(*m);
        break;
    case THallWeekStars::kCode:
        if (auto m = ParseAs<THallWeekStars>(d, n))
            weekStars_ = m->Pairs();
        break;
    case THallMonthStars::kCode:
        if (auto m = ParseAs<THallMonthStars>(d, n))
            monthStars_ = m->Pairs();
        break;
    case THallKingQueen::kCode:
        if (auto m = ParseAs<THallKingQueen>(d, n))
            OnKingQueen(*m);
        break;
    case THallKingQueenRights::kCode:
        if (auto m = ParseAs<THallKingQueenRights>(d, n)) {
            kingRights_ = m->KingRights();
            queenRights_ = m->QueenRights();
        }
        break;
    case THallEnterRoomAnswer::kCode:
        if (auto m = ParseAs<THallEnterRoomAnswer>(d, n))
            OnEnterRoomAnswer(*m);
        break;
    case TRoomInfoAnswer::kCode:
        if (auto m = ParseAs<TRoomInfoAnswer>(d, n))
            OnRoomInfoAnswer(*m);
        break;
    default:
        // 19022 belongs to an own-information dialog the hall does not open; others are not ours.
        break;
    }
}

void THallSession::OnProbeAnswer(const THallProbeAnswer& m)
{
    if (serverFound_)
        return;
    view_.ShowStatus(kAnswered);
    probeTimer_.SetEnabled(false);
    serverFound_ = true;
    currentServer_ = m.SenderAddress();
    static thread_local std::mt19937 random{std::random_device{}()};
    THallLogin login;
    login.SetNonce(std::uniform_int_distribution<uint32_t>(0, 9999999)(random) + GetTickCount());
    login.SetUserID(user_.UserID());
    login.SetPasswordDigest(user_.PasswordDigest());
    login.SetMacAddress(GetMacAddress());
    Send(currentServer_, kHallPort, login);
}

void THallSession::OnLoginAnswer(const THallLoginAnswer& m)
{
    view_.ShowStatus(kInitialisingHall);
    if (!m.ErrorText().empty()) {
        view_.ShowNotice(kLoginTitle, Trim(StripAngleBrackets(m.ErrorText())), [this] { view_.Restart(); });
        return;
    }
    const int32_t sentUser = user_.UserID();
    cfg_.SaveLogin(sentUser);
    cfg_.MediaValue = m.MediaValue();
    cfg_.ChatFilter = m.ChatFilter();
    user_ = m.UserInfo();
    user_.SetCameraPresent(view_.CameraPresent());

    const std::string nickname = Trim(user_.Nickname());
    if (user_.UserID() != 0) {
        view_.SetCaptions(cfg_.SiteName + " " + nickname + "(" + std::to_string(user_.UserID()) + ")",
                          cfg_.SiteName + "(" + nickname + ")", "昵称：" + nickname);
    } else {
        view_.SetCaptions(cfg_.SiteName + " 游客", cfg_.SiteName + "(游客)", "昵称：" + nickname);
    }
    cfg_.SecondHallURL = Trim(m.SecondURL());

    const bool noDigest = user_.PasswordDigest().empty();
    const std::string userText = noDigest ? "0" : std::to_string(user_.UserID());
    const std::string password = noDigest ? "0" : user_.PasswordDigest();
    view_.NavigateHall(Trim(m.HallPageURL()) + "?UserID=" + userText + "&password=" + password +
                       "&IsHide=" + std::to_string(user_.Hidden()));
    view_.LoadCatalogues();
}

void THallSession::OnLoggedInElsewhere(const THallLoggedInElsewhere& m)
{
    if (m.UserID() == user_.UserID())
        LoseSession(kLoggedInElsewhere);
}

void THallSession::RequestRoom(int32_t roomId)
{
    const uint32_t now = GetTickCount();
    if (TickDiff(now, lastEnterTick_) < kEnterThrottle) {
        view_.ShowNotice(kEnterRoomTitle, kTooFast, {});
        return;
    }
    lastEnterTick_ = now;
    if (view_.HasRoomTab(roomId)) {
        view_.ActivateRoomTab(roomId);
        return;
    }
    if (view_.RoomTabCount() >= user_.RoomLimit()) {
        view_.ShowNotice(kEnterRoomTitle, kRoomLimit, {});
        return;
    }
    SendEnterRoom(roomId);
}

void THallSession::GoToRoom(int32_t roomId)
{
    if (view_.HasRoomTab(roomId)) {
        view_.ActivateRoomTab(roomId);
        return;
    }
    if (view_.RoomTabCount() >= user_.RoomLimit()) {
        view_.Ask(kEnterRoomTitle, kRoomLimitLeave, [this, roomId](bool yes) {
            if (!yes)
                return;
            view_.CloseActiveRoomTab();
            SendEnterRoom(roomId);
        });
        return;
    }
    SendEnterRoom(roomId);
}

void THallSession::SendEnterRoom(int32_t roomId)
{
    view_.ShowStatus(kGettingServer);
    THallEnterRoom enter;
    enter.SetHallKey(user_.HallKey());
    enter.SetUserID(user_.UserID());
    enter.SetRoomID(roomId);
    enter.SetSessionValue(user_.SessionValue());
    enter.SetSessionWord(user_.SessionWord());
    Send(currentServer_, kHallPort, enter);
}

void THallSession::OnEnterRoomAnswer(const THallEnterRoomAnswer& m)
{
    view_.ShowStatus(kServerAnswered);
    if (m.Result() != THallEnterRoomAnswer::Accepted) {
        if (m.Result() > 0 && m.Result() <= THallEnterRoomAnswer::PopularOnly)
            view_.ShowNotice(kEnterRoomTitle, kEnterResults[m.Result()], {});
        view_.HideStatus();
        return;
    }
    if (const uint16_t port = RoomLinePort(m.Line()))
        RequestRoomInfo(m.RoomID(), currentServer_, port, {});
}

void THallSession::RequestRoomInfo(int32_t roomId, uint32_t address, uint16_t port, const std::string& roomPassword)
{
    view_.ShowStatus(kRequestingRoom);
    TRoomInfoRequest request;
    request.SetUserID(user_.UserID());
    request.SetRoomID(roomId);
    request.SetHallKey(user_.HallKey());
    request.SetPasswordDigest(user_.PasswordDigest());
    request.SetRoomPassword(roomPassword);
    request.SetCameraPresent(user_.CameraPresent() ? 1 : 0);
    request.SetLinkChoice(linkChoice_);
    request.SetTargetAddress(address);
    request.SetTargetPort(port);
    Send(address, port, request);
    view_.HideStatus();
}

void THallSession::OnRoomInfoAnswer(const TRoomInfoAnswer& m)
{
    view_.ShowStatus(kGotRoom);
    if (!m.ErrorText().empty()) {
        if (Trim(m.ErrorText()) == kWrongRoomPassword) {
            const int32_t room = m.RoomID();
            const uint32_t address = m.ServerAddress();
            const uint16_t port = m.ServerPort();
            view_.AskRoomPassword([this, room, address, port](const std::string& password) {
                RequestRoomInfo(room, address, port, password);
            });
        } else {
            view_.ShowNotice(kEnterRoomTitle, m.ErrorText(), {});
        }
        view_.HideStatus();
        return;
    }
    TRecord room(m.RoomInfoBytes().data(), TRoomInfoAnswer::kRoomInfoSize);
    room.setText(1134, 100, Trim(room.text(1134, 100)));
    room.setU32(1240, m.ServerAddress());
    room.setU16(1244, m.ServerPort());
    if (view_.HasRoomTab(room.i32(0))) {
        view_.HideStatus();
        return;
    }
    view_.OpenRoom(m.LocalUserBytes(), room.raw(0, room.size()));
    view_.ShowStatus(kInitialisingRoom);
    view_.HideStatus();
}

void THallSession::OnKingQueen(const THallKingQueen& m)
{
    TRecord record(m.Record().data(), THallKingQueen::kRecordSize);
    // Whole seconds by which the local clock is ahead of the server's.
    const double shift = std::trunc((DateTimeNow() - m.ServerTime()) * kSecondsPerDay) / kSecondsPerDay;
    for (size_t offset : kKingQueenTimes)
        record.setDatetime(offset, record.datetime(offset) + shift);
    kingQueen_ = record.raw(0, record.size());
    view_.TellRoomsKingQueen(m.EventKind(), m.UserID(), m.ServerTime());
}

void THallSession::SendWebGameResult(const std::string& gameName, int32_t first, int32_t second)
{
    THallWebGameResult result;
    result.SetUserID(user_.UserID());
    result.SetNickname(user_.Nickname());
    result.SetGameName(gameName);
    result.SetFirstValue(first);
    result.SetSecondValue(second);
    Send(currentServer_, kHallPort, result);
}

TCrown THallSession::Crown() const
{
    TCrown crown;
    if (kingQueen_.size() >= THallKingQueen::kRecordSize) {
        const TRecord record(kingQueen_.data(), kingQueen_.size());
        crown.King = record.i32(0);
        crown.Queen = record.i32(36);
    }
    if (auto rights = TRoomRights::Parse(kingRights_.data(), kingRights_.size()))
        crown.KingRights = *rights;
    if (auto rights = TRoomRights::Parse(queenRights_.data(), queenRights_.size()))
        crown.QueenRights = *rights;
    return crown;
}

} // namespace vlk
