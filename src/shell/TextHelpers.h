#pragma once
// Small text helpers shared by the windows: tag stripping, mic-state names, colours, bits, and the
// platform's trimming and integer rules that the settings files and dialogs rely on.
#include <cstdint>
#include <optional>
#include <functional>
#include <string>
#include <string_view>

namespace vlk {

// Removes control characters and spaces at both ends (the platform's Trim: every byte <= ' ').
std::string Trim(std::string_view text);
// A whole decimal number with an optional sign, or hexadecimal after "$" or "0x", within 32 bits.
std::optional<int32_t> ParseInt(std::string_view text);
std::optional<int64_t> ParseInt64(std::string_view text);

std::string StripAngleBrackets(std::string_view text);
std::string StripTags(std::string_view text);
// HTML with the text between its tags passed through convert; tags (up to their '>', or to the end
// when unclosed) are kept as they are.
std::string MapTextOutsideTags(std::string_view html, const std::function<std::string(std::string_view)>& convert);
// Text that others wrote, safe inside HTML text and attribute values.
std::string EscapeHtml(std::string_view text);
std::string MicStateText(int32_t state);

// Colours are platform colour values 0x00BBGGRR; web colours are "#rrggbb".
std::string ColorToWeb(uint32_t colour);
uint32_t WebToColor(std::string_view text);

inline bool BitIsSet(uint32_t value, unsigned bit) { return bit < 32 && ((value >> bit) & 1u) != 0; }
inline uint32_t BitValue(unsigned bit, bool on) { return on && bit < 32 ? (1u << bit) : 0u; }

} // namespace vlk
