// The login dialog driven as a member would: keys, clicks, message boxes, over the shipped skin.
#include "shell/LoginInfo.h"
#include "shell/TextCipher.h"
#include "shell/ui/GlobalDM.h"
#include "shell/ui/frmLogin.h"
#include "support/TestDir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <memory>

using namespace vlk;
using vlk::test::TestDir;

namespace {

// The shipped skin and pictures in a fresh program directory.
void InstallSkin(const TestDir& dir)
{
    namespace fs = std::filesystem;
    for (const char* folder : {"Skin", "Picture"})
        fs::copy(fs::path(VLK_BIN_DIR) / folder, dir.path() / folder, fs::copy_options::recursive);
}

// A program directory (with the shipped skin unless told otherwise) and the dialog over it.
struct LoginScene {
    TestDir dir;
    TvlkChatCFG cfg;
    std::unique_ptr<TGlobalDM> dm;
    std::unique_ptr<TfrmLogin> form;

    explicit LoginScene(bool withSkin = true)
    {
        if (withSkin)
            InstallSkin(dir);
        cfg.LoadGlobal();
    }
    // Reads the settings again (a test may have written some) and creates the dialog.
    TfrmLogin& Create()
    {
        cfg.LoadGlobal();
        cfg.LoadSavePwd();
        dm = std::make_unique<TGlobalDM>(cfg.AppPath);
        form = std::make_unique<TfrmLogin>(cfg, *dm);
        return *form;
    }
    bool Show()
    {
        if (!form)
            Create();
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }
};

struct Seen {
    QString text;
    QRect geometry;
    bool shown = false;
};

// Answers the next modal message box with the given button and records what it said.
void AnswerNextMessage(Seen& seen, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [&seen, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = {box->text(), box->frameGeometry(), true};
        box->button(button)->click();
    });
}

} // namespace

class frmLoginTest : public QObject {
    Q_OBJECT
private:
    template <typename T>
    static T* Find(TfrmLogin& form, const char* name)
    {
        auto* w = form.findChild<T*>(name);
        if (!w)
            qFatal("no control %s", name);
        return w;
    }

private slots:
    void laysOutFromTheSkinOverTheBackground()
    {
        LoginScene scene;
        QVERIFY(scene.Show());
        TfrmLogin& form = *scene.form;
        QCOMPARE(form.size(), QSize(424, 299));
        QCOMPARE(form.windowTitle(), QStringLiteral("登录"));
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(Find<QPushButton>(form, "btnLogin")->geometry(), scene.dm->LoginRect(TLoginControl::BtnLogin));
        QCOMPARE(Find<QComboBox>(form, "edtUserID")->geometry(), scene.dm->LoginRect(TLoginControl::EditId));
        QCOMPARE(Find<QLabel>(form, "lblForgotPassword")->geometry(),
                 scene.dm->LoginRect(TLoginControl::LabelForgotPwd));
        QVERIFY(!Find<QLabel>(form, "img_bg")->pixmap().isNull());
        QVERIFY(Find<QPushButton>(form, "btn_TouristUser")->isVisible());
        QVERIFY(Find<QPushButton>(form, "btnLogin")->isDefault());
        QCOMPARE(Find<QLineEdit>(form, "edtUserPwd")->maxLength(), 32);
        QVERIFY(Find<QLabel>(form, "lblForgotPassword")->text().contains(QString::fromStdString(scene.cfg.ForgotPasswordURL)));
        QVERIFY(!qApp->styleSheet().isEmpty());
    }

    void survivesAMissingOrBrokenPictureAndSkin()
    {
        for (const bool broken : {false, true}) {
            LoginScene scene(false);
            if (broken) {
                scene.dir.write("Picture/Login.png", "not a picture");
                scene.dir.write("Skin/Skin.ini", "[Set]\nSkinIndex=7\n[Skins]\nGone=missing.qss\n");
            }
            QVERIFY(scene.Show());
            QCOMPARE(scene.form->size(), QSize(424, 299));
            QVERIFY(Find<QLabel>(*scene.form, "img_bg")->pixmap().isNull());
        }
    }

