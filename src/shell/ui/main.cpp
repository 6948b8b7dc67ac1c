// vlkchat: log in from the two enciphered arguments or through the login dialog, then open the
// hall.
#include "base/DebugLog.h"
#include "base/ui/QtClock.h"
#include "hall/ui/frmRegister.h"
#include "hall/ui/frmRoomHall.h"
#include "shell/StartUp.h"
#include "shell/TextCipher.h"
#include "shell/vlkChatCFG.h"
#include "shell/ui/GlobalDM.h"
#include "shell/ui/Screenshot.h"
#include "shell/ui/frmLogin.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <memory>

namespace {

// Before the 9 s after which a hall without an answering server gives up.
constexpr int kHallScreenshotMs = 8000;

} // namespace

int main(int argc, char* argv[])
{
    // The hall page's browser shares its drawing context with the widgets; it cannot sandbox its
    // helper processes under root (a container, a CI machine), which it would otherwise refuse.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Without a graphics card the browser reports its whole set-up on every start.
    if (!qEnvironmentVariableIsSet("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.webenginecontext.info=false");
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
    std::unique_ptr<vlk::Screenshot> screenshot;
    if (const char* file = std::getenv("VLKCHAT_SCREENSHOT"); file && *file)
        screenshot = std::make_unique<vlk::Screenshot>(QString::fromLocal8Bit(file));

    vlk::TSessionIdentity identity;
    try {
        if (auto fromArguments = vlk::LoginFromArguments({argv + 1, argv + argc})) {
            cfg.StartedFromCommandLine = true;
            identity = *fromArguments;
        } else {
            if (screenshot)
                screenshot->OfFirstWindow();
            vlk::TfrmLogin login(cfg, dm);
            login.RegistrationOpener = [&](QWidget* parent) { return vlk::RunRegistrationDialog(cfg, dm, parent); };
            if (login.exec() != QDialog::Accepted)
                return 0;
            identity = login.Identity();
        }
    } catch (const vlk::TDecipherError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    vlk::DebugLog().info("logging in as {}", identity.UserID);

    vlk::TfrmRoomHall hall(cfg, dm, identity);
    QObject::connect(&hall, &vlk::TfrmRoomHall::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (screenshot) {
        // The hall with the first room it enters, or as it stands before a failed probe would restart.
        QObject::connect(&hall, &vlk::TfrmRoomHall::roomOpened, screenshot.get(), [&] { screenshot->Of(&hall); });
        QTimer::singleShot(kHallScreenshotMs, screenshot.get(), [&] { screenshot->Of(&hall); });
    }
    hall.show();
    return app.exec();
}
