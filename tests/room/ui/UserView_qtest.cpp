// The user list widget: rows as the users model hands them over, clicks, selection, and the seal
// that is drawn only until it runs out.
#include "room/ui/UserView.h"
#include "support/TestDir.h"

#include <QImage>
#include <QtTest>

using namespace vlk;
using vlk::test::TestDir;

namespace {

TRoomUser User(int32_t number, const char* nickname)
{
    TRoomUser user;
    user.setI32(0, number);
    user.SetNickname(nickname);
    return user;
}

} // namespace

class UserViewTest : public QObject {
    Q_OBJECT
private slots:
    void clicksReportTheRowsUser()
    {
        const TRoomUser a = User(10001, "小明"), b = User(10002, "小红");
        TUserView view;
        view.resize(250, 200);
        view.show();
        view.InsertRow(0, a);
        view.InsertRow(1, b);
        QStringList events;
        view.OnSelectUser = [&](int32_t n) { events << QString("select %1").arg(n); };
        view.OnOperateUser = [&](int32_t n, QPoint) { events << QString("operate %1").arg(n); };
        const QPoint second(40, 34 + 17);
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second);
        QTest::mouseClick(view.viewport(), Qt::RightButton, {}, QPoint(40, 10));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier, QPoint(40, 10));   // with a key: nothing
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(40, 150));                 // below the rows
        QCOMPARE(events, (QStringList{"select 10002", "operate 10001"}));
        QCOMPARE(view.SelectedRow(), 0);

        // Rows come and go around the selection.
        view.RemoveRow(0);
        QCOMPARE(view.SelectedRow(), -1);
        view.SelectUserRow(10002);
        QCOMPARE(view.SelectedRow(), 0);
        view.InsertRow(0, a);
        QCOMPARE(view.SelectedRow(), 1);
        view.MoveRow(1, 0);
        QCOMPARE(view.RowUser(0)->UserNumber(), 10002);
        QCOMPARE(view.SelectedRow(), 0);
    }

    void aSealIsDrawnUntilItRunsOut()
    {
        TestDir dir;
        QImage red(16, 16, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString seal = QString::fromStdString(dir.appPath()) + "seal.png";
        QVERIFY(red.save(seal));

        TRoomUser user = User(10001, "小明");
        user.setI32(139, 3);
        user.setDatetime(143, 46000.5);
        TUserView view;
        view.resize(250, 100);
        view.OnSeal = [&](int32_t number) { return number == 3 ? seal : QString(); };
        view.InsertRow(0, user);
        const QPoint sealCentre(90 + 8, 17);
        for (const auto& [now, drawn] : {std::pair{46000.4, true}, {46000.6, false}}) {
            view.DateTimeNow = [now = now] { return now; };
            const QImage shot = view.viewport()->grab().toImage();
            QCOMPARE(shot.pixelColor(sealCentre) == QColor(Qt::red), drawn);
        }
    }
};

QTEST_MAIN(UserViewTest)

#include "UserView_qtest.moc"
