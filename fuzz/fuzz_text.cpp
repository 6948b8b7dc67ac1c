// Text that comes from files and peers: GBK and UTF-8 conversions, stored passwords, tag stripping,
// hall page links and record text fields never read or write outside their bounds.
#include "base/Gbk.h"
#include "base/Record.h"
#include "hall/HallLinks.h"
#include "shell/TextCipher.h"
#include "shell/TextHelpers.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string utf8 = vlk::FileTextToUtf8(bytes);
    if (!vlk::IsValidUtf8(utf8))
        __builtin_trap();
    if (vlk::Utf8ToGbkLimited(utf8, 20).size() > 20)
        __builtin_trap();
    (void)vlk::GbkToWide(bytes);
    if (vlk::DecodeStoredPassword(vlk::EncodeStoredPassword(bytes)) != bytes)
        __builtin_trap();
    (void)vlk::DecodeStoredPassword(bytes);
    (void)vlk::StripTags(bytes);
    (void)vlk::WebToColor(bytes);
    (void)vlk::ParseInt(bytes);
    (void)vlk::ParseHallLink(bytes);

    vlk::TRecord record(bytes.data(), bytes.size());
    if (record.size() > 0)
        (void)record.text(0, record.size() - 1);
    return 0;
}
