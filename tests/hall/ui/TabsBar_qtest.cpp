// The hall's tab bar as a widget: tabs standing for real widgets, the events, the mouse, and the
// picture it paints.
#include "hall/ui/TabsBar.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPainter>
#include <QtTest>

using namespace vlk;

namespace {

// Records every event of a bar as one line each.
struct EventLog {
    QStringList lines;

    void Attach(TTabsBar& bar)
    {
        bar.OnAddTab = [this, &bar](TTabsBar* sender, TObjectTab* tab) {
            lines << (sender == &bar ? "add " : "add? ") + tab->Caption();
        };
        bar.OnDeleteTab = [this, &bar](TTabsBar* sender) {
            lines << (sender == &bar ? "delete" : "delete?");
        };
        bar.OnTabMouseDown = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                    TObjectTab* tab) {
            lines << QString("down %1 %2 %3")
                         .arg(button == Qt::LeftButton ? "left" : "right")
                         .arg(shift & Qt::ShiftModifier ? "shift" : "-")
                         .arg(tab->Caption());
        };
        bar.OnTabMouseEnter = [this](TObjectTab* tab) { lines << "enter " + tab->Caption(); };
        bar.OnTabMouseLeave = [this](TObjectTab* tab) { lines << "leave " + tab->Caption(); };
    }
    QStringList Take() { return std::exchange(lines, {}); }
};

QList<int> States(const TTabsBar& bar)
{
    QList<int> states;
    for (int i = 0; i < bar.TabCount(); ++i)
        states << bar.Tabs(i)->State();
    return states;
}

void MoveTo(QWidget& widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
}

void Leave(QWidget& widget)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
}

void FlushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QPixmap Icon(const QColor& color)
{
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(color);
    p.setPen(color.darker(150));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(5, 5, 6, 6));
    return icon;
}

// A hall-like page: the bar and the pages its tabs stand for, stacked in one area.
struct Hall {
    QWidget window;
    TTabsBar* bar = new TTabsBar(&window);
    QWidget* pages = new QWidget(&window);
    QWidget* hallPanel = new QWidget(pages);

    QWidget* Room() { return new QWidget(pages); }
    QWidget* Front() const { return qobject_cast<QWidget*>(pages->children().last()); }
};

} // namespace

class TabsBarTest : public QObject {
    Q_OBJECT
private slots:
    void defaults()
    {
        TTabsBar bar;
        QCOMPARE(bar.size(), QSize(150, 21));
        QCOMPARE(bar.ActiveTabIndex(), -1);
        QCOMPARE(bar.TabCount(), 0);
        QCOMPARE(bar.TabWidth(), 100);
        QCOMPARE(bar.Interval(), 3);
        QCOMPARE(bar.TabPosition(), TTabPosition::tpTop);
        QVERIFY(bar.UseSkinFont());
        QVERIFY(!bar.BGTransparent());
        QCOMPARE(bar.DefaultFont().pixelSize(), 13);
        const bool tahoma = QFontDatabase::families().contains("Tahoma", Qt::CaseInsensitive);
        QCOMPARE(bar.DefaultFont().family(),
                 tahoma ? QString("Tahoma") : QApplication::font().family());
        QCOMPARE(bar.font().pixelSize(), 13);
        QCOMPARE(bar.Tabs(0), nullptr);
        QCOMPARE(bar.TabAt(1, 1), nullptr);
        bar.SetActiveTabIndex(2);
        QCOMPARE(bar.ActiveTabIndex(), -1);
    }

    void addActivatesAndBringsThePageToTheFront()
    {
        Hall hall;
        EventLog log;
        log.Attach(*hall.bar);
        QWidget* room1 = hall.Room();
        QWidget* room2 = hall.Room();

        TObjectTab* hallTab = hall.bar->AddTab("聊天大厅", hall.hallPanel);
        QCOMPARE(hall.Front(), hall.hallPanel);
        QCOMPARE(hallTab->Bar(), hall.bar);
        QCOMPARE(hallTab->Control(), hall.hallPanel);
        QCOMPARE(hallTab->ImageIndex(), -1);
        hall.bar->AddTab("房间一", room1, true);
        TObjectTab* second = hall.bar->AddTab("房间二", room2, true);
        QCOMPARE(log.Take(), QStringList({"add 聊天大厅", "add 房间一", "add 房间二"}));
        QCOMPARE(States(*hall.bar), QList<int>({tsNormal, tsNormal, tsActive}));
        QCOMPARE(hall.bar->ActiveTabIndex(), 2);
        QCOMPARE(hall.bar->FindTab(room2), second);
        QCOMPARE(hall.bar->FindTab(hall.pages), nullptr);

        hall.bar->SetActiveTabIndex(0);
        QCOMPARE(hall.Front(), hall.hallPanel);
        hall.bar->SetActiveTabIndex(99);
        QCOMPARE(hall.bar->ActiveTabIndex(), 2);
        QCOMPARE(hall.Front(), room2);

        hall.bar->Tabs(1)->SetState(tsActive);
        QCOMPARE(hall.bar->ActiveTabIndex(), 1);
        QCOMPARE(hall.Front(), room1);
        QCOMPARE(States(*hall.bar), QList<int>({tsNormal, tsActive, tsNormal}));
    }

