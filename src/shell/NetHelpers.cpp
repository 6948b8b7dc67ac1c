#include "shell/NetHelpers.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netpacket/packet.h>
#include <sys/socket.h>

#include <cstdio>
#include <cstring>

namespace vlk {

std::string GetMacAddress()
{
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0)
        return {};
    std::string mac;
    for (ifaddrs* i = list; i && mac.empty(); i = i->ifa_next) {
        if (!i->ifa_addr || i->ifa_addr->sa_family != AF_PACKET || (i->ifa_flags & IFF_LOOPBACK))
            continue;
        const auto* ll = reinterpret_cast<const sockaddr_ll*>(i->ifa_addr);
        if (ll->sll_halen != 6)
            continue;
        char buf[13];
        std::snprintf(buf, sizeof buf, "%02X%02X%02X%02X%02X%02X", ll->sll_addr[0], ll->sll_addr[1],
                      ll->sll_addr[2], ll->sll_addr[3], ll->sll_addr[4], ll->sll_addr[5]);
        mac = buf;
    }
    freeifaddrs(list);
    return mac;
}

uint32_t ResolveHost(std::string_view name)
{
    const std::string host(name);
    in_addr dotted{};
    if (inet_pton(AF_INET, host.c_str(), &dotted) == 1)
        return dotted.s_addr;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* result = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &result) != 0 || !result)
        return 0;
    uint32_t address = reinterpret_cast<const sockaddr_in*>(result->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(result);
    return address;
}

std::string IPToText(uint32_t address)
{
    const auto* b = reinterpret_cast<const uint8_t*>(&address);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return buf;
}

std::string IPMask(uint32_t address)
{
    const auto* b = reinterpret_cast<const uint8_t*>(&address);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.*", b[0], b[1], b[2]);
    return buf;
}

} // namespace vlk
