#include "net/Envelope.h"

namespace vlk {
namespace {

int32_t LoadI32(const uint8_t* p)
{
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                                uint32_t(p[3]) << 24);
}

} // namespace

bool EnvelopeValid(const uint8_t* data, size_t length)
{
    if (length < kEnvelopeSize || LoadI32(data) != kEnvelopeMagic)
        return false;
    const int32_t code = LoadI32(data + 4);
    return code >= 0 && code <= kMaxCommandCode;
}

int32_t CommandCode(const uint8_t* data, size_t length)
{
    return length < kEnvelopeSize ? -1 : LoadI32(data + 4);
}

} // namespace vlk
