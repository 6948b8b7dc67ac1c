#pragma once
// vlkserver as a child process for integration tests: started with a configuration written to a
// file, ready once its hall page accepts connections, stopped with SIGTERM.
#include <cstdint>
#include <string>
#include <vector>

namespace vlk::test {

class TServerProcess {
public:
    // configJson is written to configPath; the server listens on listenAddress (dotted); extraArgs
    // follow the configuration on the command line.
    TServerProcess(const std::string& configPath, const std::string& configJson, const std::string& listenAddress,
                   uint16_t httpPort, const std::vector<std::string>& extraArgs = {});
    ~TServerProcess();
    TServerProcess(const TServerProcess&) = delete;
    TServerProcess& operator=(const TServerProcess&) = delete;

    bool Ready() const { return ready_; }
    // Stops the server and waits for it; its exit status (-1 when it was killed by a signal).
    int Stop();

private:
    int pid_ = -1;
    bool ready_ = false;
};

// A TCP port that was free a moment ago on the address.
uint16_t FreeTcpPort(const std::string& address);

} // namespace vlk::test
