// vlkchat as a process: which window the command line leads to, and how damaged arguments end it.
#include "shell/StartUp.h"
#include "shell/TextCipher.h"
#include "support/TestDir.h"

#include <QProcess>
#include <QtTest>

#include <filesystem>

using namespace vlk;
using vlk::test::TestDir;

namespace {

struct Run {
    int exitCode = -1;
    QString out, err;
};

Run RunClient(const TestDir& dir, const std::vector<std::string>& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VLKCHAT_HOME", QString::fromStdString(dir.path().string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VLKCHAT_SCREENSHOT", QString::fromStdString((dir.path() / "shot.png").string()));
    p.setProcessEnvironment(env);
    QStringList list;
    for (const auto& a : args)
        list << QString::fromStdString(a);
    p.start(QString(VLK_BIN_DIR) + "/vlkchat", list);
    if (!p.waitForFinished(30000))
        p.kill();
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class StartUpProcessTest : public QObject {
    Q_OBJECT
private slots:
    void commandLineDecidesBetweenDialogAndMainWindow()
    {
        TestDir dir;
        dir.write("Config.ini", "[SET]\nSiteName=测试社区\n");
        const auto two = MakeLoginArguments(10001, Md5Hex("pw"));
        const auto guest = std::vector<std::string>{EncipherParam("0", kUserIdParamKey),
                                                    EncipherParam("ignored", kPasswordParamKey)};
        const struct {
            std::vector<std::string> args;
            const char* window;
        } cases[] = {
            {{}, "登录"},
            {{two[0]}, "登录"},
            {{two[0], two[1], "extra"}, "登录"},
            {two, "测试社区"},
            {guest, "测试社区"},
        };
        for (const auto& c : cases) {
            std::filesystem::remove(dir.path() / "shot.png");
            const Run run = RunClient(dir, c.args);
            QCOMPARE(run.exitCode, 0);
            QVERIFY2(run.out.contains(QString("screenshot of \"%1\"").arg(QString::fromUtf8(c.window))),
                     qPrintable(run.out + run.err));
            QVERIFY(dir.exists("shot.png"));
        }
    }

    void damagedArgumentsEndTheProcess()
    {
        TestDir dir;
        const auto good = MakeLoginArguments(7, Md5Hex("pw"));
        for (const auto& args : std::vector<std::vector<std::string>>{{"xyz", good[1]}, {good[0], good[1] + "00"}}) {
            const Run run = RunClient(dir, args);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains("Invalid buffer size for decryption"), qPrintable(run.err));
            QVERIFY(!run.out.contains("screenshot"));
        }
    }
};

QTEST_MAIN(StartUpProcessTest)
#include "StartUpProcess_qtest.moc"
