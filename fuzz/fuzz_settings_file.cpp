// A settings file of any content: read every way the client reads one, then written back.
#include "shell/IniFile.h"

#include <unistd.h>

#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = "/tmp/vlk-fuzz-settings-" + std::to_string(getpid()) + ".ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    vlk::TIniFile ini(path);
    for (const char* section : {"SET", "Login", "UserInRoom", "LoginID"}) {
        for (const auto& [key, value] : ini.ReadSection(section))
            (void)ini.ReadInteger(section, key, 0);
    }
    ini.WriteString("Set", "SkinIndex", "1");
    vlk::TIniFile again(path);
    if (again.ReadString("Set", "SkinIndex") != "1")
        __builtin_trap();
    return 0;
}
