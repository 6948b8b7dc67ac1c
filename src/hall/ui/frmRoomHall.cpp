#include "hall/ui/frmRoomHall.h"

#include "base/DebugLog.h"
#include "hall/HallLinks.h"
#include "hall/ui/HallWebPage.h"
#include "hall/ui/TabsBar.h"
#include "hall/ui/frmLogout.h"
#include "hall/ui/frmShowMessage.h"
#include "room/ui/frmChatMulti.h"
#include "shell/ui/GlobalDM.h"
#include "shell/ui/ShellHelpers.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>
#include <QWindow>

namespace vlk {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr char kHallTab[] = "聊天大厅";
constexpr int kHallImage = 0;
constexpr int kRoomImage = 1;
constexpr int kButtonRightGap = 5;

} // namespace

TfrmRoomHall::TfrmRoomHall(TvlkChatCFG& cfg, TGlobalDM& dm, const TSessionIdentity& identity, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), cfg_(cfg), dm_(dm), typeCfg_(cfg.AppPath)
{
    user_.SetUserID(identity.UserID);
    user_.SetPasswordDigest(identity.PasswordDigest);
    StartProgramAgain = [] { QProcess::startDetached(QCoreApplication::applicationFilePath(), {}); };
    StartGameCenter = [this] {
        // A missing program fails silently, as the shell would.
        QProcess::startDetached(Q(cfg_.AppPath) + "GameCenter", {});
    };
    FormCreate();
}

TfrmRoomHall::~TfrmRoomHall()
{
    // Room windows go before the session they would talk through.
    tbsbr1->CloseAll();
    session_.reset();
}

void TfrmRoomHall::FormCreate()
{
    setObjectName("frmRoomHall");
    setAttribute(Qt::WA_StyledBackground);
    resize(1024, 738);
    BuildCaption();
    lblNick->setText("昵称：");
    FillSkinMenu();

    content_ = new QWidget(this);
    content_->setObjectName("pnlContent");
    bsSkinPanel1 = new QWidget(content_);
    bsSkinPanel1->setObjectName("bsSkinPanel1");
    wbHall = new QWebEngineView(bsSkinPanel1);
    wbHall->setObjectName("wbHall");
    page_ = new THallWebPage(wbHall);
    page_->OnNavigate = [this](const QString& address) { return FollowLink(address); };
    wbHall->setPage(page_);
    connect(wbHall, &QWebEngineView::loadFinished, this, &TfrmRoomHall::DocumentComplete);

    PnlLogin = new QLabel("准备初始化大厅", this);
    PnlLogin->setObjectName("PnlLogin");
    PnlLogin->setAlignment(Qt::AlignCenter);
    PnlLogin->setFrameShape(QFrame::Box);
    PnlLogin->resize(185, 41);

    closing_ = false;
    setWindowTitle(Q(cfg_.SiteName));
    setWindowIconText(Q(cfg_.SiteName));

    const QColor window = palette().color(QPalette::Window);
    page_->setBackgroundColor(window);
    wbHall->setUrl(QUrl("about:blank"));

    ChangeSkinData();
    LayoutContent();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    session_ = std::make_unique<THallSession>(cfg_, user_, static_cast<IHallView&>(*this));
    session_->Start();
}

