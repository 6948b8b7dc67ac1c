#include "hall/ui/frmRegister.h"

#include "shell/ui/GlobalDM.h"
#include "shell/ui/ShellHelpers.h"

#include <QComboBox>
#include <QCursor>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace vlk {
namespace {

constexpr int kClientWidth = 340;
constexpr int kClientHeight = 320;
constexpr int kHeadSize = 32;
constexpr int kHeadColumns = 5;
constexpr int kNoteMax = 250;
const QString kCaption = QStringLiteral("用户注册");

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(maxLength);
    return edit;
}

} // namespace

TfrmRegister::TfrmRegister(const TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent)
    : QDialog(parent), dm_(dm), session_(cfg, *this)
{
    setObjectName("frmRegister");
    setWindowTitle(kCaption);
    setFixedSize(kClientWidth, kClientHeight);

    // Mandatory fields: their labels carry a leading "* ".
    grp_Basic = new QGroupBox(QStringLiteral("基本资料(必填)"), this);
    grp_Basic->setObjectName("grp_Basic");
    edt_NickName = MakeEdit(grp_Basic, "edt_NickName", 30);
    edt_Pwd = MakeEdit(grp_Basic, "edt_Pwd", 32);
    edt_Pwd->setEchoMode(QLineEdit::Password);
    edt_Pwds = MakeEdit(grp_Basic, "edt_Pwds", 32);
    edt_Pwds->setEchoMode(QLineEdit::Password);
    cbb_Sex = new QComboBox(grp_Basic);
    cbb_Sex->setObjectName("cbb_Sex");
    cbb_Sex->addItems({QStringLiteral("男"), QStringLiteral("女")});
    edt_Age = new QSpinBox(grp_Basic);
    edt_Age->setObjectName("edt_Age");
    edt_Age->setRange(18, 99);
    edt_Age->setValue(18);
    btn_Head = new QToolButton(grp_Basic);
    btn_Head->setObjectName("btn_Head");
    btn_Head->setAutoRaise(true);   // flat
    btn_Head->setIconSize(QSize(kHeadSize, kHeadSize));
    btn_Head->setFixedSize(kHeadSize + 6, kHeadSize + 6);
    btn_Head->setToolTip(QStringLiteral("选择头像"));
    bsknmgsmn1 = new QMenu(this);
    bsknmgsmn1->setObjectName("bsknmgsmn1");
    connect(btn_Head, &QToolButton::clicked, this, [this] { bsknmgsmn1->popup(QCursor::pos()); });

    auto* basic = new QGridLayout(grp_Basic);
    basic->setContentsMargins(8, 4, 8, 6);
    basic->setHorizontalSpacing(6);
    basic->setVerticalSpacing(4);
    basic->addWidget(MakeLabel(grp_Basic, "lbl_NickName", QStringLiteral("* 昵称：")), 0, 0);
    basic->addWidget(edt_NickName, 0, 1);
    basic->addWidget(MakeLabel(grp_Basic, "lbl_Sex", QStringLiteral("* 性别：")), 0, 2);
    basic->addWidget(cbb_Sex, 0, 3);
    basic->addWidget(MakeLabel(grp_Basic, "lbl_Pwd", QStringLiteral("* 密码：")), 1, 0);
    basic->addWidget(edt_Pwd, 1, 1);
    basic->addWidget(MakeLabel(grp_Basic, "lbl_Age", QStringLiteral("* 年龄：")), 1, 2);
    basic->addWidget(edt_Age, 1, 3);
    basic->addWidget(MakeLabel(grp_Basic, "lbl_Pwds", QStringLiteral("* 确认密码：")), 2, 0);
    basic->addWidget(edt_Pwds, 2, 1);
    basic->addWidget(MakeLabel(grp_Basic, "lbl_Head", QStringLiteral("* 头像：")), 2, 2);
    basic->addWidget(btn_Head, 2, 3, Qt::AlignLeft | Qt::AlignVCenter);
    basic->setColumnStretch(1, 3);
    basic->setColumnStretch(3, 2);

    grp_Detail = new QGroupBox(QStringLiteral("详细资料(选填)"), this);
    grp_Detail->setObjectName("grp_Detail");
    edt_Country = MakeEdit(grp_Detail, "edt_Country", 50);
    edt_Province = MakeEdit(grp_Detail, "edt_Province", 50);
    edt_Phone = MakeEdit(grp_Detail, "edt_Phone", 30);
    edt_Mobile = MakeEdit(grp_Detail, "edt_Mobile", 30);
    edt_QQ = MakeEdit(grp_Detail, "edt_QQ", 30);
    // Longer addresses can be typed; the record holds the first 30 characters.
    edt_Email = MakeEdit(grp_Detail, "edt_Email", 50);
    mmo_Note = new QPlainTextEdit(grp_Detail);
    mmo_Note->setObjectName("mmo_Note");
    mmo_Note->setTabChangesFocus(true);
    connect(mmo_Note, &QPlainTextEdit::textChanged, this, [this] { LimitNote(); });

    auto* detail = new QGridLayout(grp_Detail);
    detail->setContentsMargins(8, 4, 8, 6);
    detail->setHorizontalSpacing(6);
    detail->setVerticalSpacing(4);
    const struct {
        const char* name;
        QString text;
        QWidget* field;
        int row, column;
    } details[] = {
        {"lbl_Country", QStringLiteral("国家："), edt_Country, 0, 0},
        {"lbl_Province", QStringLiteral("省份："), edt_Province, 0, 2},
        {"lbl_Phone", QStringLiteral("电话："), edt_Phone, 1, 0},
        {"lbl_Mobile", QStringLiteral("手机："), edt_Mobile, 1, 2},
        {"lbl_QQ", QStringLiteral("QQ："), edt_QQ, 2, 0},
        {"lbl_Email", QStringLiteral("邮箱："), edt_Email, 2, 2},
    };
    for (const auto& d : details) {
        detail->addWidget(MakeLabel(grp_Detail, d.name, d.text), d.row, d.column);
        detail->addWidget(d.field, d.row, d.column + 1);
    }
    auto* noteLabel = MakeLabel(grp_Detail, "lbl_Note", QStringLiteral("备注："));
    noteLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    detail->addWidget(noteLabel, 3, 0);
    detail->addWidget(mmo_Note, 3, 1, 1, 3);
    detail->setColumnStretch(1, 1);
    detail->setColumnStretch(3, 1);
    detail->setRowStretch(3, 1);

    btn_Register = new QPushButton(QStringLiteral("注册"), this);
    btn_Register->setObjectName("btn_Register");
    btn_Register->setDefault(true);
    connect(btn_Register, &QPushButton::clicked, this, [this] { btn_RegisterClick(); });
    btn_Cancel = new QPushButton(QStringLiteral("取消"), this);
    btn_Cancel->setObjectName("btn_Cancel");
    btn_Cancel->setAutoDefault(false);
    connect(btn_Cancel, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btn_Register);
    buttons->addWidget(btn_Cancel);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 6, 8, 8);
    outer->setSpacing(6);
    outer->addWidget(grp_Basic);
    outer->addWidget(grp_Detail, 1);
    outer->addLayout(buttons);
}

