#pragma once
// TShortcut: the member's quick phrases from Shortcut.dat in the program directory (one file for
// the whole installation): GBK text, one phrase per line, lines ended by CR LF. The chat frame
// builds its quick phrase menu from it and sends the full phrase of a chosen item.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vlk {

class TShortcut {
public:
    static constexpr const char* kFileName = "Shortcut.dat";
    // Menu captions hold at most this many GBK bytes before "...".
    static constexpr size_t kCaptionBytes = 26;
    // Far above any list typed by hand; a larger file is not read into memory.
    static constexpr size_t kMaxFileSize = 256 * 1024;

    // appPath: the program directory with its trailing '/'. Loads the file.
    explicit TShortcut(const std::string& appPath);

    const std::string& FilePath() const { return path_; }
    // Reads the file again, after the editing dialog closed.
    void Reload();

    int Count() const { return static_cast<int>(phrases_.size()); }
    // Empty outside the list.
    std::string Phrase(int index) const;
    // The phrase, or its first 26 GBK bytes cut on a character boundary followed by "...".
    std::string MenuCaption(int index) const;

private:
    std::string path_;
    std::vector<std::string> phrases_;
};

// The phrases of a phrase file: an empty list when it is missing, nothing when it exists but cannot
// be read whole (unreadable or larger than TShortcut::kMaxFileSize). Lines may end in CR LF, LF or
// CR; blank lines are not phrases. The file may be GBK or UTF-8; bytes that read both ways are taken
// as GBK when the UTF-8 reading has two-byte characters (Chinese typed as UTF-8 has none).
std::optional<std::vector<std::string>> ReadShortcutFile(const std::string& path);
// The phrases of a file's bytes, as ReadShortcutFile takes them apart.
std::vector<std::string> ParseShortcutText(std::string_view bytes);
// Replaces the file with the phrases as GBK, each line ended by CR LF; false, with the old file
// kept, when it could not be written or would be larger than TShortcut::kMaxFileSize.
bool WriteShortcutFile(const std::string& path, const std::vector<std::string>& phrases);

// The automatic reply made of what the member typed: tags removed, cut before the first line
// break, blanks at the ends removed, so a reply of only tags or blanks is empty and never sent.
std::string AutoReplyText(std::string_view answer);

} // namespace vlk