void TfrmRoomHall::BuildCaption()
{
    pnlCaption = new QWidget(this);
    pnlCaption->setObjectName("pnlCaption");
    pnlCaption->setAttribute(Qt::WA_StyledBackground);
    pnlCaption->installEventFilter(this);

    const QString pictures = Q(cfg_.AppPath) + "Picture/";
    imgLogo = new QLabel(pnlCaption);
    imgLogo->setObjectName("imgLogo");
    imgLogo->setGeometry(0, 0, 215, kCaptionHeight);
    if (QFile::exists(pictures + "Logo.png"))
        imgLogo->setPixmap(QPixmap(pictures + "Logo.png"));
    imgLogo->installEventFilter(this);

    imgCaptionbg = new QLabel(pnlCaption);
    imgCaptionbg->setObjectName("imgCaptionbg");
    imgCaptionbg->resize(500, kCaptionHeight);
    if (QFile::exists(pictures + "Hall/CaptionBG.png")) {
        const QPixmap picture(pictures + "Hall/CaptionBG.png");
        imgCaptionbg->setPixmap(picture);
        imgCaptionbg->resize(picture.size());
    }
    imgCaptionbg->move(width() - imgCaptionbg->width() - 150, 0);
    imgCaptionbg->installEventFilter(this);

    tbsbr1 = new TTabsBar(pnlCaption);
    tbsbr1->setObjectName("tbsbr1");
    tbsbr1->setGeometry(215, 22, 640, 24);
    tbsbr1->SetTabPosition(TTabPosition::tpBottom);
    tbsbr1->SetTabWidth(100);
    tbsbr1->SetInterval(3);
    tbsbr1->SetBGTransparent(true);
    QList<QPixmap> images;
    AddPngToList(images, pictures + "Hall/Hall.png");
    AddPngToList(images, pictures + "Hall/Room.png");
    tbsbr1->SetImages(images);
    tbsbr1->installEventFilter(this);

    const struct {
        QPushButton*& button;
        const char* name;
        const char* hint;
    } buttons[] = {
        {btnClose, "btnClose", "关闭"},         {btnMax, "btnMax", "最大化"},   {btnMin, "btnMin", "最小化"},
        {btnCollect, "btnCollect", "收藏房间"}, {btnSkin, "btnSkin", "更换皮肤"}, {btnLayout, "btnLayout", "切换布局"},
    };
    for (const auto& b : buttons) {
        b.button = new QPushButton(pnlCaption);
        b.button->setObjectName(b.name);
        b.button->setToolTip(b.hint);
        b.button->setFocusPolicy(Qt::NoFocus);
        b.button->setCursor(Qt::PointingHandCursor);
        b.button->resize(kButtonWidth, kButtonHeight);
    }
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(btnMax, &QPushButton::clicked, this, [this] { isMaximized() ? showNormal() : showMaximized(); });
    connect(btnMin, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(btnSkin, &QPushButton::clicked, this, [this] { pmnSkin->popup(QCursor::pos()); });
    connect(btnLayout, &QPushButton::clicked, this, &TfrmRoomHall::LayoutClick);
    connect(btnCollect, &QPushButton::clicked, this, &TfrmRoomHall::CollectClick);

    lblNick = new QLabel(pnlCaption);
    lblNick->setObjectName("lblNick");
    lblNick->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmRoomHall::FillSkinMenu()
{
    pmnSkin = new QMenu(this);
    pmnSkin->setObjectName("pmnSkin");
    auto* group = new QActionGroup(pmnSkin);
    const QStringList skins = dm_.SkinList();
    for (int i = 0; i < skins.size(); ++i) {
        QAction* item = pmnSkin->addAction(skins.at(i).trimmed());
        item->setCheckable(true);
        item->setData(i);
        item->setChecked(i == dm_.SkinIndex());
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] {
            dm_.SetSkinIndex(i);
            ChangeSkinData();
        });
    }
}

void TfrmRoomHall::ChangeSkinData()
{
    // The skin's pictures carry the buttons' texts; the hints still name them.
    QPushButton* const fromRight[] = {btnClose, btnMax, btnMin, btnCollect, btnSkin, btnLayout};
    int right = pnlCaption->width() - kButtonRightGap;
    for (QPushButton* button : fromRight) {
        button->setText({});
        button->move(right - kButtonWidth, 0);
        right -= kButtonWidth;
    }
    imgCaptionbg->move(btnSkin->x() - imgCaptionbg->width(), 0);
    lblNick->setGeometry(btnLayout->x(), kButtonHeight + 2, pnlCaption->width() - btnLayout->x() - 10,
                         kCaptionHeight - kButtonHeight - 4);
    page_->setBackgroundColor(palette().color(QPalette::Window));
}

void TfrmRoomHall::LayoutContent()
{
    pnlCaption->setGeometry(0, 0, width(), kCaptionHeight);
    content_->setGeometry(0, kCaptionHeight, width(), height() - kCaptionHeight);
    for (QWidget* page : content_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        page->setGeometry(content_->rect());
    wbHall->setGeometry(bsSkinPanel1->rect());
    PnlLogin->move((width() - PnlLogin->width()) / 2, kCaptionHeight + (content_->height() - PnlLogin->height()) / 2);
}

void TfrmRoomHall::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutContent();
    ChangeSkinData();
}

void TfrmRoomHall::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (std::exchange(shown_, true))
        return;
    tbsbr1->AddTab(kHallTab, bsSkinPanel1)->SetImageIndex(kHallImage);
    PnlLogin->raise();
}

bool TfrmRoomHall::eventFilter(QObject* watched, QEvent* event)
{
    // The strip stands in for the missing title bar: dragging it moves the window.
    if (event->type() == QEvent::MouseMove
        && (watched == pnlCaption || watched == imgLogo || watched == imgCaptionbg || watched == tbsbr1)
        && (static_cast<QMouseEvent*>(event)->buttons() & Qt::LeftButton) && windowHandle())
        windowHandle()->startSystemMove();
    return QWidget::eventFilter(watched, event);
}