void TfrmRegister::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The window system's own show events (a restore from the task bar) must not empty the form.
    if (event->spontaneous())
        return;
    if (!started_) {
        started_ = true;
        session_.Start();
    }
    FormShow();
}

void TfrmRegister::FormShow()
{
    for (QLineEdit* edit : {edt_NickName, edt_Pwd, edt_Pwds, edt_Country, edt_Province, edt_Phone, edt_Mobile,
                            edt_QQ, edt_Email})
        edit->clear();
    mmo_Note->clear();

    // Rebuilt on every show, so that showing the dialog again does not repeat the pictures.
    il_head.clear();
    bsknmgsmn1->clear();
    const QString strip = dm_.Path_App() + "Picture/User/UserHead_32.bmp";
    QImage pictures;
    if (QFile::exists(strip) && pictures.load(strip)) {
        for (int x = 0; x + kHeadSize <= pictures.width(); x += kHeadSize)
            il_head.append(QPixmap::fromImage(pictures.copy(x, 0, kHeadSize, kHeadSize)));
    }
    // The pictures sit in a grid of flat buttons at their own size, like an image menu.
    if (!il_head.isEmpty()) {
        auto* grid = new QWidget;
        auto* layout = new QGridLayout(grid);
        layout->setContentsMargins(4, 4, 4, 4);
        layout->setSpacing(2);
        for (int i = 0; i < il_head.size(); ++i) {
            auto* item = new QToolButton(grid);
            item->setObjectName(QString("head%1").arg(i));
            item->setAutoRaise(true);
            item->setIconSize(QSize(kHeadSize, kHeadSize));
            item->setIcon(QIcon(il_head[i]));
            connect(item, &QToolButton::clicked, this, [this, i] {
                bsknmgsmn1->close();
                bsknmgsmn1ItemClick(i);
            });
            layout->addWidget(item, i / kHeadColumns, i % kHeadColumns);
        }
        auto* items = new QWidgetAction(bsknmgsmn1);
        items->setDefaultWidget(grid);
        bsknmgsmn1->addAction(items);
    }
    btn_Head->setEnabled(!il_head.isEmpty());
    headIndex_ = 0;
    if (!il_head.isEmpty())
        bsknmgsmn1ItemClick(0);
}

