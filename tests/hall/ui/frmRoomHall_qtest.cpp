// The hall window against a real vlkserver: the page it loads, the links the page follows, room
// tabs, the room password dialog, notices and the close rules.
#include "base/ui/QtClock.h"
#include "hall/ui/TabsBar.h"
#include "hall/ui/frmLogout.h"
#include "hall/ui/frmRoomHall.h"
#include "hall/ui/frmShowMessage.h"
#include "room/ui/frmChatMulti.h"
#include "shell/TextCipher.h"
#include "shell/ui/GlobalDM.h"
#include "support/ServerProcess.h"
#include "support/TestDir.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QWebEngineView>
#include <QtTest>

#include <arpa/inet.h>

#include <memory>

using namespace vlk;
using namespace vlk::test;

namespace {

const std::string kAddress = "127.0.0.32";

std::string Config(uint16_t httpPort)
{
    return R"({"listen": ")" + kAddress + R"(", "httpPort": )" + std::to_string(httpPort) + R"(,
      "accounts": [{"number": 10001, "passwordMd5": ")" + Md5Hex("123456") + R"(", "nickname": "小明", "roomLimit": 3}],
      "rooms": [{"number": 501, "name": "音乐大厅", "line": 1, "notice": "欢迎"},
                {"number": 502, "name": "K歌之王", "line": 2, "password": "8888"},
                {"number": 503, "name": "夜色温柔", "line": 3}]})";
}

QStringList Captions(const TTabsBar& bar)
{
    QStringList captions;
    for (int i = 0; i < bar.TabCount(); ++i)
        captions << bar.Tabs(i)->Caption();
    return captions;
}

// The top-level widget of that class that is visible, if any.
template <class W>
W* Visible(const char* objectName = nullptr)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<W*>(w); found && found->isVisible()
            && (!objectName || found->objectName() == objectName))
            return found;
    return nullptr;
}

} // namespace

class frmRoomHallTest : public QObject {
    Q_OBJECT

    QtClock clock_;
    std::unique_ptr<ClockScope> scope_;
    std::unique_ptr<TestDir> dir_;
    std::unique_ptr<TServerProcess> server_;
    std::unique_ptr<TvlkChatCFG> cfg_;
    std::unique_ptr<TGlobalDM> dm_;
    std::unique_ptr<TfrmRoomHall> hall_;
    int restarts_ = 0;

    // Follows a link the way the page's own script would.
    void Navigate(const QString& link)
    {
        hall_->HallView()->page()->runJavaScript(QString("location.href = '%1';").arg(link));
    }
    TTabsBar& Tabs() { return *hall_->TabsBar(); }

private slots:
    void initTestCase()
    {
        scope_ = std::make_unique<ClockScope>(clock_);
        dir_ = std::make_unique<TestDir>();
        const uint16_t httpPort = FreeTcpPort(kAddress);
        server_ = std::make_unique<TServerProcess>(dir_->appPath() + "vlkserver.json", Config(httpPort), kAddress,
                                                   httpPort);
        QVERIFY(server_->Ready());
    }

