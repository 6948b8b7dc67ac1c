#pragma once
// A settings file with the platform INI semantics: case-insensitive sections and keys, values
// trimmed, missing file or key gives the default, every write goes to disk at once.
// Files are read as UTF-8 or GBK and written as GBK.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vlk {

class TIniFile {
public:
    explicit TIniFile(std::string path);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;

    const std::string& Path() const { return path_; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def = {}) const;
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    // Keys and values of a section in file order.
    std::vector<std::pair<std::string, std::string>> ReadSection(const std::string& section) const;

    // Each returns false when the file could not be written.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    bool WriteInteger(const std::string& section, const std::string& key, int32_t value);
    bool WriteBool(const std::string& section, const std::string& key, bool value);
    bool DeleteKey(const std::string& section, const std::string& key);
    bool EraseSection(const std::string& section);

private:
    bool Save();
    struct Impl;
    std::string path_;
    std::unique_ptr<Impl> impl_;
};

} // namespace vlk