void TfrmRegister::bsknmgsmn1ItemClick(int index)
{
    headIndex_ = index;
    btn_Head->setIcon(QIcon(il_head.value(index)));
}

void TfrmRegister::LimitNote()
{
    const QString text = mmo_Note->toPlainText();
    if (text.size() <= kNoteMax)
        return;
    // Typing or pasting beyond the limit keeps the first characters, like a line edit's maximum.
    mmo_Note->setPlainText(text.left(kNoteMax));
    mmo_Note->moveCursor(QTextCursor::End);
}

void TfrmRegister::btn_RegisterClick()
{
    TRegistrationFields fields;
    fields.Nickname = S(edt_NickName->text());
    fields.Password = S(edt_Pwd->text());
    fields.Confirmation = S(edt_Pwds->text());
    fields.HeadPicture = headIndex_;
    fields.Sex = cbb_Sex->currentIndex();
    fields.Age = edt_Age->value();
    fields.Country = S(edt_Country->text());
    fields.Province = S(edt_Province->text());
    fields.Telephone = S(edt_Phone->text());
    fields.Mobile = S(edt_Mobile->text());
    fields.Email = S(edt_Email->text());
    fields.QQ = S(edt_QQ->text());
    fields.Note = S(mmo_Note->toPlainText());
    session_.btn_RegisterClick(fields);
}

TRegistration TfrmRegister::Registration() const
{
    return {session_.NewUserID(), S(edt_Pwd->text())};
}

void TfrmRegister::done(int result)
{
    session_.Close();
    QDialog::done(result);
}

void TfrmRegister::ShowError(const std::string& text)
{
    QMessageBox box(QMessageBox::Critical, kCaption, Q(text), QMessageBox::Ok, this);
    CentreOverOnShow(this, &box);
    box.exec();
}

void TfrmRegister::ShowInformation(const std::string& text)
{
    QMessageBox box(QMessageBox::Information, kCaption, Q(text), QMessageBox::Ok, this);
    CentreOverOnShow(this, &box);
    box.exec();
}

void TfrmRegister::SetRegisterEnabled(bool enabled) { btn_Register->setEnabled(enabled); }
void TfrmRegister::CloseOk() { done(QDialog::Accepted); }

std::optional<TRegistration> RunRegistrationDialog(const TvlkChatCFG& cfg, const TGlobalDM& dm, QWidget* parent)
{
    TfrmRegister form(cfg, dm, parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.Registration();
}

} // namespace vlk
