#include "support/TestDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace vlk::test {

TestDir::TestDir()
{
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() /
                         ("vlktest-" + std::to_string(rd()) + std::to_string(rd()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
            break;
        }
    }
    if (path_.empty())
        throw std::runtime_error("cannot create a test directory");
    if (const char* home = std::getenv("VLKCHAT_HOME")) {
        hadHome_ = true;
        previousHome_ = home;
    }
    setenv("VLKCHAT_HOME", path_.c_str(), 1);
}

TestDir::~TestDir()
{
    if (hadHome_)
        setenv("VLKCHAT_HOME", previousHome_.c_str(), 1);
    else
        unsetenv("VLKCHAT_HOME");
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TestDir::write(std::string_view relative, std::string_view bytes) const
{
    auto file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TestDir::read(std::string_view relative) const
{
    std::ifstream in(path_ / relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TestDir::exists(std::string_view relative) const
{
    return std::filesystem::exists(path_ / relative);
}

} // namespace vlk::test
