// vlkchat as a process against vlkserver: logged in by the two command-line arguments, it finds the
// server through its server-list module, loads the hall page and follows the links the page's
// script takes, as a member would click them.
#include "shell/StartUp.h"
#include "shell/TextCipher.h"
#include "support/ServerProcess.h"
#include "support/TestDir.h"

#include <QProcess>
#include <QtTest>

#include <filesystem>

using namespace vlk;
using namespace vlk::test;

namespace {

const std::string kAddress = "127.0.0.33";   // the address the test's server-list module names

std::string Config(uint16_t httpPort)
{
    return R"({"listen": ")" + kAddress + R"(", "httpPort": )" + std::to_string(httpPort) + R"(,
      "accounts": [{"number": 10001, "passwordMd5": ")" + Md5Hex("123456") + R"(", "nickname": "小明"}],
      "rooms": [{"number": 501, "name": "音乐大厅", "line": 1},
                {"number": 502, "name": "K歌之王", "line": 2, "password": "8888"}]})";
}

} // namespace

class HallProcessTest : public QObject {
    Q_OBJECT
private slots:
    void logInFollowLinksAndOpenARoomTab()
    {
        TestDir dir;
        std::filesystem::copy_file(std::string(VLK_TEST_MODULE_DIR) + "/hall/velka_C.key", dir.path() / "velka_C.key");
        const std::string serverLog = (dir.path() / "server.log").string();
        // The server logs what it receives at info level whatever the test run asks of the client.
        qputenv("VLKCHAT_LOG", "info");
        const uint16_t httpPort = FreeTcpPort(kAddress);
        TServerProcess server(dir.appPath() + "vlkserver.json", Config(httpPort), kAddress, httpPort,
                              {"--log", serverLog, "--page-link", "vlkroomid:502,0", "--page-link",
                               "webgame:GuessNumber|10001|5|6", "--page-link", "vlkroomid:501,0"});
        QVERIFY(server.Ready());

        QProcess client;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VLKCHAT_HOME", QString::fromStdString(dir.path().string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VLKCHAT_SCREENSHOT", QString::fromStdString((dir.path() / "hall.png").string()));
        client.setProcessEnvironment(env);
        QStringList args;
        for (const std::string& a : MakeLoginArguments(10001, Md5Hex("123456")))
            args << QString::fromStdString(a);
        client.start(QString(VLK_BIN_DIR) + "/vlkchat", args);
        QVERIFY(client.waitForFinished(60000));
        const QString out = QString::fromUtf8(client.readAllStandardOutput());
        const QString log = QString::fromUtf8(client.readAllStandardError());
        server.Stop();
        const QString serverSide = QString::fromStdString(dir.read("server.log"));

        QCOMPARE(client.exitCode(), 0);
        for (const char* line : {"hall page loaded: http://127.0.0.33", "hall link vlkroomid:502,0",
                                 "asking for the room password", "hall link webgame:GuessNumber|10001|5|6",
                                 "room tab opened: 音乐大厅 (501)"})
            QVERIFY2(log.contains(QString::fromUtf8(line)), qPrintable(line + QString("\n") + log));
        QVERIFY2(out.contains("screenshot of \"2012 小明(10001)\""), qPrintable(out));
        QVERIFY(dir.exists("hall.png"));
        for (const char* line : {"log-in: 10001 (小明)", "enter room: 10001 asks for room 502",
                                 "web game result from 10001 (小明)", "GuessNumber 5 6",
                                 "room information: 10001 for room 501", "log-out: 10001"})
            QVERIFY2(serverSide.contains(QString::fromUtf8(line)), qPrintable(line + QString("\n") + serverSide));
    }
};

QTEST_GUILESS_MAIN(HallProcessTest)

#include "HallProcess_qtest.moc"
