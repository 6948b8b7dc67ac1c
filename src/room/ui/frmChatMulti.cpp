#include "room/ui/frmChatMulti.h"

#include "base/DebugLog.h"
#include "room/GiftMessagesOut.h"
#include "room/MicMessagesOut.h"
#include "room/ui/SubMenu.h"
#include "room/ui/UserView.h"
#include "shell/vlkChatCFG.h"

#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vlk {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Escaped(const std::string& text) { return Q(text).toHtmlEscaped(); }

// A strip of square pictures, cut left to right; with a mask, the colour of the top-left pixel
// becomes transparent.
QList<QPixmap> CutStrip(const QString& file, int size, bool masked)
{
    QList<QPixmap> pictures;
    if (!QFile::exists(file))
        return pictures;
    QImage strip(file);
    if (strip.isNull())
        return pictures;
    strip = strip.convertToFormat(QImage::Format_ARGB32);
    if (masked) {
        const QRgb key = strip.pixel(0, 0);
        for (int y = 0; y < strip.height(); ++y)
            for (int x = 0; x < strip.width(); ++x)
                if (strip.pixel(x, y) == key)
                    strip.setPixel(x, y, qRgba(0, 0, 0, 0));
    }
    for (int x = 0; x + size <= strip.width(); x += size)
        pictures << QPixmap::fromImage(strip.copy(x, 0, size, std::min(size, strip.height())));
    return pictures;
}

constexpr int kUsersWidth = 250;

} // namespace

TfrmChatMulti::TfrmChatMulti(const TvlkChatCFG& cfg, TUserManageSources sources, QWidget* parent)
    : QWidget(parent), cfg_(cfg)
{
    session_ = std::make_unique<TRoomSession>(cfg.AppPath, static_cast<uint32_t>(cfg.ClientID),
                                              static_cast<IRoomView&>(*this), std::move(sources));
    FormCreate();
}

TfrmChatMulti::~TfrmChatMulti()
{
    // The lists go before the model whose entries their rows point at.
    for (TUserView* view : {uvUser, uvManager, uvMicOrder})
        session_->Users().DetachView(*view);
    session_.reset();
}

void TfrmChatMulti::FormCreate()
{
    setObjectName("frmChatMulti");
    setAttribute(Qt::WA_StyledBackground);

    auto* header = new QWidget(this);
    header->setObjectName("pnlRoomTop");
    header->setAttribute(Qt::WA_StyledBackground);
    lblRoomName = new QLabel(header);
    lblRoomName->setObjectName("lblRoomName");
    lblRoomNotice = new QLabel(header);
    lblRoomNotice->setObjectName("lblRoomNotice");
    lblRoomNotice->setWordWrap(true);
    auto* headerLayout = new QVBoxLayout(header);
    headerLayout->setContentsMargins(14, 8, 14, 8);
    headerLayout->setSpacing(2);
    headerLayout->addWidget(lblRoomName);
    headerLayout->addWidget(lblRoomNotice);

    txtRoomLines = new QTextBrowser(this);
    txtRoomLines->setObjectName("txtRoomLines");
    txtRoomLines->setOpenLinks(false);
    txtRoomLines->setReadOnly(true);

    pnlUsers = new QWidget(this);
    pnlUsers->setObjectName("pnlUsers");
    bsEditSearch = new QLineEdit(pnlUsers);
    bsEditSearch->setObjectName("bsEditSearch");
    bsEditSearch->setPlaceholderText("查找用户（昵称或号码）");
    bsEditSearch->setClearButtonEnabled(true);
    connect(bsEditSearch, &QLineEdit::textChanged, this,
            [this](const QString& text) { session_->Users().bsEditSearchChange(text.toStdString()); });
    pgcUser = new QTabWidget(pnlUsers);
    pgcUser->setObjectName("pgcUser");
    pgcUser->setDocumentMode(true);
    pgcUser->tabBar()->setExpanding(true);
    pgcUser->tabBar()->setUsesScrollButtons(false);
    uvUser = MakeUserView("uvUser", TUserListKind::Users);
    uvManager = MakeUserView("Tv_Manager", TUserListKind::Managers);
    uvMicOrder = MakeUserView("Tv_Micorder1", TUserListKind::MicOrder);
    pgcUser->setCurrentIndex(0);
    auto* usersLayout = new QVBoxLayout(pnlUsers);
    usersLayout->setContentsMargins(0, 0, 0, 0);
    usersLayout->setSpacing(4);
    usersLayout->addWidget(bsEditSearch);
    usersLayout->addWidget(pgcUser, 1);

    pnlBody = new QSplitter(Qt::Horizontal, this);
    pnlBody->setObjectName("pnlBody");
    pnlBody->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    auto* bodyFrame = new QHBoxLayout;
    bodyFrame->setContentsMargins(8, 8, 8, 8);
    bodyFrame->addWidget(pnlBody);
    layout->addLayout(bodyFrame, 1);

    mnuUser = new TSubMenu(this);
    mnuUser->MenuEvent = [this](QAction*, int32_t userId, SubMenuEnum item) {
        if (item == smeSelectUse || item == smeSelectGive)
            session_->Users().uvUserSelectUser(userId);
    };
    ApplyLayout();
}

