#include "shell/IniFile.h"

#include "base/DebugLog.h"
#include "base/Gbk.h"
#include "shell/TextHelpers.h"

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <fstream>
#include <sstream>

namespace vlk {

struct TIniFile::Impl {
    Impl() { ini.SetSpaces(false); }   // "key=value", as the platform writes it
    CSimpleIniA ini{false, false, false};
};

TIniFile::TIniFile(std::string path) : path_(std::move(path)), impl_(std::make_unique<Impl>())
{
    std::ifstream in(path_, std::ios::binary);
    if (!in)
        return;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = FileTextToUtf8(bytes.str());
    if (impl_->ini.LoadData(text.data(), text.size()) < 0)
        DebugLog().warn("settings file {} could not be parsed", path_);
}

TIniFile::~TIniFile() = default;

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const
{
    const char* v = impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr);
    return v ? std::string(v) : def;
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t def) const
{
    return ParseInt(Trim(ReadString(section, key))).value_or(def);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    return impl_->ini.GetValue(section.c_str(), key.c_str(), nullptr) != nullptr;
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSection(const std::string& section) const
{
    CSimpleIniA::TNamesDepend keys;
    impl_->ini.GetAllKeys(section.c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& k : keys)
        out.emplace_back(k.pItem, impl_->ini.GetValue(section.c_str(), k.pItem, ""));
    return out;
}

bool TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    impl_->ini.SetValue(section.c_str(), key.c_str(), value.c_str());
    return Save();
}

bool TIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value)
{
    return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    impl_->ini.Delete(section.c_str(), key.c_str(), true);
    return Save();
}

bool TIniFile::EraseSection(const std::string& section)
{
    impl_->ini.Delete(section.c_str(), nullptr);
    return Save();
}

bool TIniFile::Save()
{
    std::string text;
    if (impl_->ini.Save(text) < 0)
        return false;
    const std::string gbk = Utf8ToGbk(text);
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(gbk.data(), static_cast<std::streamsize>(gbk.size()));
    if (!out) {
        DebugLog().warn("settings file {} could not be written", path_);
        return false;
    }
    return true;
}

} // namespace vlk
