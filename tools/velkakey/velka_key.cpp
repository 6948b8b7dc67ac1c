// The server-list module: fills the caller's 610-byte buffer with a 32-bit count and up to six
// length-prefixed entries, each a host enciphered for the client's server-list key.
#include "shell/TextCipher.h"

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kMaxEntries = 6;
constexpr int kEntrySize = 101;

std::vector<std::string> Servers()
{
    std::vector<std::string> out;
    std::stringstream list(VLK_KEY_SERVERS);
    for (std::string host; std::getline(list, host, ',');)
        if (!host.empty())
            out.push_back(host);
    return out;
}

} // namespace

extern "C" __attribute__((visibility("default"))) void KeyClient(uint8_t* buffer)
{
    std::memset(buffer, 0, 4 + kMaxEntries * kEntrySize);
    const auto servers = Servers();
    const int32_t count = static_cast<int32_t>(servers.size());
    std::memcpy(buffer, &count, sizeof count);
    for (int i = 0; i < count && i < kMaxEntries; ++i) {
        // "raw:" entries go in as written, so tests can hand the client a damaged entry.
        const bool raw = servers[i].rfind("raw:", 0) == 0;
        const std::string entry = raw ? servers[i].substr(4) : vlk::EncipherParam(servers[i], vlk::kServerListKey);
        const size_t n = entry.size() < kEntrySize - 1 ? entry.size() : kEntrySize - 1;
        uint8_t* slot = buffer + 4 + i * kEntrySize;
        slot[0] = static_cast<uint8_t>(n);
        std::memcpy(slot + 1, entry.data(), n);
    }
}