    void numberBoxIgnoresLettersAndAPastedWordIsRefused()
    {
        LoginScene scene;
        QVERIFY(scene.Show());
        TfrmLogin& form = *scene.form;
        auto* user = Find<QComboBox>(form, "edtUserID");
        auto* password = Find<QLineEdit>(form, "edtUserPwd");

        QTest::keyClicks(user->lineEdit(), "12ab3");
        QCOMPARE(user->currentText(), QString("123"));
        QTest::keyClick(user->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(user->currentText(), QString("12"));

        user->lineEdit()->selectAll();
        user->lineEdit()->insert("abc");   // what a paste does
        QTest::keyClicks(password, "pw");
        Seen seen;
        AnswerNextMessage(seen, QMessageBox::Ok);
        QTest::mouseClick(Find<QPushButton>(form, "btnLogin"), Qt::LeftButton);
        QVERIFY(seen.shown);
        QCOMPARE(seen.text, QStringLiteral("登录号码为数字！"));
        QCOMPARE(user->currentText(), QString());
        QCOMPARE(password->text(), QString());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        // Centred over the dialog (to the pixel lost by halving).
        QVERIFY(std::abs(seen.geometry.center().x() - form.geometry().center().x()) <= 1);
        QVERIFY(std::abs(seen.geometry.center().y() - form.geometry().center().y()) <= 1);
    }

    void logsInWithTheDigestAndRemembersTheChoice()
    {
        LoginScene scene;
        scene.cfg.SaveUserPassword(10002, "stored");
        SaveLoginID(scene.cfg.AppPath, "10002");
        SaveLoginID(scene.cfg.AppPath, "10001");
        TfrmLogin& form = scene.Create();
        auto* user = Find<QComboBox>(form, "edtUserID");
        auto* password = Find<QLineEdit>(form, "edtUserPwd");
        QCOMPARE(user->count(), 2);
        QCOMPARE(user->currentText(), QString("10001"));
        QCOMPARE(password->text(), QString());

        user->setCurrentIndex(1);   // picking a remembered number fills its password
        QCOMPARE(password->text(), QString("stored"));

        QVERIFY(scene.Show());
        Find<QCheckBox>(form, "CBMemPwd")->setChecked(true);
        QTest::keyClick(password, Qt::Key_Return);   // the default button
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.Identity().UserID, 10002);
        QCOMPARE(QString::fromStdString(form.Identity().PasswordDigest), QString::fromStdString(Md5Hex("stored")));
        QVERIFY(scene.cfg.RememberPassword);
        QVERIFY(scene.cfg.SavePwd);
    }

    void guestButtonFollowsTheClientIdAndLogsInAsZero()
    {
        for (const bool client : {false, true}) {
            LoginScene scene;
            if (client)
                scene.dir.write("site.ini", "[SET]\nClientID=5\n");
            QVERIFY(scene.Show());
            auto* guest = Find<QPushButton>(*scene.form, "btn_TouristUser");
            QCOMPARE(guest->isVisible(), !client);
            if (!client) {
                QTest::mouseClick(guest, Qt::LeftButton);
                QCOMPARE(scene.form->result(), int(QDialog::Accepted));
                QCOMPARE(scene.form->Identity().UserID, 0);
                QVERIFY(scene.form->Identity().PasswordDigest.empty());
            }
        }
    }

    void deleteRecordAsksFirst()
    {
        LoginScene scene;
        scene.cfg.SaveUserPassword(321, "pw");
        SaveLoginID(scene.cfg.AppPath, "321");
        QVERIFY(scene.Show());
        TfrmLogin& form = *scene.form;
        auto* del = Find<QLabel>(form, "LabDelUser");

        Seen seen;
        AnswerNextMessage(seen, QMessageBox::Cancel);
        emit del->linkActivated("#delete");
        QCOMPARE(seen.text, QStringLiteral("此操作将删除该帐号的所有信息"));
        QVERIFY(scene.dir.exists("321"));

        AnswerNextMessage(seen, QMessageBox::Ok);
        emit del->linkActivated("#delete");
        QVERIFY(!scene.dir.exists("321"));
        QCOMPARE(Find<QComboBox>(form, "edtUserID")->count(), 0);
        QCOMPARE(Find<QComboBox>(form, "edtUserID")->currentText(), QString());
        QCOMPARE(Find<QLineEdit>(form, "edtUserPwd")->text(), QString());
    }
};

QTEST_MAIN(frmLoginTest)
#include "frmLogin_qtest.moc"