bool TfrmRoomHall::FollowLink(const QString& address)
{
    const auto link = ParseHallLink(address.toStdString());
    if (!link)
        return false;
    DebugLog().info("hall link {}", address.toStdString());
    FollowHallLink(*link, *session_, user_.UserID(), StartGameCenter);
    return true;
}

void TfrmRoomHall::DocumentComplete(bool ok)
{
    if (!ok || wbHall->url().toString() == "about:blank")
        return;
    page_->runJavaScript("if (document.body) document.body.style.borderStyle = 'none';");
    DebugLog().info("hall page loaded: {}", wbHall->url().toString().toStdString());
    HideStatus();
}

void TfrmRoomHall::LayoutClick()
{
    cfg_.SetRoomLayout(!cfg_.RoomLayout);
    if (tbsbr1->ActiveTabIndex() > 0)
        for (TfrmChatMulti* room : RoomWindows())
            room->ApplyLayout();
}

void TfrmRoomHall::CollectClick()
{
    if (tbsbr1->ActiveTabIndex() > 0)
        if (auto* room = qobject_cast<TfrmChatMulti*>(tbsbr1->Tabs(tbsbr1->ActiveTabIndex())->Control()))
            room->AddToFavourites();
}

std::vector<TfrmChatMulti*> TfrmRoomHall::RoomWindows() const
{
    std::vector<TfrmChatMulti*> rooms;
    for (int i = 1; i < tbsbr1->TabCount(); ++i)
        if (auto* room = qobject_cast<TfrmChatMulti*>(tbsbr1->Tabs(i)->Control()))
            rooms.push_back(room);
    return rooms;
}

void TfrmRoomHall::closeEvent(QCloseEvent* event)
{
    // A restart or a lost session closes the hall whatever tab is active; otherwise the close
    // button closes the active room first.
    if (!closing_ && tbsbr1->ActiveTabIndex() > 0) {
        tbsbr1->RemoveTabAt(tbsbr1->ActiveTabIndex());
        event->ignore();
        return;
    }
    if (!closing_) {
        TfrmLogout logout(cfg_, dm_);
        const TfrmLogout::Result result = logout.ShowModalOver(this);
        if (result == TfrmLogout::Result::Cancel) {
            event->ignore();
            return;
        }
        if (result == TfrmLogout::Result::ChangeNumber)
            StartProgramAgain();
    }
    tbsbr1->CloseAll();
    event->accept();
    session_->Close();
    emit closed();
}

TfrmChatMulti* TfrmRoomHall::RoomWindow(int32_t roomId) const
{
    const int index = RoomTabIndex(roomId);
    return index < 0 ? nullptr : qobject_cast<TfrmChatMulti*>(tbsbr1->Tabs(index)->Control());
}

int TfrmRoomHall::RoomTabIndex(int32_t roomId) const
{
    for (int i = 1; i < tbsbr1->TabCount(); ++i)
        if (auto* room = qobject_cast<TfrmChatMulti*>(tbsbr1->Tabs(i)->Control()); room && room->RoomID() == roomId)
            return i;
    return -1;
}

void TfrmRoomHall::Attention(QWidget* room)
{
    if (!QApplication::activeWindow())
        QApplication::alert(this);
    tbsbr1->MarkTab(room);
}

void TfrmRoomHall::ExitRoom(QWidget* room, int32_t roomId, const QString& reason)
{
    tbsbr1->RemoveTab(room);
    ShowNotice("退出房间", QStringLiteral("退出%1房间：%2").arg(roomId).arg(reason).toStdString(), {});
}

void TfrmRoomHall::CloseRoomTabs()
{
    while (tbsbr1->TabCount() > 1)
        tbsbr1->RemoveTabAt(1);
}

void TfrmRoomHall::ShowStatus(const std::string& text)
{
    PnlLogin->setText(Q(text));
    PnlLogin->show();
    PnlLogin->raise();
}

void TfrmRoomHall::HideStatus()
{
    PnlLogin->hide();
}

void TfrmRoomHall::ShowNotice(const std::string& title, const std::string& text, std::function<void()> onClose)
{
    DebugLog().info("notice {}: {}", title, text);
    TfrmShowMessage::Show(Q(title), Q(text), std::move(onClose), this);
}

