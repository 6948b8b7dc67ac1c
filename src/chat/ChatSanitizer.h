#pragma once
// Chat text from other members is HTML. Before it reaches a view it is cut down to what our own
// chat editor produces: font/span/b/i/u with harmless styling, <br>, and emoticon pictures from
// this program directory. Everything else is dropped, or, for stray markup characters, escaped.
#include <string>
#include <string_view>

namespace vlk {

// A CSS value or font name that can only name fonts, sizes, weights and colours: no function
// (url(), expression()), string, escape, comment or further declaration.
bool IsSafeCssValue(std::string_view value);

class TChatSanitizer {
public:
    // appPath: the program directory with its trailing '/'; pictures must lie in its emoticon folder.
    explicit TChatSanitizer(const std::string& appPath);

    std::string Sanitize(std::string_view html) const;

private:
    std::string emotionFolder_;  // normalised, with a trailing '/'
};

} // namespace vlk
