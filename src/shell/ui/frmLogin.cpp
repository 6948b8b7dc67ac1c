#include "shell/ui/frmLogin.h"

#include "shell/ui/GlobalDM.h"
#include "shell/ui/ShellHelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWindow>

namespace vlk {
namespace {

constexpr int kDesignWidth = 424;
constexpr int kDesignHeight = 299;
constexpr int kPasswordMax = 32;
const QString kCaption = QStringLiteral("登录");

QString Q(const std::string& text) { return QString::fromStdString(text); }

} // namespace

TfrmLogin::TfrmLogin(TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog), dm_(dm), rules_(cfg, *this)
{
    setObjectName("frmLogin");
    setWindowTitle(kCaption);
    setWindowIcon(QApplication::windowIcon());
    setFixedSize(kDesignWidth, kDesignHeight);

    img_bg = new QLabel(this);
    img_bg->setObjectName("img_bg");
    img_bg->setGeometry(0, 0, kDesignWidth, kDesignHeight);
    img_bg->installEventFilter(this);

    lbl2 = new QLabel(QStringLiteral("号码：  "), this);
    lbl2->setObjectName("lbl2");
    lbl1 = new QLabel(QStringLiteral("密码：  "), this);
    lbl1->setObjectName("lbl1");

    edtUserID = new QComboBox(this);
    edtUserID->setObjectName("edtUserID");
    edtUserID->setEditable(true);
    edtUserID->setInsertPolicy(QComboBox::NoInsert);
    edtUserID->lineEdit()->installEventFilter(this);
    connect(edtUserID, &QComboBox::editTextChanged, this,
            [this](const QString& text) { rules_.edtUserIDChange(text.toStdString()); });

    edtUserPwd = new QLineEdit(this);
    edtUserPwd->setObjectName("edtUserPwd");
    edtUserPwd->setEchoMode(QLineEdit::Password);
    edtUserPwd->setMaxLength(kPasswordMax);

    CBMemPwd = new QCheckBox(QStringLiteral("记住密码"), this);
    CBMemPwd->setObjectName("CBMemPwd");

    LabDelUser = MakeLink("LabDelUser", QStringLiteral("删除记录"), "#delete");
    connect(LabDelUser, &QLabel::linkActivated, this, [this] { rules_.LabDelUserClick(); });
    lblForgotPassword = MakeLink("lblForgotPassword", QStringLiteral("忘记密码?"), Q(cfg.ForgotPasswordURL));
    lblForgotPassword->setOpenExternalLinks(true);
    llbRegister = MakeLink("llbRegister", QStringLiteral("申请号码"), "#register");
    connect(llbRegister, &QLabel::linkActivated, this, [this] { rules_.llbRegisterClick(); });

    btn_TouristUser = new QPushButton(QStringLiteral("游客登录"), this);
    btn_TouristUser->setObjectName("btn_TouristUser");
    btn_TouristUser->setAutoDefault(false);
    connect(btn_TouristUser, &QPushButton::clicked, this, [this] { rules_.btn_TouristUserClick(); });
    btnLogin = new QPushButton(kCaption, this);
    btnLogin->setObjectName("btnLogin");
    btnLogin->setDefault(true);
    connect(btnLogin, &QPushButton::clicked, this, [this] { rules_.btnLoginClick(); });
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnCancel->setObjectName("btnCancel");
    btnCancel->setAutoDefault(false);
    connect(btnCancel, &QPushButton::clicked, this, [this] { rules_.btnCancelClick(); });

    FormCreate();
}

QLabel* TfrmLogin::MakeLink(const char* name, const QString& text, const QString& href)
{
    auto* label = new QLabel(QString("<a href=\"%1\">%2</a>").arg(href.toHtmlEscaped(), text.toHtmlEscaped()), this);
    label->setObjectName(name);
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setCursor(Qt::PointingHandCursor);
    return label;
}

void TfrmLogin::FormCreate()
{
    rules_.FormCreate();
    const QString picture = dm_.Path_App() + "Picture/Login.png";
    QPixmap background;
    if (QFile::exists(picture) && background.load(picture) && !background.isNull()) {
        img_bg->setPixmap(background);
        img_bg->resize(background.size());
        setFixedSize(background.size());
    }
}

void TfrmLogin::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    PlaceControls();
    rules_.FormShow();
}