TUserView* TfrmChatMulti::MakeUserView(const char* name, TUserListKind kind)
{
    auto* view = new TUserView(pgcUser);
    view->setObjectName(name);
    view->SetRowHeight(34);
    const QString pictures = Q(cfg_.AppPath) + "Picture/User/";
    view->SetPathRes(pictures);
    view->SetHeadImages(CutStrip(pictures + "UserHead_32.bmp", 32, false));
    view->SetMicImages(CutStrip(pictures + "MicType.bmp", 16, true));
    const int tab = pgcUser->addTab(view, Q(TUserManage::CountCaption(kind, 0)));
    view->OnUserCountChange = [this, tab, kind](int count) {
        const std::string caption = TUserManage::CountCaption(kind, count);
        pgcUser->setTabText(tab, Q(caption));
        DebugLog().info("room {}: {}", RoomID(), caption);
    };
    view->OnSelectUser = [this](int32_t number) { session_->Users().uvUserSelectUser(number); };
    view->OnOperateUser = [this](int32_t number, QPoint screen) {
        mnuUser->UserID = number;
        mnuUser->popup(screen);
    };
    view->OnSeal = [this](int32_t seal) { return Q(session_->Users().uvUserSeal(seal)); };
    session_->Users().AttachView(*view, kind);
    return view;
}

TUserView* TfrmChatMulti::UserView(TUserListKind kind) const
{
    switch (kind) {
    case TUserListKind::Users: return uvUser;
    case TUserListKind::Managers: return uvManager;
    case TUserListKind::MicOrder: return uvMicOrder;
    }
    return nullptr;
}

void TfrmChatMulti::ApplyLayout()
{
    // One layout keeps the lists at the right, the other at the left.
    pnlBody->insertWidget(0, cfg_.RoomLayout ? static_cast<QWidget*>(txtRoomLines) : pnlUsers);
    pnlBody->insertWidget(1, cfg_.RoomLayout ? static_cast<QWidget*>(pnlUsers) : txtRoomLines);
    const int rest = std::max(pnlBody->width() - kUsersWidth, kUsersWidth);
    pnlBody->setSizes(cfg_.RoomLayout ? QList<int>{rest, kUsersWidth} : QList<int>{kUsersWidth, rest});
    pnlBody->setStretchFactor(cfg_.RoomLayout ? 0 : 1, 1);
    pnlBody->setStretchFactor(cfg_.RoomLayout ? 1 : 0, 0);
}

void TfrmChatMulti::EnterRoom(const std::string& localUserInfo, const std::string& roomInfo)
{
    // A record shorter than its layout (a damaged answer) is read as if zero-padded.
    TLocalUserInfo user;
    user.setRaw(0, std::string_view(localUserInfo).substr(0, user.size()));
    TRoomInfo room;
    room.setRaw(0, std::string_view(roomInfo).substr(0, room.size()));
    setWindowTitle(QStringLiteral("(%1)%2").arg(room.RoomNumber()).arg(Q(user.Nickname())));
    lblRoomName->setText(QStringLiteral("%1（%2）").arg(Q(room.RoomName())).arg(room.RoomNumber()));
    lblRoomNotice->setText(Q(room.Notice()));
    session_->EnterRoom(user, room);
}

void TfrmChatMulti::AddLine(const QString& html)
{
    txtRoomLines->append(html);
}

void TfrmChatMulti::ExitRoom(const std::string& reason)
{
    if (OnExitRoom)
        OnExitRoom(this, RoomID(), Q(reason));
}

void TfrmChatMulti::AddPrivateHTML(const std::string& html)
{
    AddLine(Q(html));
}

void TfrmChatMulti::AddUserEnter(const TRoomUser& user)
{
    AddLine(QStringLiteral("<span style=\"color:#2f5a9c\">%1(%2) 进入房间</span>")
                .arg(Escaped(user.Nickname()))
                .arg(user.UserNumber()));
}

void TfrmChatMulti::AddWeekStar(const std::string& html)
{
    AddLine(Q(html));
}

void TfrmChatMulti::AddKingInRoom(int32_t number, const std::string& nickname, const std::string&)
{
    AddLine(QStringLiteral("<span style=\"color:#b5651d\">国王 %1(%2) 驾到</span>").arg(Escaped(nickname)).arg(number));
}

void TfrmChatMulti::AddQueenInRoom(int32_t number, const std::string& nickname, const std::string&)
{
    AddLine(QStringLiteral("<span style=\"color:#b5651d\">王后 %1(%2) 驾到</span>").arg(Escaped(nickname)).arg(number));
}

void TfrmChatMulti::AddUserLeft(int32_t number, const std::string& nickname)
{
    AddLine(QStringLiteral("<span style=\"color:#6b7685\">%1(%2) 离开房间</span>").arg(Escaped(nickname)).arg(number));
}

void TfrmChatMulti::AddSystem(int, int, const std::string& text)
{
    AddLine(QStringLiteral("<span style=\"color:#c0392b\">【系统】%1</span>").arg(Escaped(text)));
}

void TfrmChatMulti::SelectUser(int32_t number, const std::string&)
{
    uvUser->SelectUserRow(number);
}

void TfrmChatMulti::AskMicAddress(int32_t number)
{
    TMicAddressRequest request(session_->Identity());
    request.SetUser(static_cast<uint32_t>(number));
    session_->SendCommand(request);
}

void TfrmChatMulti::ClearSeal(int32_t number, int32_t sealNumber)
{
    TClearSeal clear(session_->Identity());
    clear.SetUser(static_cast<uint32_t>(number));
    clear.SetSealNumber(static_cast<uint32_t>(sealNumber));
    session_->SendCommand(clear);
}

} // namespace vlk
