#include "base/Gbk.h"

#include <cerrno>
#include <stdexcept>

#include <iconv.h>

namespace vlk {

namespace {

// One descriptor per direction and thread: iconv_t carries conversion state, so threads must not
// share one, and opening one per call is needlessly slow for wire traffic.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of in; where iconv stops at bytes it cannot convert, appends replacement and
    // skips skipBytes(rest) bytes.
    template <typename Skip>
    std::string Convert(std::string_view in, std::string_view replacement, Skip skipBytes)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.reserve(in.size() * 3 / 2 + 4);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr - buffer);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                out += replacement;
                size_t skip = skipBytes(std::string_view(inPtr, inLeft));
                inPtr += skip;
                inLeft -= skip;
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

Converter& GbkToUtf8Converter()
{
    thread_local Converter converter("UTF-8", "GBK");
    return converter;
}

Converter& GbkToUtf16Converter()
{
    thread_local Converter converter("UTF-16LE", "GBK");
    return converter;
}

Converter& Utf8ToGbkConverter()
{
    thread_local Converter converter("GBK", "UTF-8");
    return converter;
}

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementUtf16Le = "\xFD\xFF";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Length of the well-formed UTF-8 sequence at the start of s, or 0 when it is not one
// (overlong forms, surrogates and code points above U+10FFFF are not well-formed).
size_t Utf8SequenceLength(std::string_view s)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    size_t length;
    unsigned char min2 = 0x80, max2 = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            min2 = 0xA0;
        else if (lead == 0xED)
            max2 = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            min2 = 0x90;
        else if (lead == 0xF4)
            max2 = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < min2 || byte(1) > max2)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

// Keeps well-formed sequences and replaces each other byte with U+FFFD.
std::string RepairUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        size_t length = Utf8SequenceLength(bytes);
        if (length == 0) {
            out += kReplacementUtf8;
            length = 1;
        } else {
            out += bytes.substr(0, length);
        }
        bytes.remove_prefix(length);
    }
    return out;
}

size_t SkipOneByte(std::string_view)
{
    return 1;
}

// A character GBK cannot hold is skipped whole, so it becomes a single '?'.
size_t SkipUtf8Character(std::string_view rest)
{
    size_t length = Utf8SequenceLength(rest);
    return length ? length : 1;
}

} // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    return GbkToUtf8Converter().Convert(gbk, kReplacementUtf8, SkipOneByte);
}

std::string Utf8ToGbk(std::string_view utf8)
{
    return Utf8ToGbkConverter().Convert(utf8, "?", SkipUtf8Character);
}

std::u16string GbkToWide(std::string_view gbk)
{
    std::string bytes = GbkToUtf16Converter().Convert(gbk, kReplacementUtf16Le, SkipOneByte);
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i])
                                       | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        size_t length = Utf8SequenceLength(bytes);
        if (length == 0)
            return false;
        bytes.remove_prefix(length);
    }
    return true;
}

std::string FileTextToUtf8(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Bom))
        return RepairUtf8(bytes.substr(kUtf8Bom.size()));
    if (IsValidUtf8(bytes))
        return std::string(bytes);
    return GbkToUtf8(bytes);
}

std::string Utf8ToGbkLimited(std::string_view utf8, size_t maxBytes)
{
    std::string gbk = Utf8ToGbk(utf8);
    // In GBK, 0x81..0xFE lead a two-byte character; everything else is one byte.
    size_t end = 0;
    while (end < gbk.size()) {
        auto lead = static_cast<unsigned char>(gbk[end]);
        size_t length = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
        if (end + length > maxBytes)
            break;
        end += length;
    }
    gbk.resize(end);
    return gbk;
}

} // namespace vlk
