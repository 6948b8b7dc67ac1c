#pragma once
// A throw-away program directory for a test: created empty under the system temp folder,
// installed as VLKCHAT_HOME for the test's lifetime, removed afterwards.
#include <filesystem>
#include <string>
#include <string_view>

namespace vlk::test {

class TestDir {
public:
    TestDir();
    ~TestDir();
    TestDir(const TestDir&) = delete;
    TestDir& operator=(const TestDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The directory as AppPath spells it: with a trailing separator.
    std::string appPath() const { return path_.string() + "/"; }
    // Writes bytes to a file below the directory, creating folders on the way.
    void write(std::string_view relative, std::string_view bytes) const;
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;

private:
    std::filesystem::path path_;
    std::string previousHome_;
    bool hadHome_ = false;
};

} // namespace vlk::test
