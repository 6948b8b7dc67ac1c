// The registration dialog driven as a member would, over the shipped skin and pictures, against a
// real vlkserver on its own loopback address.
#include "base/ui/QtClock.h"
#include "hall/ui/frmRegister.h"
#include "shell/TextCipher.h"
#include "shell/ui/GlobalDM.h"
#include "support/ServerProcess.h"
#include "support/TestDir.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <arpa/inet.h>

#include <filesystem>
#include <memory>

using namespace vlk;
using vlk::test::TestDir;
using vlk::test::TServerProcess;

namespace {

const std::string kServerAddress = "127.0.0.31";

// The shipped skin and pictures in a fresh program directory.
void InstallSkin(const TestDir& dir)
{
    namespace fs = std::filesystem;
    for (const char* folder : {"Skin", "Picture"})
        fs::copy(fs::path(VLK_BIN_DIR) / folder, dir.path() / folder, fs::copy_options::recursive);
}

std::string ServerConfig(const std::string& address, uint16_t httpPort)
{
    return R"({"listen": ")" + address + R"(", "httpPort": )" + std::to_string(httpPort) + R"(,
      "accounts": [{"number": 10001, "passwordMd5": ")" + Md5Hex("123456") + R"(", "nickname": "小明"}],
      "rooms": [{"number": 501, "name": "音乐大厅", "line": 1}]})";
}

// Presses OK on every message box that comes up, noting what it said, where and when.
class MessageWatch : public QObject {
public:
    struct Seen {
        QString text;
        QMessageBox::Icon icon;
        QRect geometry;
        qint64 at;   // ms since the watch started
    };
    QList<Seen> seen;
    QElapsedTimer clock;

    MessageWatch()
    {
        clock.start();
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start(20);
    }

private:
    void Poll()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        seen.append({box->text(), box->icon(), box->frameGeometry(), clock.elapsed()});
        box->button(QMessageBox::Ok)->click();
    }
    QTimer timer_;
};

struct RegisterScene {
    TestDir dir;
    TvlkChatCFG cfg;
    std::unique_ptr<TGlobalDM> dm;

    explicit RegisterScene(bool withPictures = true)
    {
        if (withPictures)
            InstallSkin(dir);
        cfg.LoadGlobal();
        cfg.ServerAddresses.clear();
        cfg.ServerCount = 0;
        dm = std::make_unique<TGlobalDM>(cfg.AppPath);
    }
    void UseServer(const std::string& address)
    {
        cfg.ServerAddresses = {inet_addr(address.c_str())};
        cfg.ServerCount = 1;
    }
};

template <typename T>
T* Find(QWidget& form, const char* name)
{
    auto* w = form.findChild<T*>(name);
    if (!w)
        qFatal("no control %s", name);
    return w;
}

void Fill(QWidget& form, const QString& nickname, const QString& password, const QString& confirmation)
{
    Find<QLineEdit>(form, "edt_NickName")->setText(nickname);
    Find<QLineEdit>(form, "edt_Pwd")->setText(password);
    Find<QLineEdit>(form, "edt_Pwds")->setText(confirmation);
}

bool CentredOver(const QRect& box, const QWidget& owner)
{
    return std::abs(box.center().x() - owner.frameGeometry().center().x()) <= 1 &&
           std::abs(box.center().y() - owner.frameGeometry().center().y()) <= 1;
}

} // namespace

class frmRegisterTest : public QObject {
    Q_OBJECT
    QtClock clock_;
    ClockScope clockScope_{clock_};

private slots:
    void showsBothSectionsWithTheirLimitsAndDefaults()
    {
        RegisterScene scene;
        TfrmRegister form(scene.cfg, *scene.dm);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.windowTitle(), QStringLiteral("用户注册"));
        QCOMPARE(form.size(), QSize(340, 320));
        QCOMPARE(Find<QGroupBox>(form, "grp_Basic")->title(), QStringLiteral("基本资料(必填)"));
        QCOMPARE(Find<QGroupBox>(form, "grp_Detail")->title(), QStringLiteral("详细资料(选填)"));

