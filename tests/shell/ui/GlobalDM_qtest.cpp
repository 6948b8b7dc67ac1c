// The skin data module over the shipped skins, and the picture-list helper.
#include "shell/IniFile.h"
#include "shell/ui/GlobalDM.h"
#include "shell/ui/ShellHelpers.h"
#include "support/TestDir.h"

#include <QApplication>
#include <QtTest>

#include <filesystem>

using namespace vlk;
using vlk::test::TestDir;

class GlobalDMTest : public QObject {
    Q_OBJECT
private slots:
    void selectsAppliesAndStoresTheSkin()
    {
        TestDir dir;
        std::filesystem::copy(std::filesystem::path(VLK_BIN_DIR) / "Skin", dir.path() / "Skin",
                              std::filesystem::copy_options::recursive);
        TGlobalDM dm(dir.appPath());
        QCOMPARE(dm.Path_App(), QString::fromStdString(dir.appPath()));
        QCOMPARE(dm.SkinList().size(), 2);
        QCOMPARE(dm.CSkinList().size(), 2);
        QCOMPARE(dm.SkinIndex(), 0);
        QVERIFY(!dm.CSkinList().at(1).isEmpty());
        QCOMPARE(qApp->styleSheet(), dm.CSkinList().at(0));
        QVERIFY(!dm.FrameSkin().isEmpty());
        QCOMPARE(QDir::searchPaths("app"), QStringList{dm.Path_App()});

        dm.SetSkinIndex(1);
        QCOMPARE(dm.SkinIndex(), 1);
        QCOMPARE(qApp->styleSheet(), dm.CSkinList().at(1));
        QCOMPARE(TIniFile(dir.appPath() + "Skin/Skin.ini").ReadInteger("Set", "SkinIndex", -1), 1);

        dm.SetSkinIndex(9);   // beyond the list: the first skin, but the choice is still stored
        QCOMPARE(dm.SkinIndex(), 0);
        QCOMPARE(TIniFile(dir.appPath() + "Skin/Skin.ini").ReadInteger("Set", "SkinIndex", -1), 9);
        TGlobalDM reopened(dir.appPath());
        QCOMPARE(reopened.SkinIndex(), 0);
    }

    void noSkinsAtAll()
    {
        TestDir dir;
        TGlobalDM dm(dir.appPath());
        QCOMPARE(dm.SkinIndex(), -1);
        QVERIFY(dm.CSkinData().isEmpty());
        QVERIFY(dm.FrameSkin().isEmpty());
        QCOMPARE(dm.LoginRect(TLoginControl::LabelId), QRect(0, 1, 2, 3));
    }

    void pictureListKeepsAnItemForEveryFile()
    {
        TestDir dir;
        QImage image(4, 3, QImage::Format_ARGB32);
        image.fill(Qt::red);
        const QString good = QString::fromStdString(dir.appPath()) + "good.png";
        QVERIFY(image.save(good));
        dir.write("broken.png", "not a picture");
        QList<QPixmap> list;
        AddPngToList(list, good);
        AddPngToList(list, QString::fromStdString(dir.appPath()) + "missing.png");
        AddPngToList(list, QString::fromStdString(dir.appPath()) + "broken.png");
        QCOMPARE(list.size(), 3);
        QCOMPARE(list[0].size(), QSize(4, 3));
        QVERIFY(list[1].isNull());
        QVERIFY(list[2].isNull());
    }
};

QTEST_MAIN(GlobalDMTest)
#include "GlobalDM_qtest.moc"
