#include "HallPage.h"

#include "base/DebugLog.h"
#include "shell/TextHelpers.h"

#include <httplib.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace vlk::server {

namespace {

// The sample game on the page reports these two values back through the hall.
constexpr char kSampleGame[] = "GuessNumber";
constexpr char kLineNames[][8] = {"", "一线", "二线", "三线"};

constexpr char kStyle[] = R"(
body { margin: 0; font-family: "Microsoft YaHei", "Noto Sans CJK SC", sans-serif; font-size: 14px;
       color: #2b3440; background: #eef2f7; }
header { padding: 18px 28px; color: #fff; background: linear-gradient(#4f6fa8, #3a5687); }
header h1 { margin: 0 0 6px; font-size: 22px; font-weight: normal; }
header .greeting { margin: 0; }
header .hidden { color: #c9d6ee; }
main { display: flex; gap: 20px; padding: 20px 28px; }
section { background: #fff; border: 1px solid #d5dce6; border-radius: 6px; padding: 12px 18px; }
section.rooms { flex: 3; }
section.games { flex: 1; align-self: flex-start; }
h2 { margin: 0 0 10px; font-size: 16px; color: #3a5687; }
table { width: 100%; border-collapse: collapse; }
th, td { padding: 7px 8px; text-align: left; border-bottom: 1px solid #e6eaf0; }
th { color: #6b7685; font-weight: normal; }
a { color: #2f5fb3; text-decoration: none; }
a:hover { text-decoration: underline; }
.locked { color: #b5651d; font-size: 12px; }
.empty { color: #6b7685; }
ul { margin: 0; padding-left: 18px; line-height: 1.9; }
footer { padding: 0 28px 18px; color: #8a94a3; font-size: 12px; }
)";

// A JavaScript string literal that cannot end the script element early.
std::string ScriptString(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\')
            out += '\\', out += static_cast<char>(c);
        else if (c < 0x20 || c == '<' || c == '>' || c == '&') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else
            out += static_cast<char>(c);
    }
    return out + "\"";
}

std::string Param(const std::multimap<std::string, std::string>& query, const char* name)
{
    auto it = query.find(name);
    return it == query.end() ? std::string() : it->second;
}

} // namespace

THallPage::THallPage(const TServerConfig& config, const TAccountBook& accounts)
    : config_(config), accounts_(accounts), server_(std::make_unique<httplib::Server>())
{
    server_->Get(R"(/hall\.html)", [this](const httplib::Request& request, httplib::Response& response) {
        response.set_content(Render(request.params), "text/html; charset=utf-8");
    });
    // Keep-alive connections would hold Stop up for their whole time-out.
    server_->set_keep_alive_timeout(1);
    // Address reuse lets a restart bind at once; port sharing (httplib's default) would let a second
    // server start on a busy port and take half the requests.
    server_->set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
}

THallPage::~THallPage()
{
    Stop();
}

void THallPage::Start(const std::string& address, uint16_t port)
{
    int bound = port;
    if (port == 0)
        bound = server_->bind_to_any_port(address);
    else if (!server_->bind_to_port(address, port))
        bound = -1;
    if (bound <= 0)
        throw std::runtime_error("the hall page cannot listen on " + address + ":" + std::to_string(port));
    port_ = static_cast<uint16_t>(bound);
    thread_ = std::thread([this] {
        server_->listen_after_bind();
        finished_ = true;
    });
    // A stop before the server runs would be lost and leave its thread serving forever.
    while (!server_->is_running() && !finished_)
        std::this_thread::yield();
    DebugLog().info("hall page on http://{}:{}/hall.html", address, port_);
}

void THallPage::Stop()
{
    if (!thread_.joinable())
        return;
    server_->stop();
    thread_.join();
}

std::string THallPage::Render(const std::multimap<std::string, std::string>& query) const
{
    // Anything that does not name a member with the right password gets the guest page.
    std::optional<TAccount> viewer;
    const auto userId = ParseInt(Param(query, "UserID"));
    if (userId && *userId > 0) {
        viewer = accounts_.Find(*userId);
        if (viewer && viewer->PasswordDigest != LowerCase(Param(query, "password")))
            viewer.reset();
    }
    const bool hidden = viewer && Param(query, "IsHide") == "1";
    const std::string number = viewer ? std::to_string(viewer->Number) : "0";

    std::string html = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
                       + EscapeHtml(config_.Title) + "</title>\n<style>" + kStyle + "</style>\n</head>\n<body>\n";
    html += "<header>\n<h1>" + EscapeHtml(config_.Title) + "</h1>\n<p class=\"greeting\">欢迎您，";
    html += viewer ? EscapeHtml(viewer->Nickname) + "(" + number + ")" : std::string("游客");
    if (hidden)
        html += " <span class=\"hidden\">（隐身）</span>";
    html += "</p>\n</header>\n<main>\n<section class=\"rooms\">\n<h2>房间列表</h2>\n";

    std::vector<const TRoomConfig*> rooms;
    for (const TRoomConfig& room : config_.Rooms)
        rooms.push_back(&room);
    std::sort(rooms.begin(), rooms.end(), [](auto* a, auto* b) { return a->Number < b->Number; });
    if (rooms.empty()) {
        html += "<p class=\"empty\">暂无房间</p>\n";
    } else {
        html += "<table>\n<tr><th>房间</th><th>号码</th><th>线路</th><th></th></tr>\n";
        for (const TRoomConfig* room : rooms) {
            const std::string link = "vlkroomid:" + std::to_string(room->Number) + ",0";
            html += "<tr class=\"room\"><td><a href=\"" + link + "\">" + EscapeHtml(room->Name) + "</a>";
            if (!room->Password.empty())
                html += " <span class=\"locked\">[密码房间]</span>";
            html += "</td><td>" + std::to_string(room->Number) + "</td><td>" + kLineNames[room->Line]
                    + "</td><td><a href=\"" + link + "\">进入</a></td></tr>\n";
        }
        html += "</table>\n";
    }
    html += "</section>\n<section class=\"games\">\n<h2>游戏</h2>\n<ul>\n";
    html += "<li><a href=\"webgame:" + std::string(kSampleGame) + "|" + number + "|1|2\">猜数字</a></li>\n";
    html += "<li><a href=\"gamecenter:\">游戏中心</a></li>\n</ul>\n</section>\n</main>\n";
    html += "<footer>共 " + std::to_string(rooms.size()) + " 个房间</footer>\n";
    if (!config_.PageLinks.empty()) {
        html += "<script>\nconst pageLinks = [";
        for (const std::string& link : config_.PageLinks)
            html += ScriptString(link) + ",";
        html += "];\npageLinks.forEach((link, i) => setTimeout(() => { location.href = link; }, 2000 * (i + 1)));\n"
                "</script>\n";
    }
    html += "</body>\n</html>\n";
    return html;
}

} // namespace vlk::server