        const struct {
            const char* name;
            int maxLength;
            bool password;
        } edits[] = {
            {"edt_NickName", 30, false}, {"edt_Pwd", 32, true},    {"edt_Pwds", 32, true},
            {"edt_Country", 50, false},  {"edt_Province", 50, false}, {"edt_Phone", 30, false},
            {"edt_Mobile", 30, false},   {"edt_QQ", 30, false},    {"edt_Email", 50, false},
        };
        for (const auto& e : edits) {
            auto* edit = Find<QLineEdit>(form, e.name);
            QVERIFY2(edit->maxLength() == e.maxLength, e.name);
            QVERIFY2((edit->echoMode() == QLineEdit::Password) == e.password, e.name);
            QVERIFY2(edit->text().isEmpty(), e.name);
            QVERIFY2(edit->isVisible() && !edit->visibleRegion().isEmpty(), e.name);
        }
        QTest::keyClicks(Find<QLineEdit>(form, "edt_NickName"), QString(31, 'n'));
        QCOMPARE(Find<QLineEdit>(form, "edt_NickName")->text(), QString(30, 'n'));

        auto* age = Find<QSpinBox>(form, "edt_Age");
        QCOMPARE(age->minimum(), 18);
        QCOMPARE(age->maximum(), 99);
        QCOMPARE(age->value(), 18);
        auto* sex = Find<QComboBox>(form, "cbb_Sex");
        QCOMPARE(sex->count(), 2);
        QCOMPARE(sex->itemText(0), QStringLiteral("男"));
        QCOMPARE(sex->itemText(1), QStringLiteral("女"));
        QCOMPARE(sex->currentIndex(), 0);

        // Labels of the mandatory section say so; the optional ones do not.
        for (QLabel* label : Find<QGroupBox>(form, "grp_Basic")->findChildren<QLabel*>())
            QVERIFY2(label->text().startsWith("* "), qPrintable(label->text()));
        for (QLabel* label : Find<QGroupBox>(form, "grp_Detail")->findChildren<QLabel*>())
            QVERIFY2(!label->text().startsWith("*"), qPrintable(label->text()));

        auto* note = Find<QPlainTextEdit>(form, "mmo_Note");
        note->setFocus();
        note->insertPlainText(QString(249, 'x'));
        QTest::keyClicks(note, "yz");
        QCOMPARE(note->toPlainText(), QString(249, 'x') + "y");

        QCOMPARE(Find<QPushButton>(form, "btn_Register")->text(), QStringLiteral("注册"));
        QCOMPARE(Find<QPushButton>(form, "btn_Cancel")->text(), QStringLiteral("取消"));
        QTest::mouseClick(Find<QPushButton>(form, "btn_Cancel"), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
    }

