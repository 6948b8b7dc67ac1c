#include "shell/ServerList.h"

#include "base/DebugLog.h"
#include "shell/NetHelpers.h"
#include "shell/TextCipher.h"
#include "shell/TextHelpers.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

namespace vlk {
namespace {

constexpr size_t kEntrySize = 101;
constexpr size_t kEntryTextMax = 100;
constexpr char kModuleName[] = "velka_C.key";

using KeyClientFn = void (*)(uint8_t*);

} // namespace

TServerList ParseServerBuffer(const uint8_t (&buffer)[kServerListBufferSize], const THostResolver& resolve)
{
    int32_t count = 0;
    std::memcpy(&count, buffer, sizeof count);
    TServerList list;
    // Only six entries fit the buffer, so a larger or negative count must not make anyone read past them.
    list.ServerCount = std::clamp(count, 0, kMaxServers);
    for (int i = 0; i < list.ServerCount; ++i) {
        const uint8_t* entry = buffer + 4 + i * kEntrySize;
        const size_t length = std::min<size_t>(entry[0], kEntryTextMax);
        const std::string text(reinterpret_cast<const char*>(entry + 1), length);
        uint32_t address = 0;
        try {
            const std::string host = Trim(DecipherParam(text, kServerListKey));
            address = resolve ? resolve(host) : ResolveHost(host);
        } catch (const TDecipherError&) {
            DebugLog().warn("server list entry {} is damaged", i);
        }
        list.ServerAddresses.push_back(address);
    }
    return list;
}

TServerList LoadServerList(const std::string& appPath)
{
    uint8_t buffer[kServerListBufferSize] = {};
    const std::string path = appPath + kModuleName;
    if (void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (auto keyClient = reinterpret_cast<KeyClientFn>(dlsym(module, "KeyClient")))
            keyClient(buffer);
        else
            DebugLog().warn("{} has no KeyClient export", path);
        dlclose(module);
    } else {
        DebugLog().warn("server list module not loaded: {}", dlerror());
    }
    return ParseServerBuffer(buffer);
}

} // namespace vlk
