#pragma once
// Wire texts and data files are GBK; memory is UTF-8. These are the only conversions.
#include <string>
#include <string_view>

namespace vlk {

// Bytes that are not valid GBK become U+FFFD; nothing is dropped silently.
std::string GbkToUtf8(std::string_view gbk);
// Characters that GBK cannot hold become '?'.
std::string Utf8ToGbk(std::string_view utf8);
std::u16string GbkToWide(std::string_view gbk);
bool IsValidUtf8(std::string_view bytes);
// Text of a file the client reads: a UTF-8 BOM is stripped, valid UTF-8 is kept, anything else
// is taken as GBK.
std::string FileTextToUtf8(std::string_view bytes);
// The GBK form of utf8 cut to at most maxBytes bytes, never splitting a character.
std::string Utf8ToGbkLimited(std::string_view utf8, size_t maxBytes);

} // namespace vlk