    void init()
    {
        cfg_ = std::make_unique<TvlkChatCFG>();
        cfg_->LoadGlobal();
        cfg_->ServerAddresses = {inet_addr(kAddress.c_str())};
        cfg_->ServerCount = 1;
        dm_ = std::make_unique<TGlobalDM>(cfg_->AppPath);
        hall_ = std::make_unique<TfrmRoomHall>(*cfg_, *dm_, TSessionIdentity{10001, Md5Hex("123456")});
        hall_->StartProgramAgain = [this] { ++restarts_; };
        hall_->show();
        // Logged in once the page from the server has loaded and the status panel has gone.
        QTRY_VERIFY_WITH_TIMEOUT(hall_->HallView()->url().toString().contains("hall.html?UserID=10001"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!hall_->findChild<QLabel*>("PnlLogin")->isVisible(), 10000);
        QCOMPARE(hall_->windowTitle(), QString::fromStdString(cfg_->SiteName) + " 小明(10001)");
        QCOMPARE(hall_->findChild<QLabel*>("lblNick")->text(), QString("昵称：小明"));
        QVERIFY(hall_->Catalogues());
        QCOMPARE(Captions(Tabs()), QStringList{"聊天大厅"});
        QTest::qWait(THallSession::kEnterThrottle);   // the hall takes no room link in its first 2 s
    }

    void cleanup()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != hall_.get() && w->isVisible())
                w->close();
        hall_.reset();
        QTest::qWait(50);
    }

    void roomLinkOpensATabAndTheCloseButtonClosesOnlyThatRoom()
    {
        Navigate("VLKROOMID:501,0");
        QTRY_COMPARE_WITH_TIMEOUT(Captions(Tabs()), (QStringList{"聊天大厅", "音乐大厅"}), 10000);
        QCOMPARE(Tabs().ActiveTabIndex(), 1);
        auto* room = hall_->RoomWindow(501);
        QVERIFY(room);
        QCOMPARE(room->windowTitle(), QString("(501)小明"));
        QCOMPARE(Tabs().Tabs(1)->ImageIndex(), 1);
        QCOMPARE(Tabs().Tabs(0)->ImageIndex(), 0);

        hall_->findChild<QPushButton*>("btnClose")->click();
        QCOMPARE(Captions(Tabs()), QStringList{"聊天大厅"});
        QVERIFY(hall_->isVisible());
        QVERIFY(!Visible<TfrmLogout>());
    }

    void passwordRoomAsksForThePassword()
    {
        Navigate("vlkroomid:502,0");
        QTRY_VERIFY_WITH_TIMEOUT(Visible<QInputDialog>("DlgPwd"), 10000);
        auto* dialog = Visible<QInputDialog>("DlgPwd");
        QCOMPARE(dialog->windowTitle(), QString("进入房间"));
        QCOMPARE(dialog->labelText(), QString("请输入房间密码："));
        dialog->setTextValue("8888");
        dialog->accept();
        QTRY_COMPARE_WITH_TIMEOUT(Captions(Tabs()), (QStringList{"聊天大厅", "K歌之王"}), 10000);
    }

    void linksThatEnterNothing()
    {
        // No comma, a room 0, a web game of another member: nothing happens and the page stays.
        const QUrl page = hall_->HallView()->url();
        for (const char* link : {"vlkroomid:501", "vlkroomid:0,3", "webgame:GuessNumber|10002|1|2"})
            Navigate(link);
        QTest::qWait(1500);
        QCOMPARE(Captions(Tabs()), QStringList{"聊天大厅"});
        QCOMPARE(hall_->HallView()->url(), page);
        QVERIFY(!Visible<TfrmShowMessage>());
    }

    void attentionAndExitRoom()
    {
        Navigate("vlkroomid:501,0");
        QTRY_COMPARE_WITH_TIMEOUT(Tabs().TabCount(), 2, 10000);
        QTest::qWait(THallSession::kEnterThrottle);
        Navigate("vlkroomid:503,0");
        QTRY_COMPARE_WITH_TIMEOUT(Tabs().TabCount(), 3, 10000);

        hall_->Attention(hall_->RoomWindow(503));   // the active room: no change
        QCOMPARE(Tabs().Tabs(2)->State(), int(tsActive));
        hall_->Attention(hall_->RoomWindow(501));
        QCOMPARE(Tabs().Tabs(1)->State(), int(tsAttention));
        Tabs().SetActiveTabIndex(1);
        QCOMPARE(Tabs().Tabs(1)->State(), int(tsActive));

        hall_->ExitRoom(hall_->RoomWindow(501), 501, "房间已关闭");
        QCOMPARE(Captions(Tabs()), (QStringList{"聊天大厅", "夜色温柔"}));
        QCOMPARE(Tabs().ActiveTabIndex(), 1);   // the next tab takes the removed active one's place
        auto* notice = Visible<TfrmShowMessage>();
        QVERIFY(notice);
        QCOMPARE(notice->windowTitle(), QString("退出房间"));
        QVERIFY(notice->findChild<QLabel*>("lblText")->text() == "退出501房间：房间已关闭");

        hall_->CloseRoomTabs();
        QCOMPARE(Captions(Tabs()), QStringList{"聊天大厅"});
    }

    void closingTheHallAsksTheLogoutDialog()
    {
        const struct {
            const char* button;
            bool closed;
            int restarts;
        } cases[] = {
            {"btnCancel", false, 0},
            {"btnChangeID", true, 1},
        };
        for (const auto& c : cases) {
            restarts_ = 0;
            bool closedSignal = false;
            connect(hall_.get(), &TfrmRoomHall::closed, this, [&] { closedSignal = true; });
            QTimer::singleShot(300, [&] {
                auto* logout = Visible<TfrmLogout>();
                QVERIFY(logout);
                logout->findChild<QPushButton*>(c.button)->click();
            });
            hall_->findChild<QPushButton*>("btnClose")->click();
            QCOMPARE(closedSignal, c.closed);
            QCOMPARE(hall_->isVisible(), !c.closed);
            QCOMPARE(restarts_, c.restarts);
            if (c.closed)
                hall_.reset();
        }
    }

    void layoutButtonFlipsTheSetting()
    {
        const bool before = cfg_->RoomLayout;
        hall_->findChild<QPushButton*>("btnLayout")->click();
        QCOMPARE(cfg_->RoomLayout, !before);
        hall_->findChild<QPushButton*>("btnLayout")->click();
        QCOMPARE(cfg_->RoomLayout, before);
    }
};

class ShowMessageTest : public QObject {
    Q_OBJECT
private slots:
    void countsDownAndPressesItself()
    {
        int closed = 0;
        QPointer<TfrmShowMessage> notice = TfrmShowMessage::Show("登录", "服务器连接超时！", [&] { ++closed; }, nullptr);
        auto* ok = notice->findChild<QPushButton*>("btnOK");
        QCOMPARE(ok->text(), QString("确认(5)"));
        QTRY_COMPARE_WITH_TIMEOUT(ok->text(), QString("确认(4)"), 1500);
        QTRY_VERIFY_WITH_TIMEOUT(!notice, 6000);
        QCOMPARE(closed, 1);

        notice = TfrmShowMessage::Show("登录", "x", [&] { ++closed; }, nullptr);
        notice->findChild<QPushButton*>("btnOK")->click();
        QTRY_VERIFY(!notice);
        QCOMPARE(closed, 2);
    }
};

int main(int argc, char** argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    frmRoomHallTest hall;
    ShowMessageTest notice;
    return QTest::qExec(&hall, argc, argv) | QTest::qExec(&notice, argc, argv);
}

#include "frmRoomHall_qtest.moc"
