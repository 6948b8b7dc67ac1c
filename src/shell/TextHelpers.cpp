#include "shell/TextHelpers.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace vlk {

std::string Trim(std::string_view text)
{
    size_t b = 0;
    size_t e = text.size();
    while (b < e && static_cast<uint8_t>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<uint8_t>(text[e - 1]) <= ' ')
        --e;
    return std::string(text.substr(b, e - b));
}

namespace {

struct ParsedNumber {
    uint64_t magnitude;
    bool negative;
    bool hex;
};

std::optional<ParsedNumber> ParseNumber(std::string_view text)
{
    ParsedNumber n{0, false, false};
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        n.negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (!text.empty() && text[0] == '$') {
        n.hex = true;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        n.hex = true;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n.magnitude, n.hex ? 16 : 10);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

// Hexadecimal without a sign spells a bit pattern of the target width; everything else is range-checked.
template <typename T>
std::optional<T> ToSigned(const ParsedNumber& n)
{
    using U = std::make_unsigned_t<T>;
    if (n.hex && !n.negative)
        return n.magnitude <= std::numeric_limits<U>::max() ? std::optional<T>(static_cast<T>(static_cast<U>(n.magnitude)))
                                                            : std::nullopt;
    const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<T>::max()) + (n.negative ? 1 : 0);
    if (n.magnitude > limit)
        return std::nullopt;
    return static_cast<T>(n.negative ? 0 - n.magnitude : n.magnitude);
}

} // namespace

std::optional<int64_t> ParseInt64(std::string_view text)
{
    const auto n = ParseNumber(text);
    return n ? ToSigned<int64_t>(*n) : std::nullopt;
}

std::optional<int32_t> ParseInt(std::string_view text)
{
    const auto n = ParseNumber(text);
    return n ? ToSigned<int32_t>(*n) : std::nullopt;
}

namespace {

std::string CutAtLineBreak(std::string text)
{
    const auto crlf = text.find("\r\n");
    if (crlf != std::string::npos)
        text.resize(crlf);
    return text;
}

} // namespace

std::string StripAngleBrackets(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (c != '<' && c != '>')
            out += c;
    return CutAtLineBreak(std::move(out));
}

std::string StripTags(std::string_view text)
{
    std::string out(text);
    while (true) {
        const auto open = out.find('<');
        const auto close = out.find('>');
        if (open == std::string::npos || close == std::string::npos || close < open)
            break;
        out.erase(open, close - open + 1);
    }
    return CutAtLineBreak(std::move(out));
}

std::string MicStateText(int32_t state)
{
    switch (state & 127) {
    case 0: return "不在麦";
    case 1: return "公麦";
    case 2: return "私麦(任何人可连接)";
    case 3: return "私麦(仅好友可连接)";
    case 4: return "私麦(需确认可连接)";
    case 5: return "私麦(收费私麦)";
    case 6: return "排麦(进入麦序)";
    default: return {};
    }
}

std::string ColorToWeb(uint32_t colour)
{
    const uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    char buf[16];
    std::snprintf(buf, sizeof buf, "#%.6x", rgb);
    return buf;
}

uint32_t WebToColor(std::string_view text)
{
    std::string s(text);
    for (char& c : s)
        if (c == '#')
            c = '$';
    const auto v = ParseInt64(s);
    const uint32_t rgb = v ? static_cast<uint32_t>(*v) & 0xFFFFFF : 0;
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

std::string MapTextOutsideTags(std::string_view html, const std::function<std::string(std::string_view)>& convert)
{
    std::string out;
    out.reserve(html.size());
    size_t at = 0;
    while (at < html.size()) {
        const size_t lt = html.find('<', at);
        out += convert(html.substr(at, lt == std::string_view::npos ? std::string_view::npos : lt - at));
        if (lt == std::string_view::npos)
            break;
        const size_t gt = html.find('>', lt);
        const size_t end = gt == std::string_view::npos ? html.size() : gt + 1;
        out.append(html.substr(lt, end - lt));
        at = end;
    }
    return out;
}

std::string EscapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace vlk
