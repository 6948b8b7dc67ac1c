// A Shortcut.dat of any content: read as the chat frame and the editing dialog read it, captions
// checked, then saved and read again without losing or splitting a phrase.
#include "base/Gbk.h"
#include "chat/Shortcut.h"
#include "chat/ShortcutEdit.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string dir = [] {
        const std::string d = "/tmp/vlk-fuzz-shortcut-" + std::to_string(getpid()) + "/";
        std::filesystem::create_directories(d);
        return d;
    }();
    {
        std::ofstream out(dir + vlk::TShortcut::kFileName, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const vlk::TShortcut shortcut(dir);
    for (int i = 0; i < shortcut.Count(); ++i) {
        const std::string phrase = shortcut.Phrase(i);
        if (phrase.empty() || phrase.find_first_of("\r\n") != std::string::npos || !vlk::IsValidUtf8(phrase))
            __builtin_trap();
        // A caption is the phrase itself when it fits, else a cut of it followed by "...".
        const std::string caption = shortcut.MenuCaption(i);
        if (vlk::Utf8ToGbk(phrase).size() <= vlk::TShortcut::kCaptionBytes) {
            if (caption != phrase)
                __builtin_trap();
        } else {
            if (!caption.ends_with("..."))
                __builtin_trap();
            const std::string cut = caption.substr(0, caption.size() - 3);
            if (vlk::Utf8ToGbk(cut).size() > vlk::TShortcut::kCaptionBytes || !vlk::IsValidUtf8(cut))
                __builtin_trap();
        }
    }
    vlk::TShortcutEdit edit(shortcut.FilePath());
    if (edit.Save()) {
        const vlk::TShortcut again(dir);
        if (again.Count() != shortcut.Count())
            __builtin_trap();
    }
    return 0;
}