    void headMenuOffersEveryPictureOfTheStrip()
    {
        RegisterScene scene;
        const QImage strip(QString::fromStdString(scene.cfg.AppPath) + "Picture/User/UserHead_32.bmp");
        QVERIFY(!strip.isNull());
        QCOMPARE(strip.height(), 32);
        TfrmRegister form(scene.cfg, *scene.dm);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* head = Find<QToolButton>(form, "btn_Head");
        auto* menu = Find<QMenu>(form, "bsknmgsmn1");
        QVERIFY(head->autoRaise());
        const auto items = [&] { return menu->findChildren<QToolButton*>(); };
        QCOMPARE(items().size(), strip.width() / 32);

        const auto shows = [&](int index) {
            const QImage shown = head->icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_RGB32);
            return shown == strip.copy(index * 32, 0, 32, 32).convertToFormat(QImage::Format_RGB32);
        };
        QVERIFY(shows(0));
        QTest::mouseClick(head, Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(items().at(3), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        QVERIFY(shows(3));
        QVERIFY(!shows(0));
        QCOMPARE(items().at(3)->iconSize(), QSize(32, 32));

        // Showing the dialog again does not repeat the pictures.
        form.hide();
        form.show();
        QTRY_COMPARE(items().size(), strip.width() / 32);
    }

    void withoutTheStripThereIsNothingToChoose()
    {
        RegisterScene scene(false);
        TfrmRegister form(scene.cfg, *scene.dm);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(Find<QMenu>(form, "bsknmgsmn1")->findChildren<QToolButton*>().isEmpty());
        QVERIFY(Find<QToolButton>(form, "btn_Head")->icon().isNull());
    }

    void incompleteOrMismatchedFieldsAreRefusedOverTheDialog()
    {
        RegisterScene scene;
        TfrmRegister form(scene.cfg, *scene.dm);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* registerButton = Find<QPushButton>(form, "btn_Register");
        const struct {
            QString nickname, password, confirmation, message;
        } cases[] = {
            {"", "pw", "pw", QStringLiteral("资料没有填写完整！")},
            {QStringLiteral("小明"), "", "pw", QStringLiteral("资料没有填写完整！")},
            {QStringLiteral("小明"), "pw", "", QStringLiteral("资料没有填写完整！")},
            {QStringLiteral("小明"), "pw", "pw2", QStringLiteral("两次输入密码不相同！")},
        };
        for (const auto& c : cases) {
            MessageWatch watch;
            Fill(form, c.nickname, c.password, c.confirmation);
            QTest::mouseClick(registerButton, Qt::LeftButton);
            QCOMPARE(watch.seen.size(), 1);
            QCOMPARE(watch.seen[0].text, c.message);
            QCOMPARE(watch.seen[0].icon, QMessageBox::Critical);
            QVERIFY(CentredOver(watch.seen[0].geometry, form));
            QVERIFY(registerButton->isEnabled());
            QVERIFY(form.isVisible());
        }
    }

    void anEmptyServerListFailsAfterTwoSeconds()
    {
        RegisterScene scene;
        TfrmRegister form(scene.cfg, *scene.dm);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* registerButton = Find<QPushButton>(form, "btn_Register");
        Fill(form, QStringLiteral("小明"), "secret", "secret");
        MessageWatch watch;
        QTest::mouseClick(registerButton, Qt::LeftButton);
        QVERIFY(!registerButton->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(watch.seen.size(), 1, 5000);
        QCOMPARE(watch.seen[0].text, QStringLiteral("注册失败！"));
        QVERIFY2(watch.seen[0].at >= 1900 && watch.seen[0].at < 3500, qPrintable(QString::number(watch.seen[0].at)));
        QVERIFY(registerButton->isEnabled());
        QVERIFY(form.isVisible());
        QCOMPARE(form.Registration().UserID, 0);
    }

    void closingTheDialogEndsTheAttempt()
    {
        RegisterScene scene;
        TfrmRegister form(scene.cfg, *scene.dm);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Fill(form, QStringLiteral("小明"), "secret", "secret");
        MessageWatch watch;
        QTest::mouseClick(Find<QPushButton>(form, "btn_Register"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>(form, "btn_Cancel"), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QTest::qWait(2500);
        QVERIFY2(watch.seen.isEmpty(), "no failure over a closed dialog");
    }

    void registersWithTheServerAndHandsBackNumberAndPassword()
    {
        RegisterScene scene;
        const uint16_t httpPort = vlk::test::FreeTcpPort(kServerAddress);
        TServerProcess server(scene.dir.appPath() + "vlkserver.json", ServerConfig(kServerAddress, httpPort),
                              kServerAddress, httpPort);
        QVERIFY(server.Ready());
        scene.UseServer(kServerAddress);

        QWidget owner;
        owner.resize(600, 500);
        owner.show();
        MessageWatch watch;
        QRect dialog;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TfrmRegister*>(QApplication::activeModalWidget());
            QVERIFY(form);
            dialog = form->frameGeometry();
            Fill(*form, QStringLiteral("新朋友"), QStringLiteral("密码123"), QStringLiteral("密码123"));
            QTest::mouseClick(Find<QPushButton>(*form, "btn_Register"), Qt::LeftButton);
        });
        const std::optional<TRegistration> registration = RunRegistrationDialog(scene.cfg, *scene.dm, &owner);

        QVERIFY(registration);
        QVERIFY(registration->UserID > 0);
        QCOMPARE(QString::fromStdString(registration->Password), QStringLiteral("密码123"));
        QCOMPARE(watch.seen.size(), 1);
        QCOMPARE(watch.seen[0].text, QStringLiteral("请牢记您的ID：%1").arg(registration->UserID));
        QCOMPARE(watch.seen[0].icon, QMessageBox::Information);
        QVERIFY2(watch.seen[0].at < 4000, "the first server answers within its two seconds");
        QVERIFY(std::abs(watch.seen[0].geometry.center().x() - dialog.center().x()) <= 1);
        QVERIFY(std::abs(watch.seen[0].geometry.center().y() - dialog.center().y()) <= 1);
    }

    void cancellingHandsBackNothing()
    {
        RegisterScene scene;
        QTimer::singleShot(0, [] {
            auto* form = qobject_cast<TfrmRegister*>(QApplication::activeModalWidget());
            QVERIFY(form);
            QTest::mouseClick(Find<QPushButton>(*form, "btn_Cancel"), Qt::LeftButton);
        });
        QVERIFY(!RunRegistrationDialog(scene.cfg, *scene.dm, nullptr));
    }
};

QTEST_MAIN(frmRegisterTest)
#include "frmRegister_qtest.moc"
