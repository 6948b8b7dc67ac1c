// vlkchat: log in from the two enciphered arguments or through the login dialog, then open the
// main window.
#include "base/DebugLog.h"
#include "base/ui/QtClock.h"
#include "shell/StartUp.h"
#include "shell/TextCipher.h"
#include "shell/vlkChatCFG.h"
#include "shell/ui/GlobalDM.h"
#include "shell/ui/ScreenshotOnShow.h"
#include "shell/ui/frmLogin.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QStatusBar>

#include <cstdio>
#include <cstdlib>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);   // takes Qt's own options out of argv
    vlk::InitDebugLog("vlkchat");
    vlk::QtClock clock;
    vlk::ClockScope clockScope(clock);

    vlk::TvlkChatCFG cfg;
    cfg.LoadGlobal();
    cfg.LoadSavePwd();
    const QString icon = QString::fromStdString(cfg.AppPath) + "Picture/vlkchat.png";
    if (QFile::exists(icon))
        QApplication::setWindowIcon(QIcon(icon));

    vlk::TGlobalDM dm(cfg.AppPath);
    std::unique_ptr<vlk::ScreenshotOnShow> screenshot;
    if (const char* file = std::getenv("VLKCHAT_SCREENSHOT"); file && *file)
        screenshot = std::make_unique<vlk::ScreenshotOnShow>(QString::fromLocal8Bit(file));

    vlk::TSessionIdentity identity;
    try {
        if (auto fromArguments = vlk::LoginFromArguments({argv + 1, argv + argc})) {
            cfg.StartedFromCommandLine = true;
            identity = *fromArguments;
        } else {
            vlk::TfrmLogin login(cfg, dm);
            if (login.exec() != QDialog::Accepted)
                return 0;
            identity = login.Identity();
        }
    } catch (const vlk::TDecipherError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    vlk::DebugLog().info("logging in as {}", identity.UserID);

    QMainWindow main;
    main.setObjectName("frmMain");
    main.setWindowTitle(QString::fromStdString(cfg.SiteName));
    main.resize(1024, 738);
    main.statusBar()->showMessage(identity.UserID == 0 ? QStringLiteral("游客")
                                                       : QStringLiteral("号码：%1").arg(identity.UserID));
    main.show();
    return app.exec();
}
