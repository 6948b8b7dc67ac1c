#pragma once
// The one session with the hall server: finding a live server among the server list, logging in,
// keeping the session alive, being thrown out when the number logs in elsewhere, the data the
// rooms share, and the two-step handshake from a room link to an open room. Qt-free: the hall
// window implements IHallView.
#include "base/Clock.h"
#include "hall/HallMessages.h"
#include "hall/HallUserInfo.h"
#include "net/PackUdp.h"
#include "net/SignalSession.h"
#include "room/Crown.h"
#include "shell/vlkChatCFG.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vlk {

class IHallView {
public:
    virtual ~IHallView() = default;
    virtual void ShowStatus(const std::string& text) = 0;   // makes the status panel visible
    virtual void HideStatus() = 0;
    // A non-modal notice; onClose runs when it is closed (or presses itself).
    virtual void ShowNotice(const std::string& title, const std::string& text, std::function<void()> onClose) = 0;
    // A warning with Yes and No; the answer comes through the callback.
    virtual void Ask(const std::string& title, const std::string& text, std::function<void(bool yes)> answer) = 0;
    // The room password dialog; the callback gets the typed password when the user confirms.
    virtual void AskRoomPassword(std::function<void(const std::string& password)> confirmed) = 0;
    virtual void SetCaptions(const std::string& window, const std::string& application, const std::string& nickname) = 0;
    virtual void NavigateHall(const std::string& url) = 0;
    virtual bool HasRoomTab(int32_t roomId) = 0;
    virtual void ActivateRoomTab(int32_t roomId) = 0;
    virtual int RoomTabCount() = 0;
    virtual void CloseActiveRoomTab() = 0;
    virtual void CloseAllRoomTabs() = 0;
    // Creates the room window and its tab with the two records of the handshake.
    virtual void OpenRoom(const std::string& localUserInfo, const std::string& roomInfo) = 0;
    virtual void TellRoomsKingQueen(uint8_t eventKind, int32_t userId, double serverTime) = 0;
    // Whether a video capture device exists.
    virtual bool CameraPresent() = 0;
    // Reads the gift, emoticon and seal catalogues after log-in.
    virtual void LoadCatalogues() = 0;
    // Closes the hall without asking and starts the program again (the login dialog comes up).
    virtual void Restart() = 0;
    // Closes the hall without asking.
    virtual void CloseHall() = 0;
};

// Texts the session shows.
namespace halltext {
inline constexpr char kLoginTitle[] = "登录";
inline constexpr char kEnterRoomTitle[] = "进入房间";
inline constexpr char kProbing[] = "获取服务器信息中";
inline constexpr char kServerTimeout[] = "服务器连接超时！";
inline constexpr char kAnswered[] = "得到应答，与服务器建立连接";
inline constexpr char kInitialisingHall[] = "正在初始化大厅页面";
inline constexpr char kNetworkTimeout[] = "网络连接超时，是否重新登录？";
inline constexpr char kLoggedInElsewhere[] = "用户在别处登录，被迫下线。是否重新登录？";
inline constexpr char kTooFast[] = "进入房间过快，请稍后再试！";
inline constexpr char kRoomLimit[] = "您不能进入更多房间, 请先退出一个房间!";
inline constexpr char kRoomLimitLeave[] = "您不能进入更多房间，是否退出当前房间？";
inline constexpr char kGettingServer[] = "正在获取服务器信息";
inline constexpr char kServerAnswered[] = "得到服务器应答";
inline constexpr char kRequestingRoom[] = "请求得到房间信息";
inline constexpr char kGotRoom[] = "得到房间信息";
inline constexpr char kWrongRoomPassword[] = "房间密码错误";
inline constexpr char kInitialisingRoom[] = "正在初始化房间";
inline constexpr const char* kEnterResults[] = {"", "房间不存在！", "房间服务器关闭！", "用户未登陆大厅！",
                                                "您的号码只能进人气房间！"};
} // namespace halltext

class THallSession {
public:
    static constexpr uint32_t kDrainInterval = 100;
    static constexpr uint32_t kProbeInterval = 3000;
    static constexpr int kProbeRounds = 3;
    static constexpr uint32_t kKeepAliveInterval = 30000;
    static constexpr uint32_t kSessionLost = 200000;
    static constexpr uint32_t kEnterThrottle = 2000;
    static constexpr size_t kKingQueenTimes[] = {80, 88};

    // user holds the session identity (number and password digest) on entry.
    THallSession(TvlkChatCFG& cfg, THallUserInfo& user, IHallView& view,
                 std::unique_ptr<TUDP> endpoint = std::make_unique<TUDP>());
    ~THallSession();
    THallSession(const THallSession&) = delete;
    THallSession& operator=(const THallSession&) = delete;

    // Opens the channel and runs the first probe round.
    void Start();
    // Logs out (when a server was found) and closes the channel.
    void Close();

    // The choice of the last room link; it travels with every room-information request.
    void SetLinkChoice(uint8_t choice) { linkChoice_ = choice; }
    void RequestRoom(int32_t roomId);
    void GoToRoom(int32_t roomId);
    void SendWebGameResult(const std::string& gameName, int32_t first, int32_t second);

    // One message from the drain timer.
    void Dispatch(const std::vector<uint8_t>& message);
    void ProbeRound();
    void KeepAlive();

    bool ServerFound() const { return serverFound_; }
    uint32_t CurrentServer() const { return currentServer_; }
    const std::string& KingQueen() const { return kingQueen_; }
    const std::string& KingRights() const { return kingRights_; }
    const std::string& QueenRights() const { return queenRights_; }
    // The King and the Queen (numbers from the King and Queen record) with their rights.
    TCrown Crown() const;
    const std::vector<TStarPair>& WeekStars() const { return weekStars_; }
    const std::vector<TStarPair>& MonthStars() const { return monthStars_; }
    TPackUdp& Channel() { return channel_; }

    // The wall clock used to shift the King and Queen times; tests set their own.
    std::function<double()> DateTimeNow;
    // Binds the channel to one local address (tests give each client its own).
    uint32_t BindAddress = 0;

private:
    void Send(uint32_t address, uint16_t port, const TMessage& message);
    void OnProbeAnswer(const THallProbeAnswer& m);
    void OnLoginAnswer(const THallLoginAnswer& m);
    void OnLoggedInElsewhere(const THallLoggedInElsewhere& m);
    void OnEnterRoomAnswer(const THallEnterRoomAnswer& m);
    void OnRoomInfoAnswer(const TRoomInfoAnswer& m);
    void OnKingQueen(const THallKingQueen& m);
    void SendEnterRoom(int32_t roomId);
    void RequestRoomInfo(int32_t roomId, uint32_t address, uint16_t port, const std::string& roomPassword);
    void LoseSession(const char* question);

    TvlkChatCFG& cfg_;
    THallUserInfo& user_;
    IHallView& view_;
    TPackUdp channel_;
    TSignalSession signalling_;
    TTimer probeTimer_;
    TTimer keepAliveTimer_;
    bool serverFound_ = false;
    bool closed_ = false;
    uint32_t currentServer_ = 0;
    uint32_t lastAnswerTick_ = 0;
    uint32_t lastEnterTick_;   // the window's creation counts as the last click
    uint8_t linkChoice_ = 0;
    std::string kingQueen_;
    std::string kingRights_, queenRights_;
    std::vector<TStarPair> weekStars_, monthStars_;
};

} // namespace vlk
