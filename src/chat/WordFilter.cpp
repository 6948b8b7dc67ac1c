#include "chat/WordFilter.h"

#include "shell/TextHelpers.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

namespace vlk {
namespace {

// The text is remote; a pattern that backtracks badly must not freeze the GUI thread.
constexpr uint32_t kMatchLimit = 1'000'000;

size_t Utf16Length(std::string_view utf8)
{
    size_t units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80)
            ++units;
        if (c >= 0xF0)
            ++units;  // outside the basic plane: a surrogate pair
    }
    return units;
}

} // namespace

struct TWordFilter::Code {
    pcre2_code* code = nullptr;
    pcre2_match_context* context = nullptr;
    ~Code()
    {
        pcre2_match_context_free(context);
        pcre2_code_free(code);
    }
};

TWordFilter::TWordFilter(std::string_view pattern) : pattern_(pattern)
{
    if (pattern.empty())
        return;
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                     PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &error, &offset, nullptr);
    if (!code)
        return;
    code_ = std::make_unique<Code>();
    code_->code = code;
    code_->context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(code_->context, kMatchLimit);
}

TWordFilter::~TWordFilter() = default;
TWordFilter::TWordFilter(TWordFilter&&) noexcept = default;
TWordFilter& TWordFilter::operator=(TWordFilter&&) noexcept = default;

std::string TWordFilter::Apply(std::string_view html) const
{
    if (!code_)
        return std::string(html);
    return MapTextOutsideTags(html, [this](std::string_view text) { return FilterText(text); });
}

std::string TWordFilter::FilterText(std::string_view text) const
{
    if (text.empty())
        return {};
    pcre2_match_data* match = pcre2_match_data_create_from_pattern(code_->code, nullptr);
    std::string out;
    size_t copied = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const int rc = pcre2_match(code_->code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), start, 0,
                                   match, code_->context);
        if (rc < 0)
            break;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(match);
        const size_t from = ovector[0];
        const size_t to = ovector[1];
        if (to <= from) {
            // An empty match hides nothing; step over one whole character.
            start = from + 1;
            while (start < text.size() && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80)
                ++start;
            continue;
        }
        out.append(text.substr(copied, from - copied));
        out.append(Utf16Length(text.substr(from, to - from)), 'X');
        copied = to;
        start = to;
    }
    pcre2_match_data_free(match);
    out.append(text.substr(copied));
    return out;
}

} // namespace vlk
