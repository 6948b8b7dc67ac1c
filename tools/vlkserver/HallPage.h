#pragma once
// The hall web page over HTTP, on a thread of its own: GET /hall.html?UserID=..&password=..&IsHide=..
// lists the rooms with the links the hall window acts on (vlkroomid:, webgame:, gamecenter:).
#include "AccountBook.h"
#include "ServerConfig.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <thread>

namespace httplib {
class Server;
}

namespace vlk::server {

class THallPage {
public:
    THallPage(const TServerConfig& config, const TAccountBook& accounts);
    ~THallPage();
    THallPage(const THallPage&) = delete;
    THallPage& operator=(const THallPage&) = delete;

    // Serves on address:port (0: a free port); throws std::runtime_error when it cannot bind.
    void Start(const std::string& address, uint16_t port);
    void Stop();
    uint16_t Port() const { return port_; }

private:
    // The page for a request's query; naming a member needs the member's password digest.
    std::string Render(const std::multimap<std::string, std::string>& query) const;

    const TServerConfig& config_;
    const TAccountBook& accounts_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    uint16_t port_ = 0;
};

} // namespace vlk::server
