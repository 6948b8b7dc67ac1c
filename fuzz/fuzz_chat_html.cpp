// Chat text from other members and the links it leads to: the sanitiser never lets through a tag
// or attribute outside our own set, stays stable on its own output, and the link parser and the
// word filter never read outside their input.
#include "chat/ChatLink.h"
#include "chat/ChatSanitizer.h"
#include "chat/WordFilter.h"

#include <set>
#include <string>

namespace {

// Every '<' the sanitiser writes opens one of our tags with our attributes; text and attribute
// values carry no markup characters.
bool HasForeignMarkup(const std::string& html)
{
    const std::set<std::string> tags = {"font", "/font", "span", "/span", "b", "/b", "i", "/i", "u", "/u", "br", "img"};
    const std::set<std::string> attributes = {"color", "size", "face", "style", "src"};
    size_t at = 0;
    while ((at = html.find('<', at)) != std::string::npos) {
        const size_t end = html.find('>', at);
        if (end == std::string::npos)
            return true;
        const std::string tag = html.substr(at + 1, end - at - 1);
        at = end + 1;
        size_t i = tag.find(' ');
        if (!tags.count(tag.substr(0, i)))
            return true;
        while (i != std::string::npos) {
            const size_t eq = tag.find("=\"", i);
            const size_t close = eq == std::string::npos ? eq : tag.find('"', eq + 2);
            if (close == std::string::npos)
                return true;
            const std::string name = tag.substr(i + 1, eq - i - 1);
            const std::string value = tag.substr(eq + 2, close - eq - 2);
            if (!attributes.count(name) || value.find_first_of("<>(\\") != std::string::npos)
                return true;
            if (name == "src" && value.rfind("/opt/vlkchat/Picture/Emotion/", 0) != 0)
                return true;
            i = close + 1 < tag.size() ? close + 1 : std::string::npos;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    static const vlk::TChatSanitizer sanitizer("/opt/vlkchat/");
    const std::string clean = sanitizer.Sanitize(bytes);
    if (HasForeignMarkup(clean) || sanitizer.Sanitize(clean) != clean)
        __builtin_trap();

    static const vlk::TWordFilter filter("bad|坏|(a+)+(b|c)");
    (void)filter.Apply(clean);

    if (const auto link = vlk::ParseChatLink(bytes)) {
        (void)vlk::ResolveLinkClick(*link, 7);
        (void)vlk::SelectedUserNick(1, link->value);
    }
    return 0;
}