void TfrmLogin::PlaceControls()
{
    const std::pair<QWidget*, TLoginControl> controls[] = {
        {lbl2, TLoginControl::LabelId},           {lbl1, TLoginControl::LabelPwd},
        {edtUserID, TLoginControl::EditId},       {edtUserPwd, TLoginControl::EditPwd},
        {LabDelUser, TLoginControl::LabelDel},    {lblForgotPassword, TLoginControl::LabelForgotPwd},
        {CBMemPwd, TLoginControl::CheckPwd},      {llbRegister, TLoginControl::LabelRegister},
        {btn_TouristUser, TLoginControl::BtnTourist}, {btnLogin, TLoginControl::BtnLogin},
        {btnCancel, TLoginControl::BtnCancel}};
    for (const auto& [widget, control] : controls)
        widget->setGeometry(dm_.LoginRect(control));
}

bool TfrmLogin::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == img_bg && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if ((mouse->buttons() & Qt::LeftButton) && windowHandle()) {
            windowHandle()->startSystemMove();
            return true;
        }
    }
    if (watched == edtUserID->lineEdit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Only keys that type a character go through the rule; shortcuts and dialog keys keep working.
        const bool typesCharacter = !text.isEmpty() && !(key->modifiers() & Qt::ControlModifier) &&
                                    (text.at(0).isPrint() || key->key() == Qt::Key_Backspace);
        if (typesCharacter) {
            const char32_t typed = key->key() == Qt::Key_Backspace ? 8 : text.toUcs4().value(0);
            if (!rules_.edtUserIDKeyPress(edtUserID->currentText().toStdString(), typed))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::string TfrmLogin::UserText() const { return edtUserID->currentText().toStdString(); }

void TfrmLogin::SetUserText(const std::string& text)
{
    const QSignalBlocker block(edtUserID);
    edtUserID->setEditText(Q(text));
}

std::string TfrmLogin::PasswordText() const { return edtUserPwd->text().toStdString(); }
void TfrmLogin::SetPasswordText(const std::string& text) { edtUserPwd->setText(Q(text)); }
bool TfrmLogin::RememberChecked() const { return CBMemPwd->isChecked(); }
void TfrmLogin::SetRememberChecked(bool on) { CBMemPwd->setChecked(on); }

void TfrmLogin::SetUserList(const std::vector<std::string>& ids)
{
    const QSignalBlocker block(edtUserID);
    const QString text = edtUserID->currentText();
    edtUserID->clear();
    for (const auto& id : ids)
        edtUserID->addItem(Q(id));
    edtUserID->setEditText(text);
}

void TfrmLogin::FocusUser() { edtUserID->setFocus(); }
void TfrmLogin::SetGuestVisible(bool visible) { btn_TouristUser->setVisible(visible); }

int TfrmLogin::ShowMessage(QMessageBox& box)
{
    CentreOverOnShow(this, &box);
    return box.exec();
}

void TfrmLogin::ShowError(const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, kCaption, Q(text), QMessageBox::Ok, this);
    ShowMessage(box);
}

bool TfrmLogin::ConfirmWarning(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, kCaption, Q(text), QMessageBox::Ok | QMessageBox::Cancel, this);
    return ShowMessage(box) == QMessageBox::Ok;
}

std::optional<TRegistration> TfrmLogin::RunRegistration()
{
    return RegistrationOpener ? RegistrationOpener(this) : std::nullopt;
}

void TfrmLogin::StartProgram(const std::string& path, const std::string& parameter)
{
    QProcess::startDetached(Q(path), {Q(parameter)});
}

void TfrmLogin::CloseDialog(bool ok) { done(ok ? QDialog::Accepted : QDialog::Rejected); }

} // namespace vlk
