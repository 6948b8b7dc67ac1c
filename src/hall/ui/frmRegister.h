#pragma once
// The registration dialog: a new member's data, sent to the hall servers for a new number. Its
// rules live in TRegistrationSession; the form shows them and forwards its events.
#include "hall/RegistrationSession.h"
#include "shell/LoginRules.h"

#include <QDialog>
#include <QList>
#include <QPixmap>

#include <optional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QToolButton;

namespace vlk {

class TGlobalDM;

class TfrmRegister : public QDialog, private IRegisterView {
    Q_OBJECT
public:
    TfrmRegister(const TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent = nullptr);

    // The new number and the password typed for it; the number is 0 until a server gave one.
    TRegistration Registration() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowError(const std::string& text) override;
    void ShowInformation(const std::string& text) override;
    void SetRegisterEnabled(bool enabled) override;
    void CloseOk() override;

    void FormShow();
    void bsknmgsmn1ItemClick(int index);
    void btn_RegisterClick();
    void LimitNote();

    const TGlobalDM& dm_;
    TRegistrationSession session_;
    bool started_ = false;
    int headIndex_ = 0;
    QList<QPixmap> il_head;

    QGroupBox* grp_Basic;
    QGroupBox* grp_Detail;
    QLineEdit* edt_NickName;
    QSpinBox* edt_Age;
    QComboBox* cbb_Sex;
    QToolButton* btn_Head;
    QMenu* bsknmgsmn1;
    QLineEdit* edt_Pwd;
    QLineEdit* edt_Pwds;
    QLineEdit* edt_Country;
    QLineEdit* edt_Province;
    QLineEdit* edt_Phone;
    QLineEdit* edt_Mobile;
    QLineEdit* edt_QQ;
    QLineEdit* edt_Email;
    QPlainTextEdit* mmo_Note;
    QPushButton* btn_Register;
    QPushButton* btn_Cancel;
};

// Runs the registration dialog over parent; the new number and its password when it closed with OK.
std::optional<TRegistration> RunRegistrationDialog(const TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent);

} // namespace vlk
