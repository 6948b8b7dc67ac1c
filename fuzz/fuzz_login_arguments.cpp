// The two command-line arguments: any text either logs in or raises the buffer-size error.
#include "shell/StartUp.h"
#include "shell/TextCipher.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find(' ');
    const std::string first = input.substr(0, split);
    const std::string second = split == std::string::npos ? std::string() : input.substr(split + 1);
    try {
        if (const auto id = vlk::LoginFromArguments({first, second}))
            if (id->PasswordDigest.size() > vlk::kPasswordDigestMax * 3)
                __builtin_trap();
    } catch (const vlk::TDecipherError&) {
    }
    return 0;
}
