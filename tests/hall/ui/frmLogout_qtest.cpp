// The logout dialog: its three answers, where the advertisement and the buttons go for pictures of
// every width, where it appears over the hall, and the mouse on the picture.
#include "hall/ui/frmLogout.h"
#include "shell/ui/GlobalDM.h"
#include "shell/vlkChatCFG.h"
#include "support/TestDir.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <filesystem>
#include <functional>
#include <memory>

using namespace vlk;
using vlk::test::TestDir;
using Result = TfrmLogout::Result;

namespace {

void InstallSkin(const TestDir& dir)
{
    namespace fs = std::filesystem;
    for (const char* folder : {"Skin", "Picture"})
        fs::copy(fs::path(VLK_BIN_DIR) / folder, dir.path() / folder, fs::copy_options::recursive);
}

struct LogoutScene {
    TestDir dir;
    TvlkChatCFG cfg;
    std::unique_ptr<TGlobalDM> dm;

    LogoutScene()
    {
        InstallSkin(dir);
        cfg.LoadGlobal();
    }
    // Replaces the advertisement with a plain picture of that size; an empty size removes it.
    void UseAdvertisement(QSize size) const
    {
        const QString file = QString::fromStdString(cfg.AppPath) + "Picture/AD/Logout.png";
        QFile::remove(file);
        if (size.isEmpty())
            return;
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkMagenta);
        QVERIFY(picture.save(file));
    }
    std::unique_ptr<TfrmLogout> Create()
    {
        dm = std::make_unique<TGlobalDM>(cfg.AppPath);
        return std::make_unique<TfrmLogout>(cfg, *dm);
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

// Runs the dialog modally over owner; act gets it once it is up.
Result RunOver(TfrmLogout& form, QWidget& owner, const std::function<void(TfrmLogout&)>& act)
{
    QTimer::singleShot(0, &form, [&form, act] { act(form); });
    return form.ShowModalOver(&owner);
}

} // namespace

// Notes the addresses the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class frmLogoutTest : public QObject {
    Q_OBJECT

private slots:
    void eachWayOutGivesItsResult()
    {
        LogoutScene scene;
        QWidget hall;
        hall.resize(800, 600);
        hall.show();
        const struct {
            const char* button;   // nullptr: the Escape key
            Result result;
        } cases[] = {
            {"btnClose", Result::Exit},
            {"btnCancel", Result::Cancel},
            {"btnChangeID", Result::ChangeNumber},
            {nullptr, Result::Cancel},
        };
        for (const auto& c : cases) {
            auto form = scene.Create();
            const Result result = RunOver(*form, hall, [&c](TfrmLogout& f) {
                if (c.button)
                    QTest::mouseClick(Find<QPushButton>(f, c.button), Qt::LeftButton);
                else
                    QTest::keyClick(&f, Qt::Key_Escape);
            });
            QCOMPARE(int(result), int(c.result));
        }
        QCOMPARE(int(Result::Exit), 1);
        QCOMPARE(int(Result::Cancel), 2);
        QCOMPARE(int(Result::ChangeNumber), 4);
    }

    void buttonsKeepTheirCaptionsUnlessTheSkinDrawsThem()
    {
        LogoutScene scene;
        const struct {
            const char* name;
            const char* caption;
            const char* skinName;
        } buttons[] = {
            {"btnChangeID", "切换帐号", "logoutchangeid"},
            {"btnClose", "退出大厅", "logoutexit"},
            {"btnCancel", "取消", "logoutcancel"},
        };
        auto shipped = scene.Create();
        QVERIFY(shipped->windowFlags() & Qt::WindowStaysOnTopHint);
        for (const auto& b : buttons) {
            auto* button = Find<QPushButton>(*shipped, b.name);
            QCOMPARE(button->text(), QString::fromUtf8(b.caption));
            QCOMPARE(button->size(), QSize(105, 70));
        }

        QString sheet;
        for (const auto& b : buttons)
            sheet += QString("QPushButton[skinName=\"%1\"] { border-image: url(app:Picture/Skin/%1.png); }\n").arg(b.skinName);
        scene.dir.write("Skin/Skin.ini", "[Set]\nSkinIndex=0\n[Skins]\nPictures=Pictures.qss\n");
        scene.dir.write("Skin/Pictures.qss", sheet.toStdString());
        auto skinned = scene.Create();
        for (const auto& b : buttons)
            QVERIFY2(Find<QPushButton>(*skinned, b.name)->text().isEmpty(), b.name);
    }

