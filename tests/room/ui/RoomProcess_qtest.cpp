// Three vlkchat processes in one room of one vlkserver: the room's owner, a member and a hidden
// member. Each sees the others in "朋友(%d)" as its rights allow, and a member who leaves goes
// from the others' lists.
#include "shell/StartUp.h"
#include "shell/TextCipher.h"
#include "support/ServerProcess.h"
#include "support/TestDir.h"

#include <QProcess>
#include <QtTest>

#include <filesystem>
#include <memory>

using namespace vlk;
using namespace vlk::test;

namespace {

const std::string kAddress = "127.0.0.34";   // the address the test's server-list module names

std::string Config(uint16_t httpPort)
{
    const std::string digest = Md5Hex("123456");
    return R"({"listen": ")" + kAddress + R"(", "httpPort": )" + std::to_string(httpPort) + R"(,
      "accounts": [{"number": 10001, "passwordMd5": ")" + digest + R"(", "nickname": "室主"},
                   {"number": 10002, "passwordMd5": ")" + digest + R"(", "nickname": "会员"},
                   {"number": 10003, "passwordMd5": ")" + digest + R"(", "nickname": "隐身", "hidden": true}],
      "rooms": [{"number": 501, "name": "音乐大厅", "line": 1, "owner": 10001}]})";
}

// One client; its log is collected as it runs.
struct Client {
    QProcess process;
    QString log;

    Client(const TestDir& dir, int32_t number, const QString& screenshot = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VLKCHAT_HOME", QString::fromStdString(dir.path().string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("VLKCHAT_LOG", "info");
        if (!screenshot.isEmpty())
            env.insert("VLKCHAT_SCREENSHOT", screenshot);
        process.setProcessEnvironment(env);
        QObject::connect(&process, &QProcess::readyReadStandardError,
                         [this] { log += QString::fromUtf8(process.readAllStandardError()); });
        QStringList args;
        for (const std::string& a : MakeLoginArguments(number, Md5Hex("123456")))
            args << QString::fromStdString(a);
        process.start(QString(VLK_BIN_DIR) + "/vlkchat", args);
    }
    ~Client()
    {
        process.kill();
        process.waitForFinished(5000);
    }
    // The user list's caption the last time it changed.
    QString LastCount() const
    {
        const qsizetype at = log.lastIndexOf("room 501: 朋友(");
        return at < 0 ? QString() : log.mid(at + 10, log.indexOf(')', at) - at - 9);
    }
};

} // namespace

class RoomProcessTest : public QObject {
    Q_OBJECT
private slots:
    void membersSeeEachOtherAsTheirRightsAllowAndLeavingMembersGo()
    {
        TestDir dir;
        std::filesystem::copy_file(std::string(VLK_TEST_MODULE_DIR) + "/room/velka_C.key", dir.path() / "velka_C.key");
        const uint16_t httpPort = FreeTcpPort(kAddress);
        TServerProcess server(dir.appPath() + "vlkserver.json", Config(httpPort), kAddress, httpPort,
                              {"--page-link", "vlkroomid:501,0"});
        QVERIFY(server.Ready());

        Client owner(dir, 10001);
        Client member(dir, 10002);
        QTRY_COMPARE_WITH_TIMEOUT(owner.LastCount(), QString("朋友(2)"), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(member.LastCount(), QString("朋友(2)"), 60000);

        // The hidden member enters, is seen by the owner only, then leaves (it ends after its
        // screenshot, which closes its room).
        const QString shot = QString::fromStdString((dir.path() / "room.png").string());
        Client hidden(dir, 10003, shot);
        QTRY_VERIFY2_WITH_TIMEOUT(owner.log.contains("room 501: 朋友(3)"), qPrintable(owner.log), 60000);
        QVERIFY(hidden.process.waitForFinished(60000));
        QVERIFY2(hidden.log.contains("room 501: 朋友(3)"), qPrintable(hidden.log));   // hidden members see themselves
        QTRY_COMPARE_WITH_TIMEOUT(owner.LastCount(), QString("朋友(2)"), 30000);
        QVERIFY2(!member.log.contains("room 501: 朋友(3)"), qPrintable(member.log));
        QCOMPARE(member.LastCount(), QString("朋友(2)"));
        QVERIFY(QFile::exists(shot));
    }
};

QTEST_GUILESS_MAIN(RoomProcessTest)

#include "RoomProcess_qtest.moc"
