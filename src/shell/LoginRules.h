#pragma once
// The login dialog's rules, without widgets: what each control does, which message it shows and
// what the dialog hands to start-up. The form implements ILoginView and forwards its events here.
#include "shell/StartUp.h"
#include "shell/vlkChatCFG.h"

#include <optional>
#include <string>
#include <vector>

namespace vlk {

struct TRegistration {
    int32_t UserID = 0;
    std::string Password;
};

class ILoginView {
public:
    virtual ~ILoginView() = default;
    virtual std::string UserText() const = 0;
    // Programmatic changes raise no change event; the rules call their own handler when needed.
    virtual void SetUserText(const std::string& text) = 0;
    virtual std::string PasswordText() const = 0;
    virtual void SetPasswordText(const std::string& text) = 0;
    virtual bool RememberChecked() const = 0;
    virtual void SetRememberChecked(bool on) = 0;
    virtual void SetUserList(const std::vector<std::string>& ids) = 0;
    virtual void FocusUser() = 0;
    virtual void SetGuestVisible(bool visible) = 0;
    virtual void ShowError(const std::string& text) = 0;
    // A warning with OK and Cancel; true for OK.
    virtual bool ConfirmWarning(const std::string& text) = 0;
    // The registration dialog; the new number and its password when it closed with OK.
    virtual std::optional<TRegistration> RunRegistration() = 0;
    virtual void StartProgram(const std::string& path, const std::string& parameter) = 0;
    virtual void CloseDialog(bool ok) = 0;
};

inline constexpr char kMsgEmptyLogin[] = "登录号码及密码不能为空！";
inline constexpr char kMsgNumberNotNumeric[] = "登录号码为数字！";
inline constexpr char kMsgNumberNegative[] = "登录号码错误！";
inline constexpr char kMsgDeleteRecord[] = "此操作将删除该帐号的所有信息";

class TLoginRules {
public:
    TLoginRules(TvlkChatCFG& cfg, ILoginView& view) : cfg_(cfg), view_(view) {}

    void FormCreate();
    void FormShow();
    // Returns whether the key reaches the box: digits and backspace only.
    bool edtUserIDKeyPress(const std::string& textBeforeKey, char32_t key);
    void edtUserIDChange(const std::string& text);
    void btnLoginClick();
    void btn_TouristUserClick();
    void btnCancelClick();
    void llbRegisterClick();
    void LabDelUserClick();

    const TSessionIdentity& Identity() const { return identity_; }
    const std::vector<std::string>& UserList() const { return userList_; }

private:
    void SelectUser(const std::string& text);
    void DeleteUserFolder(const std::string& text) const;

    TvlkChatCFG& cfg_;
    ILoginView& view_;
    TSessionIdentity identity_;
    std::vector<std::string> userList_;
};

} // namespace vlk
