#include "shell/LoginRules.h"

#include "base/Gbk.h"
#include "shell/LoginInfo.h"
#include "shell/TextCipher.h"
#include "shell/TextHelpers.h"

#include <algorithm>
#include <filesystem>

namespace vlk {
namespace {

constexpr char32_t kBackspace = 8;
constexpr char kUpdater[] = "AutoUpdate";

bool AllDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void TLoginRules::FormCreate()
{
    userList_ = ReadLoginIDs(cfg_.AppPath);
    view_.SetUserList(userList_);
    if (!userList_.empty())
        SelectUser(userList_.front());
    view_.SetRememberChecked(cfg_.SavePwd);
}

void TLoginRules::FormShow()
{
    view_.SetGuestVisible(cfg_.ClientID == 0);
    view_.FocusUser();
    const std::string updater = cfg_.AppPath + kUpdater;
    std::error_code ec;
    if (std::filesystem::is_regular_file(updater, ec))
        view_.StartProgram(updater, "/s");
}

// Every key refills the password from the text as it was before the key, as a change would.
bool TLoginRules::edtUserIDKeyPress(const std::string& textBeforeKey, char32_t key)
{
    edtUserIDChange(textBeforeKey);
    return (key >= U'0' && key <= U'9') || key == kBackspace;
}

void TLoginRules::edtUserIDChange(const std::string& text)
{
    if (text.empty())
        return;
    if (const auto number = ParseInt(text)) {
        cfg_.LoadUserPassword(*number);
        view_.SetPasswordText(cfg_.StoredPassword);
    }
}

void TLoginRules::btnLoginClick()
{
    const std::string user = Trim(view_.UserText());
    const std::string password = Trim(view_.PasswordText());
    if (user.empty() || password.empty()) {
        view_.ShowError(kMsgEmptyLogin);
        return;
    }
    const auto number = ParseInt(user);
    if (!number) {
        view_.ShowError(kMsgNumberNotNumeric);
        view_.SetUserText({});
        view_.SetPasswordText({});
        view_.FocusUser();
        return;
    }
    if (*number < 0) {
        view_.ShowError(kMsgNumberNegative);
        return;
    }
    identity_.UserID = *number;
    cfg_.RememberPassword = view_.RememberChecked();
    cfg_.PlainPassword = password;
    identity_.PasswordDigest = Md5Hex(Utf8ToGbk(password));
    cfg_.WriteSavePwd(cfg_.RememberPassword);
    view_.CloseDialog(true);
}

void TLoginRules::btn_TouristUserClick()
{
    identity_ = TSessionIdentity{};
    view_.CloseDialog(true);
}

void TLoginRules::btnCancelClick() { view_.CloseDialog(false); }

void TLoginRules::llbRegisterClick()
{
    const auto registration = view_.RunRegistration();
    if (!registration)
        return;
    SelectUser(std::to_string(registration->UserID));
    view_.SetPasswordText(registration->Password);
}

void TLoginRules::LabDelUserClick()
{
    const std::string text = view_.UserText();
    if (text.empty() || !view_.ConfirmWarning(kMsgDeleteRecord))
        return;
    DeleteUserFolder(text);
    if (!DeleteLoginID(cfg_.AppPath, text))
        return;
    const std::string wanted = Trim(text);
    const auto it = std::find_if(userList_.begin(), userList_.end(), [&](const std::string& id) { return Trim(id) == wanted; });
    if (it != userList_.end())
        userList_.erase(it);
    view_.SetUserList(userList_);
    if (userList_.empty()) {
        view_.SetUserText({});
        view_.SetPasswordText({});
    } else {
        SelectUser(userList_.front());
    }
}

void TLoginRules::SelectUser(const std::string& text)
{
    view_.SetUserText(text);
    edtUserIDChange(text);
}

void TLoginRules::DeleteUserFolder(const std::string& text) const
{
    // Only a number names a user folder: anything else ("..", a path) must never reach the file system.
    const std::string name = Trim(text);
    if (!AllDigits(name))
        return;
    namespace fs = std::filesystem;
    const fs::path folder = cfg_.AppPath + name;
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(folder, ec)))
        return;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        if (!entry.is_directory(ec) || entry.is_symlink(ec))
            fs::remove(entry.path(), ec);
    fs::remove(folder, ec);
}

} // namespace vlk
