#include "support/ServerProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace vlk::test {
namespace {

bool Accepts(const std::string& address, uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = inet_addr(address.c_str());
    to.sin_port = htons(port);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0;
    close(fd);
    return ok;
}

} // namespace

uint16_t FreeTcpPort(const std::string& address)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = inet_addr(address.c_str());
    socklen_t length = sizeof local;
    bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
    getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
    close(fd);
    return ntohs(local.sin_port);
}

TServerProcess::TServerProcess(const std::string& configPath, const std::string& configJson,
                               const std::string& listenAddress, uint16_t httpPort,
                               const std::vector<std::string>& extraArgs)
{
    std::ofstream(configPath) << configJson;
    std::vector<std::string> args = {std::string(VLK_BIN_DIR) + "/vlkserver", "--config", configPath};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
        // A test that dies must not leave its server behind: it would hold the test's output open
        // and keep the test runner waiting.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        execv(args[0].c_str(), argv.data());
        _exit(127);
    }
    if (pid_ < 0)
        return;
    for (int i = 0; i < 300 && !ready_; ++i) {
        ready_ = Accepts(listenAddress, httpPort);
        if (!ready_)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

TServerProcess::~TServerProcess()
{
    Stop();
}

int TServerProcess::Stop()
{
    if (pid_ <= 0)
        return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace vlk::test
