#include "chat/ChatSanitizer.h"

#include "chat/Emotion.h"
#include "shell/TextHelpers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <optional>
#include <vector>

namespace vlk {
namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// Elements whose content is not text a member meant to show; the content goes with them.
constexpr std::array<std::string_view, 11> kDropWithContent = {
    "script", "style", "iframe", "object", "embed", "textarea", "title", "noscript", "xmp", "template", "svg"};

bool IsKept(std::string_view name)
{
    return name == "font" || name == "span" || name == "b" || name == "i" || name == "u" || name == "br" ||
           name == "img";
}

bool IsVoid(std::string_view name) { return name == "br" || name == "img"; }

// A colour: "#" + 3 or 6 hex digits, or a colour name.
bool SafeColour(std::string_view v)
{
    if (v.size() > 1 && v[0] == '#') {
        const auto hex = v.substr(1);
        return (hex.size() == 3 || hex.size() == 6) &&
               std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    }
    return !v.empty() && v.size() <= 20 && std::all_of(v.begin(), v.end(), IsAsciiAlpha);
}

bool SafeFontSize(std::string_view v)
{
    if (!v.empty() && (v[0] == '+' || v[0] == '-'))
        v.remove_prefix(1);
    return !v.empty() && v.size() <= 2 && std::all_of(v.begin(), v.end(), IsAsciiDigit);
}

} // namespace

bool IsSafeCssValue(std::string_view v)
{
    if (Trim(v).empty() || v.size() > 100)
        return false;
    return std::all_of(v.begin(), v.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x80 || IsAsciiAlpha(c) || IsAsciiDigit(c) || c == ' ' || c == '#' || c == '.' || c == ',' ||
               c == '%' || c == '-' || c == '_';
    });
}

namespace {

constexpr std::array<std::string_view, 8> kStyleProperties = {
    "color", "background-color", "font", "font-family", "font-size", "font-weight", "font-style", "text-decoration"};

// The declarations of a style attribute that only style text; others are dropped one by one.
std::string SafeStyle(std::string_view style)
{
    std::string out;
    size_t at = 0;
    while (at <= style.size()) {
        const size_t semi = std::min(style.find(';', at), style.size());
        const std::string_view decl = style.substr(at, semi - at);
        at = semi + 1;
        const size_t colon = decl.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string name = Lower(Trim(decl.substr(0, colon)));
        const std::string value = Trim(decl.substr(colon + 1));
        if (std::find(kStyleProperties.begin(), kStyleProperties.end(), name) == kStyleProperties.end())
            continue;
        if (!IsSafeCssValue(value))
            continue;
        out += name + ":" + value + ";";
    }
    return out;
}

struct Attribute {
    std::string name;  // lower case
    std::string value;
};

struct Tag {
    std::string name;  // lower case
    bool closing = false;
    std::vector<Attribute> attributes;
    size_t end = 0;  // index just past '>'
};

// The tag starting at html[lt] == '<', or nullopt when this '<' does not open a tag.
std::optional<Tag> ReadTag(std::string_view html, size_t lt)
{
    size_t i = lt + 1;
    Tag tag;
    if (i < html.size() && html[i] == '/') {
        tag.closing = true;
        ++i;
    }
    if (i >= html.size() || !IsAsciiAlpha(html[i]))
        return std::nullopt;
    const size_t nameStart = i;
    while (i < html.size() && !IsSpace(html[i]) && html[i] != '/' && html[i] != '>')
        ++i;
    tag.name = Lower(html.substr(nameStart, i - nameStart));
    while (true) {
        while (i < html.size() && (IsSpace(html[i]) || html[i] == '/'))
            ++i;
        if (i >= html.size())
            return std::nullopt;  // never closed: not a tag
        if (html[i] == '>') {
            tag.end = i + 1;
            return tag;
        }
        const size_t attrStart = i;
        while (i < html.size() && !IsSpace(html[i]) && html[i] != '/' && html[i] != '>' && html[i] != '=')
            ++i;
        Attribute attr{Lower(html.substr(attrStart, i - attrStart)), {}};
        while (i < html.size() && IsSpace(html[i]))
            ++i;
        if (i < html.size() && html[i] == '=') {
            ++i;
            while (i < html.size() && IsSpace(html[i]))
                ++i;
            if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
                const char quote = html[i];
                const size_t close = html.find(quote, i + 1);
                if (close == std::string_view::npos)
                    return std::nullopt;
                attr.value = std::string(html.substr(i + 1, close - i - 1));
                i = close + 1;
            } else {
                const size_t valueStart = i;
                while (i < html.size() && !IsSpace(html[i]) && html[i] != '>')
                    ++i;
                attr.value = std::string(html.substr(valueStart, i - valueStart));
            }
        }
        tag.attributes.push_back(std::move(attr));
    }
}

