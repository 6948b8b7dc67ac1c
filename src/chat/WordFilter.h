#pragma once
// The chat views' word filter: a regular expression of forbidden words (the configuration's
// ChatFilter) whose matches are shown as one "X" per character.
#include <memory>
#include <string>
#include <string_view>

namespace vlk {

class TWordFilter {
public:
    // An empty pattern filters nothing; so does a pattern that does not compile (Valid() is false),
    // because a broken setting must not hide or break the chat.
    explicit TWordFilter(std::string_view pattern = {});
    ~TWordFilter();
    TWordFilter(TWordFilter&&) noexcept;
    TWordFilter& operator=(TWordFilter&&) noexcept;

    bool Valid() const { return code_ != nullptr; }
    const std::string& Pattern() const { return pattern_; }

    // Replaces every match in the text of an HTML fragment by as many "X" as it has UTF-16
    // characters. Tags are left alone, so pictures and styling survive any pattern.
    std::string Apply(std::string_view html) const;

private:
    std::string FilterText(std::string_view text) const;

    std::string pattern_;
    struct Code;
    std::unique_ptr<Code> code_;
};

} // namespace vlk