    void removeClosesFormsAndMovesTheActiveTab()
    {
        Hall hall;
        EventLog log;
        hall.bar->AddTab("聊天大厅", hall.hallPanel);
        QPointer<QWidget> room1 = hall.Room();
        QPointer<QWidget> room2 = hall.Room();
        QPointer<QWidget> room3 = hall.Room();
        hall.bar->AddTab("房间一", room1, true);
        hall.bar->AddTab("房间二", room2, true);
        hall.bar->AddTab("房间三", room3, true);
        log.Attach(*hall.bar);

        // The active last tab: the new last one takes over, and its page comes to the front.
        hall.bar->RemoveTab(room3);
        QCOMPARE(log.Take(), QStringList({"leave 房间三", "delete"}));
        QCOMPARE(hall.bar->TabCount(), 3);
        QCOMPARE(hall.bar->ActiveTabIndex(), 2);
        QCOMPARE(States(*hall.bar), QList<int>({tsNormal, tsNormal, tsActive}));
        QCOMPARE(hall.Front(), room2.data());
        QVERIFY(room3 && room3->isHidden());   // closed at once, freed from the event loop
        FlushDeletes();
        QVERIFY(!room3);

        // A tab that is not active: no leave, and the page on show stays on show.
        hall.bar->RemoveTabAt(1);
        QCOMPARE(log.Take(), QStringList({"delete"}));
        QCOMPARE(hall.bar->ActiveTabIndex(), 1);
        QCOMPARE(hall.bar->Tabs(1)->Control(), room2.data());
        QCOMPARE(States(*hall.bar), QList<int>({tsNormal, tsActive}));
        FlushDeletes();
        QVERIFY(!room1);

        // Unknown controls and indexes do nothing.
        hall.bar->RemoveTab(hall.pages);
        hall.bar->RemoveTabAt(-1);
        hall.bar->RemoveTabAt(2);
        QVERIFY(log.Take().isEmpty());
        QCOMPARE(hall.bar->TabCount(), 2);

        // The hall panel is no form: its tab goes, the panel stays.
        hall.bar->SetActiveTabIndex(0);
        hall.bar->RemoveTab(hall.hallPanel);
        FlushDeletes();
        QVERIFY(!hall.hallPanel->isHidden());
        QCOMPARE(hall.bar->ActiveTabIndex(), 0);
        QCOMPARE(hall.bar->Tabs(0)->Control(), room2.data());
        hall.bar->RemoveTab(room2);
        QCOMPARE(hall.bar->ActiveTabIndex(), -1);
    }

    void aFormMayAskForItsOwnRemoval()
    {
        Hall hall;
        hall.bar->AddTab("聊天大厅", hall.hallPanel);
        QPointer<QWidget> room = hall.Room();
        hall.bar->AddTab("房间一", room, true);
        // The room's exit callback runs inside the room; it must still exist when it returns.
        hall.bar->OnDeleteTab = [&](TTabsBar*) { QVERIFY(room); };
        hall.bar->RemoveTab(room);
        QVERIFY(room);
        FlushDeletes();
        QVERIFY(!room);
    }

    void aControlDestroyedElsewhereLeavesAnEmptyTab()
    {
        Hall hall;
        QWidget* room = hall.Room();
        hall.bar->AddTab("房间一", room, true);
        hall.bar->AddTab("聊天大厅", hall.hallPanel);
        delete room;
        QCOMPARE(hall.bar->Tabs(0)->Control(), nullptr);
        hall.bar->SetActiveTabIndex(0);
        hall.bar->CloseAll();
        QCOMPARE(hall.bar->TabCount(), 0);
    }

