#include "chat/Shortcut.h"

#include "base/DebugLog.h"
#include "base/Gbk.h"
#include "shell/TextHelpers.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vlk {

TShortcut::TShortcut(const std::string& appPath) : path_(appPath + kFileName) { Reload(); }

void TShortcut::Reload() { phrases_ = ReadShortcutFile(path_).value_or(std::vector<std::string>{}); }

std::string TShortcut::Phrase(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return phrases_[static_cast<size_t>(index)];
}

std::string TShortcut::MenuCaption(int index) const
{
    const std::string phrase = Phrase(index);
    if (Utf8ToGbk(phrase).size() <= kCaptionBytes)
        return phrase;
    return GbkToUtf8(Utf8ToGbkLimited(phrase, kCaptionBytes)) + "...";
}

namespace {

// The client writes this file as GBK, and short GBK text can also be valid UTF-8: "去" is C8 A5,
// which UTF-8 reads as "ȥ". Chinese typed into a UTF-8 file is made of three-byte characters, so
// two-byte UTF-8 characters in bytes that are valid GBK as well mean GBK.
std::string DecodeText(std::string_view bytes)
{
    const bool bom = bytes.starts_with("\xEF\xBB\xBF");
    const bool twoByteUtf8 = std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto b = static_cast<uint8_t>(c);
        return b >= 0xC0 && b <= 0xDF;
    });
    if (!bom && twoByteUtf8 && IsValidUtf8(bytes)) {
        std::string gbk = GbkToUtf8(bytes);
        if (gbk.find("\uFFFD") == std::string::npos)
            return gbk;
    }
    return FileTextToUtf8(bytes);
}

} // namespace

std::vector<std::string> ParseShortcutText(std::string_view bytes)
{
    const std::string text = DecodeText(bytes);
    std::vector<std::string> phrases;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line = std::string_view(text).substr(start, end - start);
        if (!Trim(line).empty())
            phrases.emplace_back(line);
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    return phrases;
}

std::optional<std::vector<std::string>> ReadShortcutFile(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return std::vector<std::string>{};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        DebugLog().warn("quick phrases: {} cannot be read", path);
        return std::nullopt;
    }
    // One byte more than allowed, so an oversized file shows.
    std::string bytes(TShortcut::kMaxFileSize + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        DebugLog().warn("quick phrases: {} cannot be read", path);
        return std::nullopt;
    }
    bytes.resize(static_cast<size_t>(in.gcount()));
    if (bytes.size() > TShortcut::kMaxFileSize) {
        DebugLog().warn("quick phrases: {} is larger than {} bytes; not read", path, TShortcut::kMaxFileSize);
        return std::nullopt;
    }
    return ParseShortcutText(bytes);
}

bool WriteShortcutFile(const std::string& path, const std::vector<std::string>& phrases)
{
    std::string gbk;
    for (const auto& phrase : phrases)
        gbk += Utf8ToGbk(phrase) + "\r\n";
    // A file the reader would refuse loses every phrase at the next start.
    if (gbk.size() > TShortcut::kMaxFileSize) {
        DebugLog().warn("quick phrases: {} would be {} bytes, more than {}; not written", path, gbk.size(),
                        TShortcut::kMaxFileSize);
        return false;
    }
    // Written beside the file and renamed over it, so a failed write never leaves half a list.
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(gbk.data(), static_cast<std::streamsize>(gbk.size()));
        out.close();
        if (!out) {
            DebugLog().warn("quick phrases: {} could not be written", temp);
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        DebugLog().warn("quick phrases: {} could not be replaced: {}", path, ec.message());
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        return false;
    }
    return true;
}

std::string AutoReplyText(std::string_view answer) { return Trim(StripTags(answer)); }

} // namespace vlk
