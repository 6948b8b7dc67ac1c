#include "hall/RegistrationSession.h"

#include "base/Gbk.h"
#include "net/Encrypt.h"
#include "shell/NetHelpers.h"
#include "shell/TextCipher.h"

#include <algorithm>

namespace vlk {

using namespace registertext;

TRegistrationSession::TRegistrationSession(const TvlkChatCFG& cfg, IRegisterView& view, std::unique_ptr<TUDP> endpoint)
    : cfg_(cfg), view_(view), channel_(std::move(endpoint)), signalling_(channel_, Cipher(), kDrainInterval)
{
    // The drain rests while a message is handled: the message boxes run their own event loop, and
    // the next answer must not be handled inside the box of the previous one.
    signalling_.OnDispatch = [this](const std::vector<uint8_t>& message, uint32_t, uint16_t) {
        signalling_.Stop();
        Dispatch(message);
        if (!closed_)
            signalling_.Start();
    };
    registerTimer_.SetInterval(kRegisterInterval);
    registerTimer_.OnTimer = [this](TTimer&) { tmr_RegisterTimer(); };
}

TRegistrationSession::~TRegistrationSession()
{
    Close();
}

void TRegistrationSession::Start()
{
    channel_.SetActive(true);
    signalling_.Start();
}

void TRegistrationSession::Close()
{
    closed_ = true;
    registerTimer_.SetEnabled(false);
    signalling_.Stop();
    channel_.SetActive(false);
}

void TRegistrationSession::btn_RegisterClick(const TRegistrationFields& fields)
{
    if (fields.Nickname.empty() || fields.Password.empty() || fields.Confirmation.empty()) {
        view_.ShowError(kIncomplete);
        return;
    }
    if (fields.Password != fields.Confirmation) {
        view_.ShowError(kPasswordsDiffer);
        return;
    }
    // The setters cut every text to its field on a character boundary.
    TRegistrationRecord record;
    record.SetNickname(fields.Nickname);
    record.SetPasswordDigest(Md5Hex(Utf8ToGbk(fields.Password)));
    record.SetHeadPicture(static_cast<int16_t>(fields.HeadPicture));
    record.SetSex(static_cast<int16_t>(fields.Sex));
    record.SetAge(static_cast<int16_t>(fields.Age));
    record.SetCountry(fields.Country);
    record.SetProvince(fields.Province);
    record.SetTelephone(fields.Telephone);
    record.SetMobile(fields.Mobile);
    record.SetQQ(fields.QQ);
    record.SetEmail(fields.Email);
    record.SetNote(fields.Note);
    record_ = record;

    registerTimer_.Tag = 0;
    registerTimer_.SetEnabled(true);
    view_.SetRegisterEnabled(false);
}

void TRegistrationSession::tmr_RegisterTimer()
{
    const intptr_t servers = std::min<intptr_t>(cfg_.ServerCount, static_cast<intptr_t>(cfg_.ServerAddresses.size()));
    if (registerTimer_.Tag < servers) {
        record_.SetMacAddress(GetMacAddress());
        THallRegister request;
        request.SetRecord(record_);
        signalling_.SendCommand(cfg_.ServerAddresses[registerTimer_.Tag], kHallPort, request.size(), request.data());
        ++registerTimer_.Tag;
        return;
    }
    registerTimer_.SetEnabled(false);
    view_.SetRegisterEnabled(true);
    view_.ShowError(kFailed);
}

void TRegistrationSession::Dispatch(const std::vector<uint8_t>& message)
{
    if (closed_)
        return;
    if (auto answer = ParseAs<THallRegisterAnswer>(message.data(), message.size()))
        OnAnswer(*answer);
}

void TRegistrationSession::OnAnswer(const THallRegisterAnswer& answer)
{
    registerTimer_.SetEnabled(false);
    // A "success" without a usable number would hand the login dialog number 0, the guest.
    if (answer.Result() != 0 || answer.NewUserID() <= 0) {
        view_.SetRegisterEnabled(true);
        view_.ShowError(kFailed);
        return;
    }
    newUserID_ = answer.NewUserID();
    // The number is given: nothing that arrives later may replace it.
    Close();
    view_.ShowInformation(kRememberID + std::to_string(newUserID_));
    view_.CloseOk();
}

} // namespace vlk
