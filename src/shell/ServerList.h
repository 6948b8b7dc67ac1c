#pragma once
// The hall server list, supplied by the loadable module velka_C.key in the program directory.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

inline constexpr size_t kServerListBufferSize = 610;
inline constexpr int kMaxServers = 6;

struct TServerList {
    int32_t ServerCount = 0;
    std::vector<uint32_t> ServerAddresses;   // network byte order, 0 for an entry that did not resolve
};

using THostResolver = std::function<uint32_t(std::string_view host)>;

// Reads the buffer the module fills: a 32-bit count, then six 101-byte length-prefixed entries,
// each deciphered and then resolved (ResolveHost unless another resolver is given).
TServerList ParseServerBuffer(const uint8_t (&buffer)[kServerListBufferSize], const THostResolver& resolve = {});
// Loads the module, calls its KeyClient export and parses the result; no module, no export: no servers.
TServerList LoadServerList(const std::string& appPath);

} // namespace vlk
