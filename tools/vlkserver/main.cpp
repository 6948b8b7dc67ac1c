// vlkserver: the loopback community server. It serves the hall, the room servers of the three
// lines and the hall web page until SIGINT or SIGTERM; on request it only prints the two
// enciphered log-in arguments with which a launcher starts vlkchat for a member.
#include "AccountBook.h"
#include "HallPage.h"
#include "HallServer.h"
#include "OnlineUsers.h"
#include "RoomServer.h"
#include "ServerConfig.h"

#include "base/DebugLog.h"
#include "base/Gbk.h"
#include "base/PollLoop.h"
#include "shell/StartUp.h"
#include "shell/TextCipher.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

vlk::PollLoop* gLoop = nullptr;

void OnSignal(int)
{
    gLoop->Quit();
}

int PrintLoginArguments(const std::vector<std::string>& loginArgs)
{
    int32_t number = 0;
    try {
        number = std::stoi(loginArgs[0]);
    } catch (const std::exception&) {
        std::fprintf(stderr, "--login-args: \"%s\" is not a user number\n", loginArgs[0].c_str());
        return 2;
    }
    const auto args = vlk::MakeLoginArguments(number, vlk::Md5Hex(vlk::Utf8ToGbk(loginArgs[1])));
    std::printf("%s %s\n", args[0].c_str(), args[1].c_str());
    return 0;
}

int Serve(const vlk::server::TServerConfig& config)
{
    using namespace vlk::server;
    vlk::PollLoop loop;
    vlk::ClockScope clock(loop);
    TAccountBook accounts(config.Accounts);
    TOnlineUsers online;
    THallServer hall(config, accounts, online);
    std::vector<std::unique_ptr<TRoomServer>> lines;
    for (int32_t line = 1; line <= 3; ++line)
        lines.push_back(std::make_unique<TRoomServer>(config, line, online));
    THallPage page(config, accounts);
    try {
        hall.Start();
        for (auto& server : lines)
            server->Start();
        page.Start(config.Listen, config.HttpPort);
    } catch (const std::exception& e) {
        vlk::DebugLog().error("cannot start: {}", e.what());
        return 1;
    }

    gLoop = &loop;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    vlk::DebugLog().info("serving {} accounts and {} rooms; stop with Ctrl+C", config.Accounts.size(), config.Rooms.size());
    loop.Run();

    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    vlk::DebugLog().info("stopping");
    page.Stop();
    for (auto& server : lines)
        server->Stop();
    hall.Stop();
    vlk::DebugLog().info("stopped");
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    CLI::App app{"vlkserver: loopback community server for vlkchat"};
    std::string configPath;
    app.add_option("--config", configPath, "server configuration (JSON)");
    std::string logPath;
    app.add_option("--log", logPath, "also write the log to this file");
    std::vector<std::string> loginArgs;
    app.add_option("--login-args", loginArgs,
                   "print the two vlkchat arguments that log NUMBER in with PASSWORD, then exit")
        ->expected(2)
        ->type_name("NUMBER PASSWORD");
    std::vector<std::string> pageLinks;
    app.add_option("--page-link", pageLinks,
                   "the hall page follows LINK by itself once loaded, one link every 2 s (repeatable)")
        ->type_name("LINK");
    CLI11_PARSE(app, argc, argv);

    if (!loginArgs.empty())
        return PrintLoginArguments(loginArgs);
    if (configPath.empty()) {
        std::fprintf(stderr, "vlkserver: --config FILE is required\n");
        return 2;
    }

    vlk::InitDebugLog("vlkserver", logPath);
    // A server's log says what it does: info unless VLKCHAT_LOG asks for another level.
    if (!std::getenv("VLKCHAT_LOG"))
        vlk::DebugLog().set_level(spdlog::level::info);
    vlk::DebugLog().flush_on(spdlog::level::info);

    vlk::server::TServerConfig config;
    try {
        config = vlk::server::LoadServerConfig(configPath);
    } catch (const vlk::server::TConfigError& e) {
        std::fprintf(stderr, "vlkserver: bad configuration %s\n", e.what());
        return 2;
    }
    config.PageLinks = pageLinks;
    return Serve(config);
}
