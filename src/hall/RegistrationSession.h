#pragma once
// Asking the hall servers for a new member number: the registration dialog's rules, without
// widgets. The request goes to one server of the list every two seconds until one answers; the
// dialog implements IRegisterView and hands over what the member typed.
#include "base/Clock.h"
#include "hall/HallMessages.h"
#include "net/PackUdp.h"
#include "net/SignalSession.h"
#include "shell/vlkChatCFG.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vlk {

class IRegisterView {
public:
    virtual ~IRegisterView() = default;
    virtual void ShowError(const std::string& text) = 0;
    virtual void ShowInformation(const std::string& text) = 0;
    virtual void SetRegisterEnabled(bool enabled) = 0;
    // Closes the dialog with OK: the new number is ready.
    virtual void CloseOk() = 0;
};

// What the member typed and chose, as the dialog's controls hold it.
struct TRegistrationFields {
    std::string Nickname;
    std::string Password;
    std::string Confirmation;
    int HeadPicture = 0;
    int Sex = 0;   // 0 "男", 1 "女"
    int Age = 18;
    std::string Country;
    std::string Province;
    std::string Telephone;
    std::string Mobile;
    std::string Email;
    std::string QQ;
    std::string Note;
};

namespace registertext {
inline constexpr char kIncomplete[] = "资料没有填写完整！";
inline constexpr char kPasswordsDiffer[] = "两次输入密码不相同！";
inline constexpr char kFailed[] = "注册失败！";
inline constexpr char kRememberID[] = "请牢记您的ID：";
} // namespace registertext

class TRegistrationSession {
public:
    static constexpr uint32_t kDrainInterval = 100;
    static constexpr uint32_t kRegisterInterval = 2000;

    TRegistrationSession(const TvlkChatCFG& cfg, IRegisterView& view,
                         std::unique_ptr<TUDP> endpoint = std::make_unique<TUDP>());
    ~TRegistrationSession();
    TRegistrationSession(const TRegistrationSession&) = delete;
    TRegistrationSession& operator=(const TRegistrationSession&) = delete;

    // Opens the channel and starts draining its queue.
    void Start();
    // Stops everything and closes the channel; a closed session handles nothing more.
    void Close();

    // Checks the fields, fills the record and starts asking the servers.
    void btn_RegisterClick(const TRegistrationFields& fields);
    // One tick of the register timer: the next server, or the end of the attempt.
    void tmr_RegisterTimer();
    // One message from the drain timer.
    void Dispatch(const std::vector<uint8_t>& message);

    // 0 until a server gave a number.
    int32_t NewUserID() const { return newUserID_; }

private:
    void OnAnswer(const THallRegisterAnswer& answer);

    const TvlkChatCFG& cfg_;
    IRegisterView& view_;
    TPackUdp channel_;
    TSignalSession signalling_;
    TTimer registerTimer_;
    TRegistrationRecord record_;
    int32_t newUserID_ = 0;
    bool closed_ = false;
};

} // namespace vlk
