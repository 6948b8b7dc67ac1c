// The buffer the server-list module fills: whatever it holds, at most six addresses come out.
#include "shell/ServerList.h"

#include <cstring>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    uint8_t buffer[vlk::kServerListBufferSize] = {};
    std::memcpy(buffer, data, size < sizeof buffer ? size : sizeof buffer);
    // Deciphered entries are arbitrary host names: keep the fuzzer away from the name service.
    const vlk::TServerList list =
        vlk::ParseServerBuffer(buffer, [](std::string_view host) { return static_cast<uint32_t>(host.size()); });
    if (list.ServerCount < 0 || list.ServerCount > vlk::kMaxServers ||
        list.ServerAddresses.size() != static_cast<size_t>(list.ServerCount))
        __builtin_trap();
    return 0;
}