void TfrmRoomHall::Ask(const std::string& title, const std::string& text, std::function<void(bool yes)> answer)
{
    auto* box = new QMessageBox(QMessageBox::Warning, Q(title), Q(text), QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName("bsSkinMessage2");
    box->setAttribute(Qt::WA_DeleteOnClose);
    CentreOverOnShow(this, box);
    connect(box, &QMessageBox::finished, this,
            [answer = std::move(answer)](int result) { answer(result == QMessageBox::Yes); });
    box->open();
}

void TfrmRoomHall::AskRoomPassword(std::function<void(const std::string& password)> confirmed)
{
    DebugLog().info("asking for the room password");
    auto* dialog = new QInputDialog(this);
    dialog->setObjectName("DlgPwd");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle("进入房间");
    dialog->setLabelText("请输入房间密码：");
    dialog->setTextEchoMode(QLineEdit::Password);
    CentreOverOnShow(this, dialog);
    connect(dialog, &QInputDialog::textValueSelected, this,
            [confirmed = std::move(confirmed)](const QString& text) { confirmed(text.toStdString()); });
    dialog->open();
}

void TfrmRoomHall::SetCaptions(const std::string& window, const std::string& application, const std::string& nickname)
{
    setWindowTitle(Q(window));
    // The task bar's text, as the application title would be.
    setWindowIconText(Q(application));
    lblNick->setText(Q(nickname));
}

void TfrmRoomHall::NavigateHall(const std::string& url)
{
    DebugLog().info("opening the hall page {}", url);
    wbHall->setUrl(QUrl(Q(url)));
}

bool TfrmRoomHall::HasRoomTab(int32_t roomId)
{
    return RoomTabIndex(roomId) >= 0;
}

void TfrmRoomHall::ActivateRoomTab(int32_t roomId)
{
    if (const int index = RoomTabIndex(roomId); index >= 0)
        tbsbr1->SetActiveTabIndex(index);
}

int TfrmRoomHall::RoomTabCount()
{
    return std::max(tbsbr1->TabCount() - 1, 0);
}

void TfrmRoomHall::CloseActiveRoomTab()
{
    if (tbsbr1->ActiveTabIndex() > 0)
        tbsbr1->RemoveTabAt(tbsbr1->ActiveTabIndex());
}

void TfrmRoomHall::CloseAllRoomTabs()
{
    CloseRoomTabs();
}

void TfrmRoomHall::OpenRoom(const std::string& localUserInfo, const std::string& roomInfo)
{
    TUserManageSources sources;
    sources.AppPath = cfg_.AppPath;
    if (catalogues_) {
        sources.Gifts = &catalogues_->Gifts;
        sources.Seals = &catalogues_->Seals;
    }
    sources.Levels = &typeCfg_;
    sources.WeekStars = &session_->WeekStars();
    sources.MonthStars = &session_->MonthStars();
    auto* room = new TfrmChatMulti(cfg_, sources, content_);
    room->OnExitRoom = [this](TfrmChatMulti* window, int32_t roomId, const QString& reason) {
        ExitRoom(window, roomId, reason);
    };
    room->OnAttention = [this](TfrmChatMulti* window) { Attention(window); };
    room->Session().SetCrown(session_->Crown());
    room->EnterRoom(localUserInfo, roomInfo);
    room->setGeometry(content_->rect());
    room->show();
    const QString caption = Q(room->Session().Room().RoomName());
    tbsbr1->AddTab(caption, room, true)->SetImageIndex(kRoomImage);
    DebugLog().info("room tab opened: {} ({})", caption.toStdString(), room->RoomID());
    emit roomOpened(room->RoomID());
}

void TfrmRoomHall::TellRoomsKingQueen(uint8_t, int32_t, double)
{
    const TCrown crown = session_->Crown();
    for (TfrmChatMulti* room : RoomWindows())
        room->Session().SetCrown(crown);
}

bool TfrmRoomHall::CameraPresent()
{
    return !QDir("/dev").entryList({"video*"}, QDir::System).isEmpty();
}

void TfrmRoomHall::LoadCatalogues()
{
    catalogues_ = std::make_unique<TCatalogues>(cfg_.AppPath);
    DebugLog().info("catalogues: {} gifts, {} seals, {} emoticon groups", catalogues_->Gifts.GiftCount(),
                    catalogues_->Seals.SealCount(), catalogues_->Emotions.Groups().size());
}

void TfrmRoomHall::Restart()
{
    closing_ = true;
    close();
    StartProgramAgain();
}

void TfrmRoomHall::CloseHall()
{
    closing_ = true;
    close();
}

} // namespace vlk
