#include "shell/AppPath.h"

#include <cstdlib>
#include <filesystem>

namespace vlk {

std::string AppPath()
{
    std::filesystem::path dir;
    if (const char* home = std::getenv("VLKCHAT_HOME"); home && *home) {
        dir = home;
    } else {
        std::error_code ec;
        dir = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
        if (ec)
            dir = std::filesystem::current_path();
    }
    std::string text = dir.string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

} // namespace vlk
