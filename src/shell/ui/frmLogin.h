#pragma once
// The login dialog: a frameless skinned form over its background picture. Its rules live in
// TLoginRules; the form shows them and forwards every event.
#include "shell/LoginRules.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;

namespace vlk {

class TGlobalDM;

class TfrmLogin : public QDialog, private ILoginView {
    Q_OBJECT
public:
    TfrmLogin(TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent = nullptr);

    const TSessionIdentity& Identity() const { return rules_.Identity(); }
    // Opens the registration dialog; without one the register link does nothing.
    std::function<std::optional<TRegistration>(QWidget* parent)> RegistrationOpener;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string UserText() const override;
    void SetUserText(const std::string& text) override;
    std::string PasswordText() const override;
    void SetPasswordText(const std::string& text) override;
    bool RememberChecked() const override;
    void SetRememberChecked(bool on) override;
    void SetUserList(const std::vector<std::string>& ids) override;
    void FocusUser() override;
    void SetGuestVisible(bool visible) override;
    void ShowError(const std::string& text) override;
    bool ConfirmWarning(const std::string& text) override;
    std::optional<TRegistration> RunRegistration() override;
    void StartProgram(const std::string& path, const std::string& parameter) override;
    void CloseDialog(bool ok) override;

    void FormCreate();
    void PlaceControls();
    int ShowMessage(QMessageBox& box);
    QLabel* MakeLink(const char* name, const QString& text, const QString& href);

    const TGlobalDM& dm_;
    TLoginRules rules_;
    bool shown_ = false;

    QLabel* img_bg;
    QLabel* lbl2;
    QLabel* lbl1;
    QComboBox* edtUserID;
    QLineEdit* edtUserPwd;
    QCheckBox* CBMemPwd;
    QLabel* LabDelUser;
    QLabel* lblForgotPassword;
    QLabel* llbRegister;
    QPushButton* btn_TouristUser;
    QPushButton* btnLogin;
    QPushButton* btnCancel;
};

} // namespace vlk