    void closeAllFreesFormsOnly()
    {
        Hall hall;
        EventLog log;
        hall.bar->AddTab("聊天大厅", hall.hallPanel);
        QPointer<QWidget> room1 = hall.Room();
        QPointer<QWidget> room2 = hall.Room();
        hall.bar->AddTab("房间一", room1, true);
        hall.bar->AddTab("房间二", room2, true);
        hall.bar->MarkTab(room1);
        log.Attach(*hall.bar);
        hall.bar->CloseAll();
        FlushDeletes();
        QVERIFY(log.Take().isEmpty());
        QCOMPARE(hall.bar->TabCount(), 0);
        QCOMPARE(hall.bar->ActiveTabIndex(), -1);
        QVERIFY(!room1 && !room2);
        QVERIFY(!hall.hallPanel->isHidden());
    }

    void markTabShowsAttentionUntilActivated()
    {
        Hall hall;
        hall.bar->resize(640, 24);
        hall.bar->SetTabPosition(TTabPosition::tpBottom);
        QWidget* room1 = hall.Room();
        QWidget* room2 = hall.Room();
        hall.bar->AddTab("聊天大厅", hall.hallPanel);
        hall.bar->AddTab("房间一", room1, true);
        hall.bar->AddTab("房间二", room2, true);

        hall.bar->MarkTab(room2);   // the active tab
        hall.bar->Tabs(2)->SetState(tsAttention);
        QCOMPARE(States(*hall.bar), QList<int>({tsNormal, tsNormal, tsActive}));

        hall.bar->MarkTab(room1);
        QCOMPARE(States(*hall.bar), QList<int>({tsNormal, tsAttention, tsActive}));
        const QRect marked = hall.bar->Tabs(1)->Rect();
        const QPoint sample(marked.left() + 3, marked.bottom() - 3);
        QCOMPARE(hall.bar->grab().toImage().pixelColor(sample), QColor(133, 147, 181));

        // It blinks: within a second it has shown something else and the colour again.
        QTRY_VERIFY_WITH_TIMEOUT(
            hall.bar->grab().toImage().pixelColor(sample) != QColor(133, 147, 181), 1500);
        QTRY_COMPARE_WITH_TIMEOUT(hall.bar->grab().toImage().pixelColor(sample),
                                  QColor(133, 147, 181), 1500);

        hall.bar->SetActiveTabIndex(1);
        QCOMPARE(States(*hall.bar), QList<int>({tsNormal, tsActive, tsNormal}));
        QCOMPARE(hall.bar->grab().toImage().pixelColor(sample), QColor(182, 189, 210));
    }