// A character reference the views understand, kept as written; anything else after '&' is text.
size_t EntityLength(std::string_view html, size_t amp)
{
    size_t i = amp + 1;
    if (i < html.size() && html[i] == '#') {
        ++i;
        const bool hex = i < html.size() && (html[i] == 'x' || html[i] == 'X');
        if (hex)
            ++i;
        const size_t digits = i;
        while (i < html.size() && i - digits < 8 &&
               (hex ? std::isxdigit(static_cast<unsigned char>(html[i])) != 0 : IsAsciiDigit(html[i])))
            ++i;
        return i > digits && i < html.size() && html[i] == ';' ? i + 1 - amp : 0;
    }
    const size_t name = i;
    while (i < html.size() && i - name < 10 && (IsAsciiAlpha(html[i]) || IsAsciiDigit(html[i])))
        ++i;
    return i > name && i < html.size() && html[i] == ';' ? i + 1 - amp : 0;
}

} // namespace

TChatSanitizer::TChatSanitizer(const std::string& appPath)
    : emotionFolder_((std::filesystem::path(appPath) / TEmotion::kFolder).lexically_normal().generic_string())
{
    if (emotionFolder_.empty() || emotionFolder_.back() != '/')
        emotionFolder_ += '/';
}

std::string TChatSanitizer::Sanitize(std::string_view html) const
{
    // The picture's path when src names a file inside the emoticon folder, else nothing.
    auto pictureSource = [this](std::string_view src) -> std::optional<std::string> {
        if (src.substr(0, 7) == "file://")
            src.remove_prefix(7);
        // Program paths and emoticon ids need no more than these; no escapes, queries or quotes.
        const bool plain = std::all_of(src.begin(), src.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80 || IsAsciiAlpha(c) || IsAsciiDigit(c) || c == '/' ||
                   c == '.' || c == '_' || c == '-' || c == ' ';
        });
        if (src.empty() || src[0] != '/' || !plain)
            return std::nullopt;
        const std::string path = std::filesystem::path(src).lexically_normal().generic_string();
        if (path.size() <= emotionFolder_.size() || path.compare(0, emotionFolder_.size(), emotionFolder_) != 0)
            return std::nullopt;
        return path;
    };

    std::string out;
    out.reserve(html.size());
    std::vector<std::string> open;
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '&') {
            const size_t length = EntityLength(html, i);
            out.append(length ? html.substr(i, length) : std::string_view("&amp;"));
            i += length ? length : 1;
            continue;
        }
        if (c == '>') {
            out += "&gt;";
            ++i;
            continue;
        }
        if (c == '"') {
            out += "&quot;";
            ++i;
            continue;
        }
        if (c != '<') {
            out += c;
            ++i;
            continue;
        }
        if (html.substr(i, 4) == "<!--") {
            const size_t close = html.find("-->", i + 4);
            i = close == std::string_view::npos ? html.size() : close + 3;
            continue;
        }
        if (i + 1 < html.size() && (html[i + 1] == '!' || html[i + 1] == '?')) {
            const size_t close = html.find('>', i);
            i = close == std::string_view::npos ? html.size() : close + 1;
            continue;
        }
        const std::optional<Tag> tag = ReadTag(html, i);
        if (!tag) {
            out += "&lt;";
            ++i;
            continue;
        }
        i = tag->end;
        if (!tag->closing &&
            std::find(kDropWithContent.begin(), kDropWithContent.end(), tag->name) != kDropWithContent.end()) {
            const std::string lower = Lower(html.substr(i));
            const size_t close = lower.find("</" + tag->name);
            if (close == std::string::npos) {
                i = html.size();
            } else {
                const size_t gt = html.find('>', i + close);
                i = gt == std::string_view::npos ? html.size() : gt + 1;
            }
            continue;
        }
        if (!IsKept(tag->name))
            continue;
        if (tag->closing) {
            const auto it = std::find(open.rbegin(), open.rend(), tag->name);
            if (it == open.rend())
                continue;
            // Close what was opened inside it too, so the markup stays balanced.
            const size_t keep = static_cast<size_t>(open.rend() - it) - 1;
            for (size_t k = open.size(); k > keep; --k)
                out += "</" + open[k - 1] + ">";
            open.resize(keep);
            continue;
        }
        std::string written = "<" + tag->name;
        bool valid = true;
        for (const Attribute& a : tag->attributes) {
            std::string value;
            if (tag->name == "img") {
                if (a.name != "src")
                    continue;
                const auto path = pictureSource(a.value);
                if (!path) {
                    valid = false;
                    break;
                }
                value = *path;
            } else if (a.name == "style" && (tag->name == "font" || tag->name == "span")) {
                value = SafeStyle(a.value);
            } else if (tag->name == "font" && a.name == "color" && SafeColour(a.value)) {
                value = a.value;
            } else if (tag->name == "font" && a.name == "size" && SafeFontSize(a.value)) {
                value = a.value;
            } else if (tag->name == "font" && a.name == "face" && IsSafeCssValue(a.value)) {
                value = a.value;
            }
            if (!value.empty())
                written += " " + a.name + "=\"" + EscapeHtml(value) + "\"";
        }
        if (tag->name == "img" && written == "<img")
            valid = false;  // a picture without a source of ours shows nothing
        if (!valid)
            continue;
        out += written + ">";
        if (!IsVoid(tag->name))
            open.push_back(tag->name);
    }
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        out += "</" + *it + ">";
    return out;
}

} // namespace vlk