    void theAdvertisementDecidesWidthAndHeight()
    {
        const struct {
            const char* name;
            QSize picture;   // empty: no picture; invalid: the shipped one
            QSize dialog;
            QRect ad;
            int closeLeft, cancelLeft;
        } cases[] = {
            {"no picture", QSize(0, 0), QSize(400, 90), QRect(175, 0, 0, 0), 148, 275},
            {"narrow", QSize(200, 100), QSize(400, 190), QRect(75, 0, 200, 100), 148, 275},
            {"narrowest kept", QSize(350, 120), QSize(400, 210), QRect(0, 0, 350, 120), 148, 275},
            {"just wide", QSize(351, 120), QSize(375, 210), QRect(12, 0, 351, 120), 135, 250},
            {"shipped", QSize(), QSize(380, 250), QRect(0, 0, 380, 160), 137, 255},
            {"wide", QSize(600, 200), QSize(600, 290), QRect(0, 0, 600, 200), 247, 475},
        };
        for (const auto& c : cases) {
            LogoutScene scene;
            if (c.picture.isValid())
                scene.UseAdvertisement(c.picture);
            auto form = scene.Create();
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            const QString name = c.name;
            QVERIFY2(form->size() == c.dialog, qPrintable(name));
            auto* ad = Find<QLabel>(*form, "imgAD");
            QVERIFY2(ad->geometry() == c.ad, qPrintable(name));
            QVERIFY2(ad->pixmap().isNull() == c.ad.isEmpty(), qPrintable(name));
            QVERIFY2(Find<QFrame>(*form, "pnl2")->geometry() == QRect(QPoint(0, 0), c.dialog), qPrintable(name));

            QRect previous;
            const int left[] = {20, c.closeLeft, c.cancelLeft};
            const char* const names[] = {"btnChangeID", "btnClose", "btnCancel"};
            for (int i = 0; i < 3; ++i) {
                const QRect button = Find<QPushButton>(*form, names[i])->geometry();
                QVERIFY2(button == QRect(left[i], c.dialog.height() - 80, 105, 70), qPrintable(name + " " + names[i]));
                QVERIFY2(!button.intersects(previous) && QRect(QPoint(0, 0), c.dialog).contains(button),
                         qPrintable(name + " " + names[i]));
                previous = button;
            }
        }
    }

    void appearsCentredOverTheHallButOnTheScreen()
    {
        LogoutScene scene;
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        const QPoint clampedRight(desktop.left() + desktop.width() - 30, screen.top() + screen.height() - 50);
        const struct {
            const char* name;
            QPoint hall;       // the hall window's outer top-left corner
            bool centred;
            QPoint expected;   // when not centred
        } cases[] = {
            {"over the screen", QPoint(60, 50), true, {}},
            {"beyond the bottom right", screen.bottomRight() - QPoint(100, 60), false, clampedRight},
            {"beyond the top left", QPoint(-500, -400), false, QPoint(desktop.left(), screen.top())},
        };
        for (const auto& c : cases) {
            QWidget hall;
            hall.resize(600, 400);
            hall.move(c.hall);
            hall.show();
            QVERIFY(QTest::qWaitForWindowExposed(&hall));
            QVERIFY2(hall.frameGeometry().topLeft() == c.hall, c.name);
            auto form = scene.Create();
            QRect shown;
            RunOver(*form, hall, [&shown](TfrmLogout& f) {
                shown = f.frameGeometry();
                f.reject();
            });
            QVERIFY2(shown.size() == QSize(380, 250), c.name);   // the shipped picture's dialog
            if (c.centred) {
                QVERIFY2(std::abs(shown.center().x() - hall.frameGeometry().center().x()) <= 1, c.name);
                QVERIFY2(std::abs(shown.center().y() - hall.frameGeometry().center().y()) <= 1, c.name);
            } else {
                QVERIFY2(shown.topLeft() == c.expected,
                         qPrintable(QString("%1: %2,%3").arg(c.name).arg(shown.x()).arg(shown.y())));
            }
        }
    }

    void clickingThePictureOpensTheAdvertisedPage()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        const struct {
            const char* adv;
            QString opened;   // empty: nothing opens
        } cases[] = {
            {"http://www.vlkchat.com/ad?from=logout", "http://www.vlkchat.com/ad?from=logout"},
            {"www.vlkchat.com/ad", "http://www.vlkchat.com/ad"},
            {"", ""},
        };
        for (const auto& c : cases) {
            catcher.opened.clear();
            LogoutScene scene;
            scene.cfg.LogoutAdv = c.adv;
            auto form = scene.Create();
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
            QTest::mouseClick(Find<QLabel>(*form, "imgAD"), Qt::LeftButton);
            if (c.opened.isEmpty()) {
                QVERIFY2(catcher.opened.isEmpty(), c.adv);
            } else {
                QCOMPARE(catcher.opened.size(), 1);
                QCOMPARE(catcher.opened[0].toString(), c.opened);
            }
            QVERIFY(form->isVisible());
        }
        QDesktopServices::unsetUrlHandler("http");
    }

    void draggingThePictureOrThePanelMovesTheDialog()
    {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("http", &catcher, "open");
        LogoutScene scene;
        scene.cfg.LogoutAdv = "http://www.vlkchat.com/ad";
        auto form = scene.Create();
        form->move(100, 80);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* ad = Find<QLabel>(*form, "imgAD");
        auto* panel = Find<QFrame>(*form, "pnl2");
        const struct {
            QWidget* handle;
            QPoint at;
        } cases[] = {
            {ad, QPoint(50, 50)},
            {panel, QPoint(131, form->height() - 40)},   // between two buttons
        };
        for (const auto& c : cases) {
            const QPoint before = form->pos();
            QTest::mousePress(c.handle, Qt::LeftButton, {}, c.at);
            QTest::mouseMove(c.handle, c.at + QPoint(40, 25));
            QTest::mouseRelease(c.handle, Qt::LeftButton, {}, c.at + QPoint(40, 25));
            QCOMPARE(form->pos(), before + QPoint(40, 25));
        }
        QVERIFY2(catcher.opened.isEmpty(), "a drag is not a click");
        QDesktopServices::unsetUrlHandler("http");
    }
};

QTEST_MAIN(frmLogoutTest)
#include "frmLogout_qtest.moc"