    void mouseTracksTheHotTabAndActivates()
    {
        Hall hall;
        hall.window.resize(700, 300);
        hall.bar->resize(640, 24);
        EventLog log;
        QWidget* room1 = hall.Room();
        QWidget* room2 = hall.Room();
        hall.bar->AddTab("聊天大厅", hall.hallPanel);
        hall.bar->AddTab("房间一", room1, true);
        hall.bar->AddTab("房间二", room2, true);
        hall.bar->MarkTab(hall.hallPanel);
        log.Attach(*hall.bar);
        hall.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&hall.window));
        log.Take();

        const auto centre = [&](int i) { return hall.bar->Tabs(i)->Rect().center(); };
        MoveTo(*hall.bar, centre(1));
        QCOMPARE(States(*hall.bar), QList<int>({tsAttention, tsHot, tsActive}));
        MoveTo(*hall.bar, centre(1) + QPoint(5, 0));   // within the same tab: nothing new
        MoveTo(*hall.bar, centre(2));
        QCOMPARE(States(*hall.bar), QList<int>({tsAttention, tsNormal, tsActive}));
        MoveTo(*hall.bar, centre(0));
        MoveTo(*hall.bar, QPoint(hall.bar->Tabs(0)->Rect().right() + 2, 10));   // the gap
        MoveTo(*hall.bar, centre(1));
        Leave(*hall.bar);
        QCOMPARE(States(*hall.bar), QList<int>({tsAttention, tsNormal, tsActive}));
        QCOMPARE(log.Take(), QStringList({"enter 房间一", "leave 房间一", "enter 房间二",
                                          "leave 房间二", "enter 聊天大厅", "leave 聊天大厅",
                                          "enter 房间一", "leave 房间一"}));

        // A right click reports the tab but does not activate it; a left click does.
        MoveTo(*hall.bar, centre(1));
        QTest::mousePress(hall.bar, Qt::RightButton, Qt::ShiftModifier, centre(1));
        QCOMPARE(hall.bar->ActiveTabIndex(), 2);
        QTest::mousePress(hall.bar, Qt::LeftButton, Qt::NoModifier, centre(0));
        QCOMPARE(hall.bar->ActiveTabIndex(), 0);
        QCOMPARE(hall.Front(), hall.hallPanel);
        QCOMPARE(States(*hall.bar), QList<int>({tsActive, tsHot, tsNormal}));
        QTest::mousePress(hall.bar, Qt::LeftButton, Qt::NoModifier, QPoint(630, 10));
        QCOMPARE(hall.bar->ActiveTabIndex(), 0);
        QCOMPARE(log.Take(), QStringList({"enter 房间一", "down right shift 房间一",
                                          "down left - 聊天大厅"}));
    }

    void removingTheHoveredTabForgetsIt()
    {
        Hall hall;
        hall.bar->resize(640, 24);
        EventLog log;
        QWidget* room1 = hall.Room();
        hall.bar->AddTab("房间一", room1, true);
        hall.bar->AddTab("聊天大厅", hall.hallPanel);
        log.Attach(*hall.bar);
        MoveTo(*hall.bar, hall.bar->Tabs(0)->Rect().center());
        hall.bar->RemoveTab(room1);
        Leave(*hall.bar);
        QCOMPARE(log.Take(), QStringList({"enter 房间一", "delete"}));
    }

    void paintsEveryStateAlongBothEdges()
    {
        const QList<QPixmap> images{Icon(QColor(46, 125, 50)), Icon(QColor(30, 90, 180))};
        QWidget page;
        QStringList captions{"聊天大厅", "激情 K 歌房 8888", "新人报到区", "深夜电台"};

        TTabsBar across;
        across.resize(640, 24);
        across.SetTabPosition(TTabPosition::tpBottom);
        across.SetImages(images);
        TTabsBar down;
        down.resize(30, 440);
        down.SetTabPosition(TTabPosition::tpLeft);
        down.SetImages(images);
        for (TTabsBar* bar : {&across, &down}) {
            QList<QWidget*> rooms;
            for (int i = 0; i < captions.size(); ++i) {
                rooms << new QWidget(&page);
                bar->AddTab(captions[i], rooms[i])->SetImageIndex(i == 0 ? 0 : 1);
            }
            bar->SetActiveTabIndex(0);
            bar->MarkTab(rooms[1]);
            MoveTo(*bar, bar->Tabs(2)->Rect().center());
        }
        QCOMPARE(States(across), QList<int>({tsActive, tsAttention, tsHot, tsNormal}));
        QCOMPARE(States(down), States(across));

        // The caption is shortened to fit and never runs over the next tab.
        const QImage bar = across.grab().toImage();
        const QRect gap(across.Tabs(1)->Rect().right() + 1, 0, across.Interval(), 20);
        for (int x = gap.left(); x <= gap.right(); ++x)
            for (int y = 0; y < gap.height(); ++y)
                QCOMPARE(bar.pixelColor(x, y), across.palette().color(QPalette::Window));

        // The hall's caption strip with the transparent bar over it and the page below; then
        // the bar on its own background along each edge.
        QImage sheet(680, 620, QImage::Format_ARGB32);
        sheet.fill(QColor(236, 239, 245));
        QPainter p(&sheet);
        QLinearGradient strip(0, 0, 0, 46);
        strip.setColorAt(0, QColor(92, 120, 180));
        strip.setColorAt(1, QColor(58, 84, 140));
        p.fillRect(QRect(0, 0, 680, 46), strip);
        p.fillRect(QRect(0, 46, 680, 40), Qt::white);
        across.SetBGTransparent(true);
        across.render(&p, QPoint(20, 22), QRegion(), QWidget::DrawChildren);
        across.SetBGTransparent(false);
        across.SetTabPosition(TTabPosition::tpTop);
        p.drawPixmap(20, 110, across.grab());
        p.drawPixmap(20, 160, down.grab());
        down.SetTabPosition(TTabPosition::tpRight);
        p.drawPixmap(70, 160, down.grab());
        p.end();
        QVERIFY(sheet.save("/tmp/tabsbar.png"));
    }

    void skinPicturesReplaceTheColours()
    {
        TTabsBar bar;
        bar.resize(320, 24);
        QWidget page;
        QWidget* a = new QWidget(&page);
        QWidget* b = new QWidget(&page);
        bar.AddTab("a", a);
        bar.AddTab("b", b);
        QPixmap normal(10, 10);
        normal.fill(QColor(10, 200, 10));
        bar.SetSkinPictures({normal});
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.pixelColor(2, 2), QColor(10, 200, 10));                 // normal: picture
        QVERIFY(image.pixelColor(105, 20) != QColor(10, 200, 10));             // active: colours
    }
};

QTEST_MAIN(TabsBarTest)
#include "TabsBar_qtest.moc"
